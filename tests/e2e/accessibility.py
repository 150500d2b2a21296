#!/usr/bin/python3
"""What a screen reader finds in the real launcher, over AT-SPI on a virtual display of its own.

Walks the main window in the launch view and on each setup tab, the help window and the two sample
windows, opened by pressing their buttons as a screen reader would. Fails on any control that takes
the focus without a name or with a role a screen reader cannot use, and checks the help window's
page tabs and the notice sent when the selected one changes.

Usage: accessibility.py FENDRAL
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(why):
    print("skipped: " + why)
    sys.exit(SKIP)


for tool in ("Xvfb", "dbus-run-session"):
    if not shutil.which(tool):
        skip(tool + " is missing")
try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    skip("python3-pyatspi is missing")

# Everything below runs on a session bus of its own, which ends with this script, and in a runtime
# folder of its own: the accessibility bus puts its socket there, where another run would meet it.
if not os.environ.get("FENDRAL_A11Y_BUS"):
    runtime = tempfile.mkdtemp()
    try:
        sys.exit(subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv,
                                 env=dict(os.environ, FENDRAL_A11Y_BUS="1", XDG_RUNTIME_DIR=runtime)))
    finally:
        shutil.rmtree(runtime, ignore_errors=True)

# The roles a control that takes the focus may have; anything else (a filler, a panel) is spoken
# as nothing useful.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PAGE_TAB_LIST,
    pyatspi.ROLE_PAGE_TAB,
}
HELP_TABS = ["The Basics", "Launching Games", "About...", "Program Locations", "Game Settings", "Custom Games"]

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what)


def wait_for(find, what, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        pump()
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    raise Stuck(what)


class Stuck(Exception):
    pass


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(node, role, name=None):
    for n in descendants(node):
        if n.getRole() == role and (name is None or n.name == name) and showing(n):
            return n
    return None


def window(app, role, title):
    return lambda: next((w for w in app if w is not None and w.getRole() == role and w.name == title
                         and showing(w)), None)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    return "Press" in names and action.doAction(names.index("Press"))


def walk(view, top):
    """Every shown control that takes the focus has a name and a role a screen reader speaks."""
    seen = 0
    for n in descendants(top):
        state = n.getState()
        if not state.contains(pyatspi.STATE_FOCUSABLE) or not state.contains(pyatspi.STATE_SHOWING):
            continue
        seen += 1
        where = "%s: %s %r" % (view, n.getRoleName(), n.name)
        check(n.name.strip() != "", where + " has no name")
        check(n.getRole() in CONTROL_ROLES, where + " has a role a screen reader cannot use")
    check(seen > 0, view + ": no control takes the focus")


def walk_every_window(fendral, tmp, processes):
    # A copy beside a settings file of its own, with the batch file controls shown.
    shutil.copy(fendral, os.path.join(tmp, "fendral"))
    with open(os.path.join(tmp, "fendral.ini"), "w") as ini:
        ini.write("[Main]\nBatchFileStatus=True\n")

    read_end, write_end = os.pipe()
    processes.append(subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        raise Stuck("no virtual display could be started")

    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("WAYLAND_DISPLAY", None)
    log = open(os.path.join(tmp, "fendral.log"), "w")
    launcher = subprocess.Popen([os.path.join(tmp, "fendral")], env=env, stdout=log, stderr=log)
    processes.append(launcher)

    def application():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == "fendral":
                return app
        return None

    app = wait_for(application, "the launcher never appeared on the accessibility bus")
    main_window = wait_for(window(app, pyatspi.ROLE_FRAME, "Fendral"), "the main window is not a frame named Fendral")
    walk("launch view", main_window)

    press(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Setup"))
    panel = wait_for(lambda: find(main_window, pyatspi.ROLE_PAGE_TAB_LIST), "Setup shows no tabs")
    for tab in [t for t in panel if t is not None and t.getRole() == pyatspi.ROLE_PAGE_TAB]:
        press(tab)
        # Qt's own tab bar marks its current tab as focused, not as selected.
        wait_for(lambda: tab if tab.getState().contains(pyatspi.STATE_FOCUSED) else None,
                 "the setup tab %r cannot be chosen" % tab.name)
        pump()
        walk("setup view, " + tab.name, main_window)

    # The sample windows open from the Game Settings tab, where both their buttons are.
    press(panel[1])
    for frame, title in (("Your standard config file (if any)", "SampleConfig"),
                         ("Special Batch Files", "SampleBatch")):
        box = wait_for(lambda: find(main_window, pyatspi.ROLE_PANEL, frame), "no frame %r" % frame)
        press(find(box, pyatspi.ROLE_PUSH_BUTTON, "Example (3DFX)"))
        sample = wait_for(window(app, pyatspi.ROLE_DIALOG, title), "the %s window did not open" % title)
        walk(title, sample)
        press(find(sample, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        wait_for(lambda: None if window(app, pyatspi.ROLE_DIALOG, title)() else True,
                 "OK did not close the %s window" % title)

    press(find(main_window, pyatspi.ROLE_PUSH_BUTTON, "Help"))
    help_window = wait_for(window(app, pyatspi.ROLE_DIALOG, "Fendral Help"), "the help window did not open")
    walk("help", help_window)
    tabs = find(help_window, pyatspi.ROLE_PAGE_TAB_LIST)
    check(tabs is not None, "help: no page tab list")
    if tabs is not None:
        pages = [t for t in tabs if t is not None]
        check([t.name for t in pages] == HELP_TABS, "help: the page tabs are %r" % [t.name for t in pages])
        check([t.getRole() for t in pages] == [pyatspi.ROLE_PAGE_TAB] * 6, "help: not every tab is a page tab")
        selected = [t.name for t in pages if t.getState().contains(pyatspi.STATE_SELECTED)]
        check(selected == ["Custom Games"], "help: selected at first %r" % selected)

        notices = []
        listener = lambda event: notices.append((event.source.name, event.detail1))
        pyatspi.Registry.registerEventListener(listener, "object:state-changed:selected")
        pump()
        press(pages[0])
        wait_for(lambda: pages[0] if pages[0].getState().contains(pyatspi.STATE_SELECTED) else None,
                 "help: pressing a page tab did not select it")
        deadline = time.time() + 5
        while ("The Basics", 1) not in notices and time.time() < deadline:
            pump()
            time.sleep(0.05)
        check(("The Basics", 1) in notices and ("Custom Games", 0) in notices,
              "help: no notice of the new selection, only %r" % notices)
        pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:selected")
    press(find(help_window, pyatspi.ROLE_PUSH_BUTTON, "Ok"))

    check(launcher.poll() is None, "the launcher ended on its own")


def main():
    tmp = tempfile.mkdtemp()
    processes = []
    try:
        try:
            walk_every_window(sys.argv[1], tmp, processes)
        except Stuck as stuck:
            running = len(processes) > 1 and processes[-1].poll() is None
            check(False, "%s (the launcher %s)" % (stuck, "still runs" if running else "is not running"))
        if failures:
            log = os.path.join(tmp, "fendral.log")
            if os.path.exists(log):
                with open(log) as output:
                    print("--- launcher output\n" + output.read()[-2000:])
            return 1
        print("ok every control in every window has a name and a role")
        return 0
    finally:
        for process in reversed(processes):
            process.kill()
            process.wait()
        shutil.rmtree(tmp, ignore_errors=True)


sys.exit(main())
