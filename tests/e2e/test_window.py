"""The real tool under Wine: start, type, click, rename real files, close."""

import shutil
import subprocess
import unittest

from harness import (BASE_NAME_BOX, BUILD, FILE_LIST_BOX, GBK, NOTICE_CAPTION, RENAME_BUTTON, TOOL_EXE,
                     WINDOW_TITLE, Session, ToolTestCase, probe, wait_until, windows_path)

PRINT_PROGRAM_PATH_EXE = BUILD / "tests" / "print_program_path.exe"

HINT = b"\r\n" * 6 + b" " * 25 + "把文件拖到这里".encode(GBK)


class StartAndClose(ToolTestCase):
    def test_opens_centred_with_the_hint_and_the_focus_in_the_list_and_esc_ends_with_code_0(self):
        tool = self.start_tool()
        state = tool.wait_for_window()
        window = state.raw["window"]
        self.assertEqual(bytes.fromhex(window["text"]).decode(GBK), WINDOW_TITLE)
        left, top, right, bottom = window["screen"]
        self.assertEqual((right - left, bottom - top), (386, 244))
        self.assertEqual((left, top), ((1024 - 386) // 2, (768 - 244) // 2))
        self.assertEqual(state.text(FILE_LIST_BOX), HINT)
        self.assertEqual(state.text(BASE_NAME_BOX), b"")
        self.assertEqual(state.focus_id, FILE_LIST_BOX)

        tool.click(BASE_NAME_BOX)
        tool.type_text("typing")
        wait_until(lambda: probe().text(BASE_NAME_BOX) == b"typing", 10, "the typed base name")
        tool.key("Escape")
        self.assertEqual(tool.wait_for_exit(), 0)

    def test_arguments_change_nothing(self):
        tool = self.start_tool(args=["--help", "x.txt", "/?"])
        state = tool.wait_for_window()
        self.assertEqual(state.text(FILE_LIST_BOX), HINT)
        tool.click(FILE_LIST_BOX)
        tool.key("Escape")
        self.assertEqual(tool.wait_for_exit(), 0)

    def test_tab_cycles_list_button_base_name_and_enter_starts_no_run(self):
        tool = self.start_tool()
        tool.wait_for_window()
        tool.click(FILE_LIST_BOX)
        for expected in (RENAME_BUTTON, BASE_NAME_BOX, FILE_LIST_BOX):
            tool.key("Tab")
            wait_until(lambda: probe().focus_id == expected, 10, f"focus on member {expected}")
        for expected in (BASE_NAME_BOX, RENAME_BUTTON):
            tool.key("shift+Tab")
            wait_until(lambda: probe().focus_id == expected, 10, f"focus on member {expected}")
        # Enter on the button and in the base-name box; the Tab after each
        # shows the Enter was handled, and no run (no message box) followed.
        tool.key("Return", "Tab")
        wait_until(lambda: probe().focus_id == BASE_NAME_BOX, 10, "focus on the base-name box")
        tool.key("Return", "Tab")
        state = wait_until(lambda: (s := probe()).focus_id == FILE_LIST_BOX and s, 10, "focus on the list")
        self.assertEqual(state.message_boxes, [])
        tool.key("ctrl+End", "Return")
        wait_until(lambda: probe().text(FILE_LIST_BOX) == HINT + b"\r\n", 10, "a line break in the list")
        tool.key("Escape")
        self.assertEqual(tool.wait_for_exit(), 0)


class Renaming(ToolTestCase):
    def type_list(self, tool, lines, base_name):
        tool.click(FILE_LIST_BOX)
        tool.key("ctrl+a", "BackSpace")
        for i, line in enumerate(lines):
            if i:
                tool.key("Return")
            tool.type_text(line)
        tool.click(BASE_NAME_BOX)
        tool.type_text(base_name)
        expected_list = "\r\n".join(lines).encode(GBK)
        wait_until(lambda: (s := probe()).text(FILE_LIST_BOX) == expected_list
                   and s.text(BASE_NAME_BOX) == base_name.encode(GBK), 30, "the typed list and base name")

    def run_and_read_notice(self, tool):
        tool.click(RENAME_BUTTON)
        tool.wait_for_message_box()
        # Task-modal: the window takes no input (so no second run and no
        # closing) until the notice is dismissed.
        self.assertFalse(probe().raw["window"]["enabled"])
        box = tool.dismiss_message_box()
        self.assertTrue(probe().raw["window"]["enabled"])
        self.assertEqual(box.caption.decode(GBK), NOTICE_CAPTION)
        self.assertEqual(box.owner, 0)
        return box.text

    def test_renames_each_line_into_the_first_lines_directory_in_list_order(self):
        photos = self.make_files(["IMG_0001.JPG", "IMG_0002.JPG"], self.tmp / "photo")
        scan = self.make_files(["page.png"], self.tmp / "scan")
        tool = self.start_tool()
        tool.wait_for_window()
        self.type_list(tool, [windows_path(photos / "IMG_0001.JPG"), windows_path(photos / "IMG_0002.JPG"),
                              windows_path(scan / "page.png")], "trip")
        self.assertEqual(self.run_and_read_notice(tool), b"OK")
        self.assertEqual(self.listing(photos), ["trip1.JPG", "trip2.JPG", "trip3.JPG"])
        self.assertEqual((photos / "trip3.JPG").read_bytes(), b"content of page.png")
        self.assertEqual(self.listing(scan), [])
        # The run wrote nothing back: the list still shows the old paths.
        self.assertIn(b"IMG_0001.JPG", probe().text(FILE_LIST_BOX))
        # Wine with no window manager leaves no window active after a message
        # box: click the window first, as a user would.
        tool.click(FILE_LIST_BOX)
        tool.key("Escape")
        self.assertEqual(tool.wait_for_exit(), 0)

    def test_an_existing_target_is_never_replaced_and_the_notice_counts_failures(self):
        folder = self.make_files(["b.txt", "t1.txt"])
        tool = self.start_tool()
        tool.wait_for_window()
        self.type_list(tool, [windows_path(folder / "b.txt"), windows_path(folder / "t1.txt")], "t")
        text = self.run_and_read_notice(tool)
        self.assertEqual(text.decode(GBK).replace("\r\n", "\n"), "OK\n1 个文件未能重命名（共 2 个）")
        self.assertEqual(self.listing(folder), ["b.txt", "t2.txt"])
        self.assertEqual((folder / "b.txt").read_bytes(), b"content of b.txt")
        self.assertEqual((folder / "t2.txt").read_bytes(), b"content of t1.txt")

    def test_an_empty_list_renames_nothing_and_says_so(self):
        tool = self.start_tool()
        tool.wait_for_window()
        tool.click(FILE_LIST_BOX)
        tool.key("ctrl+a", "BackSpace")
        wait_until(lambda: probe().text(FILE_LIST_BOX) == b"", 10, "an empty list")
        tool.click(RENAME_BUTTON)
        box = tool.dismiss_message_box()
        self.assertEqual(box.text.decode(GBK), "文件列表为空")
        self.assertEqual(box.caption.decode(GBK), NOTICE_CAPTION)

    def rename_relative_path_from(self, program_dir):
        program_dir.mkdir(parents=True)
        shutil.copy(TOOL_EXE, program_dir)
        self.make_files(["a.txt"], program_dir)
        elsewhere = self.make_files(["a.txt"], self.tmp / "elsewhere")
        tool = self.start_tool(exe=program_dir / TOOL_EXE.name, cwd=elsewhere)
        tool.wait_for_window()
        self.type_list(tool, ["a.txt"], "n")
        self.assertEqual(self.run_and_read_notice(tool), b"OK")
        self.assertEqual(self.listing(program_dir), [TOOL_EXE.name, "n1.txt"])
        self.assertEqual(self.listing(elsewhere), ["a.txt"])

    def test_relative_paths_resolve_in_the_programs_own_directory(self):
        self.rename_relative_path_from(self.tmp / "program")


class ProgramPath(ToolTestCase):
    def test_a_program_path_longer_than_260_bytes_is_read_whole(self):
        program_dir = self.tmp.joinpath(*(c * 60 for c in "defgh"), "照片")
        program_dir.mkdir(parents=True)
        shutil.copy(PRINT_PROGRAM_PATH_EXE, program_dir)
        program = program_dir / PRINT_PROGRAM_PATH_EXE.name
        self.assertGreater(len(windows_path(program).encode(GBK)), 300)
        out = subprocess.run([Session.loader(), str(program)], env=Session.env(), capture_output=True,
                             stdin=subprocess.DEVNULL, timeout=60, check=True).stdout
        path, directory = out.splitlines()[:2]
        self.assertEqual(path, windows_path(program).encode(GBK))
        self.assertEqual(directory, windows_path(program_dir).encode(GBK) + b"\\")

if __name__ == "__main__":
    unittest.main()
