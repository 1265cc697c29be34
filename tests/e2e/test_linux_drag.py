"""Files dragged from a Linux application (XDND, text/uri-list, as a Linux
file manager drags them) onto the tool running under Wine."""

import signal
import subprocess
import unittest

from harness import (BASE_NAME_BOX, FILE_LIST_BOX, GBK, RENAME_BUTTON, ROOT, Session, ToolTestCase, probe,
                     wait_until, windows_path, xdotool)

SOURCE = ROOT / "tests" / "tools" / "xdnd_drag_source.py"
SYSTEM_PYTHON = "/usr/bin/python3"  # Debian's, which has the GTK bindings


class LinuxDrag(ToolTestCase):
    def start_source(self, paths):
        log = self.tmp / "xdnd-source.out"
        with open(log, "wb") as out:
            process = subprocess.Popen([SYSTEM_PYTHON, str(SOURCE), *map(str, paths)], env=Session.env(),
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)

        def stop():
            if process.poll() is None:
                process.send_signal(signal.SIGKILL)
            process.wait(timeout=30)
        self.addCleanup(stop)
        wait_until(lambda: "ready" in log.read_text(), 30, "the Linux drag source")
        wait_until(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^xdnd-source$"],
                                          env=Session.env(), capture_output=True, timeout=30).returncode == 0,
                   30, "the Linux drag source's window")
        return log

    def test_files_from_a_linux_drag_fill_the_list_and_are_renamed(self):
        folder = self.make_files(["a one.txt", "照片.jpg"], self.tmp / "photos")
        dropped = [folder / "a one.txt", folder / "照片.jpg"]
        tool = self.start_tool()
        tool.wait_for_window()
        log = self.start_source(dropped)

        x, y = probe().centre(FILE_LIST_BOX)
        xdotool("mousemove", 40, 30, "mousemove", 41, 30, "mousedown", 1)
        for i in range(1, 9):
            xdotool("mousemove", 41 + (x - 41) * i // 8, 30 + (y - 30) * i // 8, "sleep", 0.1)
        xdotool("mousemove", x + 1, y, "sleep", 0.1, "mousemove", x, y, "sleep", 0.1, "mouseup", 1)
        wait_until(lambda: "drag-end" in log.read_text(), 30, "the drag to end")

        expected = b"".join(windows_path(p).encode(GBK) + b"\r\n" for p in dropped)
        wait_until(lambda: probe().text(FILE_LIST_BOX) == expected, 30, "the dragged paths in the list")
        self.assertEqual(self.listing(folder), ["a one.txt", "照片.jpg"], "the drop touched the files")

        tool.click(BASE_NAME_BOX)
        tool.type_text("pic")
        wait_until(lambda: probe().text(BASE_NAME_BOX) == b"pic", 10, "the typed base name")
        tool.click(RENAME_BUTTON)
        self.assertEqual(tool.dismiss_message_box().text, b"OK")
        # Line 1 ends in "txt", so both targets take that extension.
        self.assertEqual(self.listing(folder), ["pic1.txt", "pic2.txt"])
        self.assertEqual((folder / "pic2.txt").read_bytes(), "content of 照片.jpg".encode())


if __name__ == "__main__":
    unittest.main()
