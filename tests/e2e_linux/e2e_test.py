#!/usr/bin/env python3
"""The built Linux program as a person uses it, on a private X display with openbox.

The program starts with http_proxy pointing at the sample server. xdotool types a number,
clicks the search button and double-clicks a row; xclip reads the X clipboard; the window
and its rows are found through AT-SPI, as assistive tools find them. Esc then ends the
program, which must exit with status 0.

Run it inside a D-Bus session (dbus-run-session), for AT-SPI. It starts its own Xvfb and
openbox, so that nothing else on the desktop takes the focus or the clipboard from it.
"""
import argparse
import os
import subprocess
import sys
import time

import pyatspi

OUTER = (337, 443)
TITLE = "Sonvale-Brackwen"
CAPTION = "信息："
SAMPLE_ROW = 4  # 海阔天空（现场版）: its address holds Chinese characters
SAMPLE_ADDRESS = "http://stream.music.example/qqmusic/歌曲1005.mp3"
HINT = "请到迅雷下载.或者直接添加到QQ空间背景音乐.."


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def run(*command, check=True):
    result = subprocess.run(command, capture_output=True, text=True)
    if check and result.returncode != 0:
        fail("%s: %s" % (" ".join(command), result.stderr.strip()))
    return result.stdout


def wait_for(what, probe, timeout=10.0):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        time.sleep(0.05)


def start_display():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        fail("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + number
    openbox = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("openbox", lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False))
    return [openbox, xvfb]


def start_accessibility_bus():
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the accessibility bus", lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0)
    return launcher


def window_ids(name):
    return run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % name, check=False).split()


def outer_geometry(window):
    info = run("xwininfo", "-id", window)
    fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    x, y = int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"])
    width, height = int(fields["Width"]), int(fields["Height"])
    extents = run("xprop", "-id", window, "_NET_FRAME_EXTENTS", check=False)
    if "=" not in extents:
        return None
    left, right, top, bottom = (int(v) for v in extents.split("=")[1].split(","))
    return (x - left, y - top, width + left + right, height + top + bottom)


def active_window():
    return run("xdotool", "getactivewindow", check=False).strip()


# --- AT-SPI -------------------------------------------------------------------------------

def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "sonvale-brackwen":
            return app
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRoleName() != "table":
            yield from descendants(child)


def find(app, role, description=None, name=None):
    for node in descendants(app):
        if node.getRoleName() != role:
            continue
        if description is not None and node.description != description:
            continue
        if name is not None and node.name != name:
            continue
        return node
    return None


def centre(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click_at(point, repeat=1):
    run("xdotool", "mousemove", str(point[0]), str(point[1]))
    time.sleep(0.1)
    run("xdotool", "click", "--repeat", str(repeat), "--delay", "120", "1")


def clipboard(target="UTF8_STRING"):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target],
                          capture_output=True).stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    if not os.environ.get("http_proxy"):
        fail("http_proxy must point at the sample server")

    helpers = start_display()
    helpers.insert(0, start_accessibility_bus())
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([args.program], env=environment)
    try:
        status = use_the_program(program, args.screenshot)
    finally:
        if program.poll() is None:
            program.kill()
        for helper in helpers:
            helper.terminate()
    if status != 0:
        fail("the program exited with status %d" % status)
    print("PASS")


def use_the_program(program, screenshot):
    window = wait_for("the main window", lambda: window_ids(TITLE))[0]

    # The window manager frames the window, and the program then fits its outer size.
    geometry = wait_for("an outer size of %dx%d" % OUTER,
                        lambda: (g := outer_geometry(window)) and g[2:] == OUTER and g)
    screen = [int(v) for v in run("xdotool", "getdisplaygeometry").split()]
    centred = ((screen[0] - OUTER[0]) // 2, (screen[1] - OUTER[1]) // 2)
    if geometry[:2] != centred:
        fail("window at %s, not centred at %s" % (geometry[:2], centred))
    wait_for("the window to be active", lambda: active_window() == window)

    app = wait_for("the program on the accessibility bus", application)
    if find(app, "frame", name=TITLE) is None:
        fail("the main window is no frame for assistive tools")
    edit = wait_for("the number box", lambda: find(app, "text", description="编辑框_QQ号码"))
    for role, name in [("label", "QQ号码："), ("push button", "点我搜索"),
                       ("push button", "清空号码"), ("check box", "提示地址"),
                       ("label", "提示：双击列表可 复制歌曲地址..."), ("table", "超级列表框1")]:
        if find(app, role, name=name) is None:
            fail("no %s named %r for assistive tools" % (role, name))

    # The focus starts in the number box: just type.
    run("xdotool", "type", "--delay", "60", "10001")
    wait_for("the typed number", lambda: edit.queryText().getText(0, -1) == "10001")
    click_at(centre(find(app, "push button", name="点我搜索")))

    status = find(app, "label", description="标签_状态")
    wait_for("the status text", lambda: status.name == "一共搜索到 [6]首歌曲...")
    table = find(app, "table", name="超级列表框1").queryTable()
    if table.nRows != 6:
        fail("%d rows listed, not 6" % table.nRows)
    if table.getAccessibleAt(SAMPLE_ROW, 1).name != "海阔天空（现场版）":
        fail("row %d reads %r" % (SAMPLE_ROW, table.getAccessibleAt(SAMPLE_ROW, 1).name))
    if screenshot:
        time.sleep(0.3)
        x, y, width, height = geometry
        run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
            "+repage", screenshot)

    click_at(centre(table.getAccessibleAt(SAMPLE_ROW, 1)), repeat=2)
    box = wait_for("the message box", lambda: window_ids(CAPTION))[0]
    copied = clipboard().decode("utf-8")
    if copied != SAMPLE_ADDRESS:
        fail("the clipboard holds %r" % copied)
    if b"UTF8_STRING" not in clipboard("TARGETS"):
        fail("the clipboard offers no UTF-8 text")
    dialog = wait_for("the message on the accessibility bus",
                      lambda: find(app, "label", name="歌曲链接地址：%s\n%s" % (SAMPLE_ADDRESS, HINT)))
    if dialog is None:
        fail("the message box does not show the address and the hint")

    wait_for("the message box to be active", lambda: active_window() == box)
    run("xdotool", "key", "Return")
    wait_for("the message box to close", lambda: not window_ids(CAPTION))
    wait_for("the main window to be active again", lambda: active_window() == window)

    run("xdotool", "key", "ctrl+Escape")
    time.sleep(0.5)
    if program.poll() is not None:
        fail("Ctrl+Esc closed the program")
    run("xdotool", "key", "Escape")
    try:
        return program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        fail("Esc did not close the program")


if __name__ == "__main__":
    main()
