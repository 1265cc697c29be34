"""Real drags from another Wine process onto the running tool: the dropped paths
fill the file list, a click renames the files, and drops elsewhere are refused."""

import re
import signal
import subprocess
import unittest

from harness import (BASE_NAME_BOX, BUILD, FILE_LIST_BOX, GBK, NOTICE_CAPTION, RENAME_BUTTON, Session,
                     ToolTestCase, probe, wait_until, windows_path, xdotool)

DRAG_SOURCE_EXE = BUILD / "tests" / "drag_source.exe"
HINT = b"\r\n" * 6 + b" " * 25 + "把文件拖到这里".encode(GBK)

# The drag source sits in the screen's top-left corner, clear of the centred tool.
SOURCE_AT = (20, 20)
SOURCE_SIZE = (120, 80)
RESULT = re.compile(r"result=0x([0-9A-F]{8}) effect=(\d+)")


def list_text(paths):
    """The list a drop of `paths` shows: one path alone, more each ended by CR LF."""
    encoded = [windows_path(p).encode(GBK) for p in paths]
    return encoded[0] if len(encoded) == 1 else b"".join(p + b"\r\n" for p in encoded)


class DragSource:
    """drag_source.exe offering `paths`; started and stopped by its process id."""

    def __init__(self, paths, output):
        self.output = output
        x, y = SOURCE_AT
        width, height = SOURCE_SIZE
        args = ["--at", x, y, "--size", width, height, *map(windows_path, paths)]
        with open(output, "wb") as out:
            self.process = subprocess.Popen([Session.loader(), str(DRAG_SOURCE_EXE), *map(str, args)],
                                            env=Session.env(), stdin=subprocess.DEVNULL, stdout=out,
                                            stderr=subprocess.DEVNULL)

    def lines(self):
        return self.output.read_text(errors="replace").splitlines()

    def wait_for_line(self, condition, what, timeout=30):
        return wait_until(lambda: next((l for l in self.lines() if condition(l)), None), timeout, what)

    def wait_until_shown(self):
        self.wait_for_line(lambda l: l == "ready", "the drag source's window")

        def mapped():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^drag-source$"],
                                   env=Session.env(), capture_output=True, stdin=subprocess.DEVNULL,
                                   timeout=30)
            return found.returncode == 0 and found.stdout.strip()
        wait_until(mapped, 30, "the drag source's X window")

    def drag_to(self, x, y, steps=8):
        """Presses in the source window, moves in small steps to (x, y) and releases
        there; returns the drop effect the source was told."""
        start_x = SOURCE_AT[0] + SOURCE_SIZE[0] // 2
        start_y = SOURCE_AT[1] + SOURCE_SIZE[1] // 2
        xdotool("mousemove", start_x, start_y)
        xdotool("mousemove", start_x + 1, start_y)
        xdotool("mousedown", 1)
        self.wait_for_line(lambda l: l == "dragging", "the drag to start")
        for i in range(1, steps + 1):
            # Pacing of the gesture: Wine can miss a jump from press to release.
            xdotool("mousemove", start_x + (x - start_x) * i // steps,
                    start_y + (y - start_y) * i // steps, "sleep", 0.08)
        xdotool("mousemove", x + 1, y, "sleep", 0.08, "mousemove", x, y, "sleep", 0.08)
        xdotool("mouseup", 1)
        line = self.wait_for_line(RESULT.fullmatch, "the drag to end")
        return int(RESULT.fullmatch(line).group(2))

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
        self.process.wait(timeout=30)


class Dropping(ToolTestCase):
    def drag(self, paths, onto):
        """Drags `paths` from a fresh drag source onto the centre of member `onto`;
        returns the drop effect."""
        outputs = self.tmp / "drag-sources"
        outputs.mkdir(exist_ok=True)
        source = DragSource(paths, outputs / f"{len(self.sources)}.out")
        self.sources.append(source)
        source.wait_until_shown()
        return source.drag_to(*probe().centre(onto))

    def setUp(self):
        super().setUp()
        self.sources = []
        self.addCleanup(lambda: [source.stop() for source in self.sources])

    def test_dropped_files_fill_the_list_and_the_click_renames_them(self):
        folder = self.make_files(["b.txt", "a.txt", "照片.txt"], self.tmp / "photo")
        dropped = [folder / "b.txt", folder / "a.txt", folder / "照片.txt"]
        tool = self.start_tool()
        tool.wait_for_window()

        self.drag(dropped, onto=FILE_LIST_BOX)
        wait_until(lambda: probe().text(FILE_LIST_BOX) == list_text(dropped), 30, "the dropped paths")
        self.assertEqual(self.listing(folder), ["a.txt", "b.txt", "照片.txt"], "a drop moved files")

        tool.click(BASE_NAME_BOX)
        tool.type_text("trip")
        wait_until(lambda: probe().text(BASE_NAME_BOX) == b"trip", 10, "the typed base name")
        tool.click(RENAME_BUTTON)
        box = tool.dismiss_message_box()
        self.assertEqual(box.caption.decode(GBK), NOTICE_CAPTION)
        self.assertEqual(box.text, b"OK")
        self.assertEqual(self.listing(folder), ["trip1.txt", "trip2.txt", "trip3.txt"])
        self.assertEqual((folder / "trip1.txt").read_bytes(), b"content of b.txt")
        self.assertEqual((folder / "trip3.txt").read_bytes(), "content of 照片.txt".encode())

    def test_a_second_drop_replaces_the_first_list(self):
        folder = self.make_files(["a.txt", "b.txt", "c.txt"], self.tmp / "files")
        tool = self.start_tool()
        tool.wait_for_window()

        first = [folder / "a.txt", folder / "b.txt"]
        self.drag(first, onto=FILE_LIST_BOX)
        wait_until(lambda: probe().text(FILE_LIST_BOX) == list_text(first), 30, "the first drop's paths")

        second = [folder / "c.txt"]
        self.drag(second, onto=FILE_LIST_BOX)
        wait_until(lambda: probe().text(FILE_LIST_BOX) == list_text(second), 30,
                   "the second drop's path alone")

    def test_drops_on_the_base_name_box_or_the_button_are_refused(self):
        folder = self.make_files(["a.txt"], self.tmp / "files")
        tool = self.start_tool()
        tool.wait_for_window()

        for member in (BASE_NAME_BOX, RENAME_BUTTON):
            with self.subTest(member=member):
                # The drag has ended when its effect comes back, and a drop the
                # list took would have set the list before that.
                self.assertEqual(self.drag([folder / "a.txt"], onto=member), 0)
                state = probe()
                self.assertEqual(state.text(FILE_LIST_BOX), HINT)
                self.assertEqual(state.text(BASE_NAME_BOX), b"")
                self.assertEqual(state.message_boxes, [])
        self.assertEqual(self.listing(folder), ["a.txt"])


if __name__ == "__main__":
    unittest.main()
