#!/usr/bin/python3
"""The real launcher as a screen reader meets it, over AT-SPI on a session bus of its own.

x11: on Xvfb, every control that takes the focus, in both views and the help and sample windows, has a
name and a role a screen reader can use; the help window's page tabs and their selection notices.
wayland: on a headless weston (no seat to type on, so buttons are pressed over AT-SPI), the window maps
with the desktop entry's app ID, help opens as its child, and Launch starts a fake game and ends it.
Usage: accessibility.py x11|wayland FENDRAL
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


def skip(why):
    print("skipped: " + why)
    sys.exit(77)


mode, fendral = sys.argv[1:3]
# The system's tools only, whatever the caller's PATH holds.
os.environ["PATH"] = "/usr/sbin:/usr/bin:/sbin:/bin"
for tool in ("dbus-run-session", "Xvfb" if mode == "x11" else "weston"):
    if not shutil.which(tool):
        skip(tool + " is missing")
try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    skip("python3-pyatspi is missing")
if mode == "wayland":
    plugins = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_PLUGINS"], capture_output=True, text=True)
    if not glob.glob(plugins.stdout.strip() + "/platforms/libqwayland-*.so"):
        skip("qt6-wayland is missing")

# The accessibility bus puts its socket in the runtime folder, where another run would meet it.
if not os.environ.get("FENDRAL_A11Y_BUS"):
    runtime = tempfile.mkdtemp()
    try:
        sys.exit(subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv,
                                 env=dict(os.environ, FENDRAL_A11Y_BUS="1", XDG_RUNTIME_DIR=runtime)))
    finally:
        shutil.rmtree(runtime, ignore_errors=True)

# What a control that takes the focus may be; anything else (a filler, a panel) is spoken as nothing useful.
CONTROL_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
                 pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_PAGE_TAB}
HELP_TABS = ["The Basics", "Launching Games", "About...", "Program Locations", "Game Settings", "Custom Games"]
failures = []


class Stuck(Exception):
    pass


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what)


def pump():
    while GLib.MainContext.default().iteration(False):
        pass


def wait_for(find, what, timeout=20):
    """What `find` gives once it gives something other than None or False."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        pump()
        found = find()
        if found is not None and found is not False:
            return found
        time.sleep(0.1)
    raise Stuck(what)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def find(node, role, name=None):
    return next((n for n in descendants(node) if n.getRole() == role and name in (None, n.name) and showing(n)),
                None)


def window(app, role, title):
    return lambda: next((w for w in app if w is not None and w.getRole() == role and w.name == title
                         and showing(w)), None)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names and action.doAction(names.index("Press")), "%r cannot be pressed" % node.name)


def press_button(top, name):
    press(wait_for(lambda: find(top, pyatspi.ROLE_PUSH_BUTTON, name), "no button %r" % name))


def walk(view, top):
    """Every shown control that takes the focus has a name and a role a screen reader speaks."""
    seen = 0
    for n in descendants(top):
        state = n.getState()
        if state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING):
            seen += 1
            where = "%s: %s %r" % (view, n.getRoleName(), n.name)
            check(n.name.strip() != "", where + " has no name")
            check(n.getRole() in CONTROL_ROLES, where + " has a role a screen reader cannot use")
    check(seen > 0, view + ": no control takes the focus")


def start(tmp, processes, env, settings):
    """The launcher, copied as installed beside settings of its own (no player's file of the machine's
    wins over them); its output goes to fendral.log."""
    subprocess.run(["bash", os.path.join(os.path.dirname(os.path.abspath(__file__)), "player_copy.sh"), tmp,
                    fendral], check=True)
    with open(os.path.join(tmp, "bin", "fendral.ini"), "w") as ini:
        ini.write("[Main]\n" + settings)
    log = open(os.path.join(tmp, "fendral.log"), "w")
    processes.append(subprocess.Popen([os.path.join(tmp, "bin", "fendral")], stdout=log, stderr=log,
                                      env=dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                               XDG_CONFIG_HOME=os.path.join(tmp, "config"))))
    apps = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: next((a for a in apps if a is not None and a.name.lower() == "fendral"), None),
                   "the launcher never appeared on the accessibility bus")
    return app, wait_for(window(app, pyatspi.ROLE_FRAME, "Fendral"), "the main window is not a frame named Fendral")


def every_window(tmp, processes):
    read_end, write_end = os.pipe()
    processes.append(subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        raise Stuck("no virtual display could be started")
    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    app, main_window = start(tmp, processes, env, "BatchFileStatus=True\n")  # the batch controls shown
    walk("launch view", main_window)

    press_button(main_window, "Setup")
    panel = wait_for(lambda: find(main_window, pyatspi.ROLE_PAGE_TAB_LIST), "Setup shows no tabs")
    for tab in [t for t in panel if t is not None and t.getRole() == pyatspi.ROLE_PAGE_TAB]:
        press(tab)
        # Qt's own tab bar marks its current tab as focused, not as selected.
        wait_for(lambda: tab.getState().contains(pyatspi.STATE_FOCUSED),
                 "the setup tab %r cannot be chosen" % tab.name)
        pump()
        walk("setup view, " + tab.name, main_window)

    press(panel[1])  # Game Settings, where both sample buttons are
    for frame, title in (("Your standard config file (if any)", "SampleConfig"),
                         ("Special Batch Files", "SampleBatch")):
        press_button(wait_for(lambda: find(main_window, pyatspi.ROLE_PANEL, frame), "no frame %r" % frame),
                     "Example (3DFX)")
        sample = wait_for(window(app, pyatspi.ROLE_DIALOG, title), "the %s window did not open" % title)
        walk(title, sample)
        press_button(sample, "OK")
        wait_for(lambda: window(app, pyatspi.ROLE_DIALOG, title)() is None,
                 "OK did not close the %s window" % title)

    press_button(main_window, "Help")
    help_window = wait_for(window(app, pyatspi.ROLE_DIALOG, "Fendral Help"), "the help window did not open")
    walk("help", help_window)
    pages = [t for t in wait_for(lambda: find(help_window, pyatspi.ROLE_PAGE_TAB_LIST), "help: no page tab list")
             if t is not None]
    check([(t.name, t.getRole()) for t in pages] == [(name, pyatspi.ROLE_PAGE_TAB) for name in HELP_TABS],
          "help: the page tabs are %r" % [(t.name, t.getRoleName()) for t in pages])
    selected = [t.name for t in pages if t.getState().contains(pyatspi.STATE_SELECTED)]
    check(selected == ["Custom Games"], "help: selected at first %r" % selected)

    notices = []
    pyatspi.Registry.registerEventListener(lambda event: notices.append((event.source.name, event.detail1)),
                                           "object:state-changed:selected")
    pump()
    press(pages[0])
    wait_for(lambda: ("The Basics", 1) in notices and ("Custom Games", 0) in notices,
             "help: no notice of the new selection, only %r" % notices, timeout=5)
    check(pages[0].getState().contains(pyatspi.STATE_SELECTED), "help: pressing a page tab did not select it")
    press_button(help_window, "Ok")
    check(processes[-1].poll() is None, "the launcher ended on its own")


def on_wayland(tmp, processes):
    runtime = os.environ["XDG_RUNTIME_DIR"]
    processes.append(subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--use-pixman", "--socket=fendral-e2e", "--idle-time=0"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    wait_for(lambda: os.path.exists(os.path.join(runtime, "fendral-e2e")), "weston did not start")

    q2 = os.path.join(tmp, "Quake 2")
    os.makedirs(os.path.join(q2, "baseq2"))
    record = os.path.join(tmp, "game-args")
    with open(os.path.join(q2, "quake2.exe"), "w") as game:
        game.write('#!/bin/sh\nprintf "%%s\\n" "$@" >"%s.part"\nmv "%s.part" "%s"\n' % (record, record, record))
        os.fchmod(game.fileno(), 0o755)

    # The protocol log shows what reaches the compositor.
    env = dict(os.environ, WAYLAND_DISPLAY="fendral-e2e", QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
    env.pop("DISPLAY", None)
    app, main_window = start(tmp, processes, env, "Q2Location=%s\nCDLocation=D\n" % q2)
    launcher = processes[-1]

    def logged(pattern):
        with open(os.path.join(tmp, "fendral.log"), errors="replace") as log:
            return re.search(pattern, log.read())

    # A toplevel titled Fendral with a picture attached: the window is on screen.
    wait_for(lambda: logged(r'xdg_toplevel@\d+\.set_title\("Fendral"\)') and
             logged(r'wl_surface@\d+\.attach\(wl_buffer@'),
             "the launcher's window did not map on Wayland")
    # The app ID names the desktop entry, which is how the compositor finds the icon and name.
    check(logged(r'set_app_id\("io\.github\.fendral\.Fendral"\)'), "the Wayland app ID is not the desktop entry's")

    press_button(main_window, "Help")
    help_toplevel = wait_for(lambda: logged(r'(xdg_toplevel@\d+)\.set_title\("Fendral Help"\)'),
                             "the help window did not open").group(1)
    check(logged(re.escape(help_toplevel) + r"\.set_parent\(xdg_toplevel@"),
          "the help window has no parent, so the compositor cannot keep it over the launcher")
    press_button(wait_for(window(app, pyatspi.ROLE_DIALOG, "Fendral Help"), "no help window"), "Ok")
    wait_for(lambda: logged(re.escape(help_toplevel) + r"\.destroy\(\)"), "Ok did not close the help window")

    press_button(main_window, "Launch")
    wait_for(lambda: os.path.exists(record), "Launch did not start the game")
    wait_for(launcher.poll, "the launcher did not end after starting the game")
    with open(record) as words:
        check("+set" in words.read().split("\n"), "the game got no command line")


def main():
    tmp = tempfile.mkdtemp()
    processes = []
    try:
        try:
            (every_window if mode == "x11" else on_wayland)(tmp, processes)
        except Stuck as stuck:
            check(False, str(stuck))
        if failures:
            subprocess.call(["tail", "-c", "2000", os.path.join(tmp, "fendral.log")])
            return 1
        print("ok every control in every window has a name and a role" if mode == "x11" else
              "ok on Wayland: mapped with the desktop entry's app ID, help as its child, Launch started the game")
        return 0
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(tmp, ignore_errors=True)


sys.exit(main())
