"""End-to-end harness: the real .exe under Wine on a virtual X display.

One Wine session (virtual display, private WINEPREFIX, zh_CN.UTF-8 locale) per
build tree, started by scripts/wine-session and shared by every case. Each
case starts the tool by its own process id and stops it again, waits on
conditions with bounded timeouts, drives the window with xdotool, and reads
its state with window_probe.exe (cross-process WM_GETTEXT and
GetGUIThreadInfo). A failing case leaves a screenshot in the build tree.
"""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("BATCH_RENAME_BUILD", ROOT / "build" / "win")).resolve()
TOOL_EXE = BUILD / "app" / "BatchRename.exe"
PROBE_EXE = BUILD / "tests" / "window_probe.exe"
SHOTS = BUILD / "e2e-screenshots"

# Control ids of the members: their place in the window's member table plus one.
NAME_LABEL, BASE_NAME_BOX, RENAME_BUTTON, FILE_LIST_BOX = 1, 2, 3, 4

GBK = "gbk"
WINDOW_TITLE = "文件批量更名工具"
NOTICE_CAPTION = "信息："


def windows_path(path):
    """The Wine path of a Linux path: the whole file system is drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def wait_until(condition, timeout, what, interval=0.1):
    """Polls `condition` until it returns something truthy; fails after `timeout` s."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Session:
    """The build tree's Wine session, started once per process."""

    _env = None

    @classmethod
    def env(cls):
        if cls._env is None:
            script = ROOT / "scripts" / "wine-session"
            subprocess.run([script, BUILD, "start"], check=True, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
            exports = subprocess.run([script, BUILD, "env"], check=True, capture_output=True, text=True,
                                     timeout=60).stdout
            env = dict(os.environ)
            for line in exports.splitlines():
                name, _, value = line.removeprefix("export ").partition("=")
                env[name] = subprocess.run(["bash", "-c", f"printf %s {value}"], capture_output=True,
                                           text=True, check=True).stdout
            cls._env = env
        return cls._env

    @classmethod
    def loader(cls):
        return cls.env()["WINELOADER"]


def probe():
    """The tool window's state as window_probe.exe reports it."""
    out = subprocess.run([Session.loader(), PROBE_EXE], env=Session.env(), capture_output=True,
                         stdin=subprocess.DEVNULL, timeout=60, check=True).stdout
    return WindowState(json.loads(out))


class WindowState:
    def __init__(self, raw):
        self.raw = raw
        self.found = raw["found"]

    def member(self, control_id):
        return next(m for m in self.raw["members"] if m["id"] == control_id)

    def text(self, control_id):
        return bytes.fromhex(self.member(control_id)["text"])

    def centre(self, control_id):
        left, top, right, bottom = self.member(control_id)["screen"]
        return (left + right) // 2, (top + bottom) // 2

    @property
    def focus_id(self):
        return self.raw["focus_id"]

    @property
    def message_boxes(self):
        return [MessageBox(box) for box in self.raw["message_boxes"]]


class MessageBox:
    def __init__(self, raw):
        self.raw = raw
        self.caption = bytes.fromhex(raw["text"])
        statics = [bytes.fromhex(c["text"]) for c in raw["children"] if c["class"].lower() == "static"]
        self.text = next((t for t in statics if t), b"")
        self.buttons = [c for c in raw["children"] if c["class"].lower() == "button"]
        self.owner = raw["owner"]


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=Session.env(), check=True, timeout=30,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)


def click_at(x, y):
    # Several steps, so that Wine sees the pointer move as a user moves it.
    xdotool("mousemove", x, y)
    xdotool("mousemove", x + 1, y)
    xdotool("click", 1)


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], env=Session.env(), timeout=30,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Tool:
    """One running copy of the tool, started and stopped by its process id."""

    def __init__(self, exe=TOOL_EXE, cwd=None, args=()):
        self.process = subprocess.Popen([Session.loader(), str(exe), *args], cwd=cwd or BUILD,
                                        env=Session.env(), stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_for_window(self, timeout=60):
        def shown():
            state = probe()
            return state if state.found and state.raw["window"]["visible"] else None
        return wait_until(shown, timeout, "the tool's window")

    def wait_for_exit(self, timeout=30):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the tool did not exit within {timeout} s") from None

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(timeout=30)
        # Let the window disappear before the next case looks for one.
        wait_until(lambda: not probe().found, 30, "the window to go away")

    # Driving the window as a user does.
    def click(self, control_id):
        click_at(*probe().centre(control_id))

    def pointer_over_window(self):
        """With no window manager the X keyboard focus follows the pointer:
        keys reach the window the pointer is over."""
        left, top, right, bottom = probe().raw["window"]["screen"]
        xdotool("mousemove", (left + right) // 2, bottom - 4)

    def type_text(self, text):
        self.pointer_over_window()
        xdotool("type", "--delay", 15, text)

    def key(self, *keys):
        self.pointer_over_window()
        xdotool("key", "--delay", 30, *keys)

    def wait_for_message_box(self, timeout=30):
        return wait_until(lambda: (probe().message_boxes or [None])[0], timeout, "a message box")

    def dismiss_message_box(self):
        box = self.wait_for_message_box()
        left, top, right, bottom = box.buttons[0]["screen"]
        click_at((left + right) // 2, (top + bottom) // 2)
        wait_until(lambda: not probe().message_boxes, 30, "the message box to close")
        return box


class ToolTestCase(unittest.TestCase):
    """Starts with a fresh temporary directory; every tool started is stopped."""

    def setUp(self):
        Session.env()
        self.tmp = Path(tempfile.mkdtemp(prefix="e2e-", dir=BUILD))
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        self.tools = []
        self.addCleanup(self._stop_tools)

    def start_tool(self, **kwargs):
        tool = Tool(**kwargs)
        self.tools.append(tool)
        return tool

    def _stop_tools(self):
        for tool in self.tools:
            tool.stop()

    def _callTestMethod(self, method):
        try:
            method()
        except BaseException:
            SHOTS.mkdir(exist_ok=True)
            screenshot(str(SHOTS / f"{self.id()}.png"))
            raise

    def make_files(self, names, directory=None):
        directory = Path(directory or self.tmp)
        directory.mkdir(parents=True, exist_ok=True)
        for name in names:
            (directory / name).write_bytes(f"content of {name}".encode())
        return directory

    def listing(self, directory=None):
        return sorted(p.name for p in Path(directory or self.tmp).iterdir())
