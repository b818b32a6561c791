#!/usr/bin/env python3
"""Sonvale-Brackwen.exe as a person uses it: started under Wine, driven with real X input
(xdotool), its clipboard read through X11 (xclip), and its window read from another process
by window_probe.exe with WM_GETTEXT and list-view messages.

Environment: WINE_RUN, WINE_PREFIX, PROGRAM, PROBE, SAMPLE_SERVER, and optionally
SCREENSHOT (where to save a picture of the window in use). Needs DISPLAY with a window
manager.
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

WINE_RUN = os.environ.get("WINE_RUN", "")
PREFIX = os.environ.get("WINE_PREFIX", "")
PROGRAM = os.environ.get("PROGRAM", "")
PROBE = os.environ.get("PROBE", "")

# Control places in the creation order, as the probe numbers them.
LABEL1, EDIT, SEARCH, LIST, STATUS, CLEAR, HINT, CHECK_BOX = range(8)

SAMPLE_ROWS = [
    ("1", "晴天", "http://stream.music.example/qqmusic/1001.mp3"),
    ("2", "Yesterday Once More", "http://stream.music.example/qqmusic/1002.mp3"),
    ("3", "", "http://stream.music.example/qqmusic/1003.mp3"),
    ("4", "月亮代表我的心", "http://stream.music.example/qqmusic/1004.wma"),
    ("5", "海阔天空（现场版）", "http://stream.music.example/qqmusic/歌曲1005.mp3"),
    ("6", "Nocturne 夜曲", "http://stream.music.example/qqmusic/1006.mp3?vkey=ab&guid=1"),
]
HINT_LINE = "\r\n请到迅雷下载.或者直接添加到QQ空间背景音乐.."


def gbk(text):
    return text.encode("gbk")


def probe(*args):
    # Through a file, not a pipe: a wineserver that this start spawns would hold a pipe open.
    with tempfile.TemporaryFile() as output:
        subprocess.run([WINE_RUN, PREFIX, PROBE, *map(str, args)], stdout=output,
                       stderr=subprocess.DEVNULL, timeout=60)
        output.seek(0)
        return output.read()


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


def wait_for(condition, timeout=15.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def x_clipboard():
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            timeout=10)
    return result.stdout.decode("utf-8", "replace")


def set_x_clipboard(text):
    # xclip stays behind to serve the selection; it must not hold our output open.
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text.encode("utf-8"),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=10)


class program_test(unittest.TestCase):
    def setUp(self):
        self.process = subprocess.Popen([WINE_RUN, PREFIX, PROGRAM], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.assertEqual(probe("wait"), b"ready")
        self.x_window = wait_for(self.find_x_window, what="the X window")
        xdotool("windowactivate", "--sync", self.x_window)
        wait_for(lambda: probe("focus") == b"%d" % EDIT, what="the focus in the edit box")

    def tearDown(self):
        # wine waits for the program, which runs as a process of its own.
        if self.process.poll() is None:
            probe("terminate")
            self.process.wait(timeout=30)

    def find_x_window(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                "^Sonvale-Brackwen$"], capture_output=True, text=True)
        return found.stdout.split()[0] if found.stdout.split() else None

    # --- actions -------------------------------------------------------------------------

    def click_at(self, point, repeat=1):
        x, y = point.decode().split()
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", "--repeat", repeat, "--delay", 80, 1)

    def click(self, control):
        self.click_at(probe("centre", control))

    def double_click_row(self, row):
        self.click_at(probe("row-centre", row), repeat=2)

    def focus(self):
        return probe("focus")

    def search(self, number, songs):
        xdotool("type", "--delay", 60, number)
        wait_for(lambda: probe("text", EDIT) == gbk(number), what="the typed number")
        self.click(SEARCH)
        status = gbk("一共搜索到 [%d]首歌曲..." % songs)
        wait_for(lambda: probe("text", STATUS) == status, what="the status text")

    def message_box(self):
        box = probe("message-box")
        return None if box == b"none" else box

    def close_and_expect_status_0(self, key="Escape"):
        xdotool("key", key)
        self.assertEqual(self.process.wait(timeout=30), 0)

    def assert_still_running(self):
        time.sleep(0.7)
        self.assertIsNone(self.process.poll(), "the program has exited")
        self.assertEqual(probe("wait"), b"ready")

    # --- tests ---------------------------------------------------------------------------

    def test_search_lists_the_songs_and_a_double_click_copies_the_address(self):
        self.search("10001", 6)
        rows = probe("rows").split(b"\n")[:-1]
        self.assertEqual(rows, [b"\t".join(map(gbk, row)) for row in SAMPLE_ROWS])
        self.assertEqual(probe("enabled", SEARCH), b"1")

        # Song 5's address holds Chinese characters: copied byte for byte as CP936.
        address = SAMPLE_ROWS[4][2]
        self.double_click_row(4)
        box = wait_for(self.message_box, what="the link message")
        caption, rest = box.split(b"\n", 1)
        text, facts = rest.rsplit(b"\n", 1)
        self.assertEqual(caption, gbk("信息："))
        self.assertEqual(text, gbk("歌曲链接地址：" + address + HINT_LINE))
        self.assertEqual(facts, b"owner=0 buttons=1 icon=0 main-enabled=0",
                         "no owner, one OK button, no icon, task-modal")
        self.assertEqual(probe("clipboard"), gbk(address))
        self.assertEqual(x_clipboard(), address)
        self.assertEqual(probe("selected"), b"4")
        xdotool("key", "Return")
        wait_for(lambda: self.message_box() is None, what="the message box to close")

        # Unticked, a double-click only changes the clipboard.
        self.click(CHECK_BOX)
        wait_for(lambda: probe("checked") == b"0", what="the box unticked")
        self.double_click_row(0)
        wait_for(lambda: x_clipboard() == SAMPLE_ROWS[0][2], what="the new clipboard text")
        time.sleep(0.7)
        self.assertIsNone(self.message_box())
        self.assertEqual(probe("clipboard"), gbk(SAMPLE_ROWS[0][2]))
        self.close_and_expect_status_0()

    def test_a_double_click_on_an_empty_list_changes_nothing(self):
        set_x_clipboard("before 之前")
        # Wine's first import of another X client's selection can take ten seconds or more.
        wait_for(lambda: probe("clipboard") == gbk("before 之前"), timeout=60,
                 what="the X clipboard in Wine")
        self.click(LIST)
        self.click(LIST)
        self.click_at(probe("centre", LIST), repeat=2)
        time.sleep(1.0)
        self.assertIsNone(self.message_box())
        self.assertEqual(probe("selected"), b"-1")
        self.assertEqual(x_clipboard(), "before 之前")
        self.assertEqual(probe("clipboard"), gbk("before 之前"))
        self.close_and_expect_status_0()

    def test_tab_and_shift_tab_move_along_the_ring(self):
        forward = []
        for _ in range(5):
            xdotool("key", "Tab")
            forward.append(self.focus())
        self.assertEqual(forward, [b"%d" % c for c in (SEARCH, LIST, CLEAR, CHECK_BOX, EDIT)])
        backward = []
        for _ in range(5):
            xdotool("key", "shift+Tab")
            backward.append(self.focus())
        self.assertEqual(backward, [b"%d" % c for c in (CHECK_BOX, CLEAR, LIST, SEARCH, EDIT)])

    def test_escape_closes_with_status_0_even_from_the_list(self):
        xdotool("key", "Tab", "Tab")
        self.assertEqual(self.focus(), b"%d" % LIST)
        self.close_and_expect_status_0()

    def test_escape_with_a_modifier_does_not_close(self):
        for key in ("ctrl+Escape", "shift+Escape"):
            xdotool("key", key)
            self.assert_still_running()
        self.close_and_expect_status_0()

    def test_enter_f1_and_alt_letters_do_nothing(self):
        xdotool("type", "--delay", 60, "10001")
        for key in ("Return", "KP_Enter", "F1", "alt+a", "alt+q"):
            xdotool("key", key)
        self.assert_still_running()
        self.assertEqual(probe("text", STATUS), b"", "no search ran")
        self.assertEqual(probe("rows"), b"")
        self.assertEqual(probe("text", EDIT), b"10001")
        self.assertEqual(self.focus(), b"%d" % EDIT)
        self.assertIsNone(self.message_box())
        self.close_and_expect_status_0()

    def test_the_focus_comes_back_after_another_window_was_active(self):
        xdotool("key", "Tab", "Tab", "Tab")
        self.assertEqual(self.focus(), b"%d" % CLEAR)
        other = subprocess.Popen([WINE_RUN, PREFIX, PROBE, "other-window"])
        try:
            other_x = wait_for(lambda: subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", "^Other window$"],
                capture_output=True, text=True).stdout.split(), what="the other window")[0]
            xdotool("windowactivate", "--sync", other_x)
            wait_for(lambda: self.focus() != b"%d" % CLEAR, what="the main window to lose focus")
            xdotool("windowactivate", "--sync", self.x_window)
            wait_for(lambda: self.focus() == b"%d" % CLEAR, what="the focus to come back")
        finally:
            probe("close-other-window")
            other.wait(timeout=30)
        self.close_and_expect_status_0()

    def test_as_a_person_uses_it(self):
        # Chinese text cannot be typed into Wine with xdotool; it is pasted, as people do.
        set_x_clipboard("号码")
        xdotool("key", "ctrl+v")
        wait_for(lambda: probe("text", EDIT) == gbk("号码"), timeout=60, what="the pasted text")
        self.click(CLEAR)
        wait_for(lambda: probe("text", EDIT) == b"", what="the number box emptied")
        self.click(EDIT)
        self.search("10001", 6)
        self.double_click_row(0)
        wait_for(self.message_box, what="the link message")
        xdotool("key", "space")
        wait_for(lambda: self.message_box() is None, what="the message box to close")
        self.assertEqual(x_clipboard(), SAMPLE_ROWS[0][2])
        screenshot = os.environ.get("SCREENSHOT")
        if screenshot:
            left, top, right, bottom = map(int, probe("window-rect").split())
            margin = 8
            subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
                right - left + 2 * margin, bottom - top + 2 * margin + 24,
                max(left - margin, 0), max(top - margin - 24, 0)), screenshot],
                check=True, timeout=30)
        xdotool("key", "alt+F4")
        self.assertEqual(self.process.wait(timeout=30), 0)


if __name__ == "__main__":
    if not os.environ.get("DISPLAY"):
        sys.exit("program_test.py needs an X display with a window manager; "
                 "bash scripts/test.sh provides one")
    unittest.main()
