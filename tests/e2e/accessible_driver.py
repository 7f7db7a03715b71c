"""Drives a program through the accessibility bus as a screen reader would: windows, menus and
controls found by role and name, commands run through the action interface, tables read
through the table interface, keys typed on the display. Waits are on states and values, with
the bus's events processed meanwhile; nothing sleeps a fixed time.

Import it only inside a DesktopSession: libatspi binds this process to the session's bus when
it is first loaded.
"""

import subprocess
import time
import warnings

# The introspection loader's own notice on this Python; nothing the test can act on.
warnings.filterwarnings("ignore", category=ImportWarning)
import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

# pyatspi calls libatspi's older names; that is its business, not the test's.
warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")

# Longest wait for anything the program is asked to do.
DEFAULT_TIMEOUT = 10.0
# Longest wait for a program to come up: a sanitized build on a busy machine starts slowly.
START_TIMEOUT = 30.0


class WaitTimeout(AssertionError):
    pass


def _events_for(seconds):
    """Processes the bus's events (they refresh libatspi's cache and call listeners) for at
    most the given time, returning as soon as one was handled."""
    context = GLib.MainContext.default()
    woke = GLib.timeout_add(max(1, int(seconds * 1000)), lambda: False)
    context.iteration(True)
    source = context.find_source_by_id(woke)
    if source is not None:
        source.destroy()
    while context.pending():
        context.iteration(False)


def wait_until(condition, what, timeout=DEFAULT_TIMEOUT):
    """Returns the first true value of condition(), checking again after each event and at
    least every 50 ms; a bus error while a window comes or goes counts as not yet."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except GLib.GError:
            value = None
        if value:
            return value
        left = deadline - time.monotonic()
        if left <= 0:
            raise WaitTimeout(f"waited {timeout:.0f} s for {what}")
        _events_for(min(left, 0.05))


def label(accessible):
    """An accessible's name without the shortcut Qt appends to menu entries after a tab."""
    return (accessible.name or "").split("\t", 1)[0]


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def find_all(root, role=None, name=None, depth=12):
    """Accessibles under root (breadth first) with that role and label."""
    found, level = [], [root]
    for _ in range(depth):
        following = []
        for accessible in level:
            for child in children(accessible):
                if child is None:
                    continue
                if (role is None or child.getRole() == role) and \
                        (name is None or label(child) == name):
                    found.append(child)
                following.append(child)
        level = following
        if not level:
            break
    return found


def find(root, role=None, name=None, depth=12):
    matches = find_all(root, role, name, depth)
    return matches[0] if matches else None


def states(accessible):
    return set(accessible.getState().getStates())


def is_showing(accessible):
    return pyatspi.STATE_SHOWING in states(accessible)


def application(name, pid=None, timeout=START_TIMEOUT):
    """The running application of that name (and process), once it is on the bus."""
    desktop = pyatspi.Registry.getDesktop(0)

    def running():
        for app in find_all(desktop, pyatspi.ROLE_APPLICATION, name, depth=1):
            if pid is None or app.get_process_id() == pid:
                return app
        return None
    return wait_until(running, f"the application {name!r} on the accessibility bus", timeout)


def window(app, name, timeout=DEFAULT_TIMEOUT):
    """A shown top-level window (frame, dialog, message box) of the application by its title."""
    def shown():
        for child in children(app):
            if child is not None and label(child) == name and is_showing(child):
                return child
        return None
    return wait_until(shown, f"the window {name!r}", timeout)


def wait_gone(app, name, timeout=DEFAULT_TIMEOUT):
    """Waits until no shown top-level window of that title is left."""
    def gone():
        return all(label(child) != name or not is_showing(child)
                   for child in children(app) if child is not None)
    wait_until(gone, f"the window {name!r} to close", timeout)


def any_window(app, names, timeout=DEFAULT_TIMEOUT):
    """The first shown top-level window whose title is one of the names."""
    def shown():
        for child in children(app):
            if child is not None and label(child) in names and is_showing(child):
                return child
        return None
    return wait_until(shown, f"one of the windows {names}", timeout)


def answer(app, title, button, text=None, timeout=DEFAULT_TIMEOUT):
    """Presses a button of the message box or dialog of that title; with a text, the box must
    say it. Returns the box's texts."""
    box = window(app, title, timeout)
    texts = [label(item) for item in find_all(box, pyatspi.ROLE_LABEL)]
    if text is not None and text not in texts:
        raise AssertionError(f"{title!r} says {texts}, not {text!r}")
    target = find(box, pyatspi.ROLE_PUSH_BUTTON, button)
    if target is None:
        raise AssertionError(f"{title!r} has no button {button!r}")
    press(target)
    return texts


def type_into(field, text):
    """Replaces the text of an editable field, as a screen reader's text entry does."""
    if not field.queryEditableText().setTextContents(text):
        raise AssertionError(f"{label(field)!r} refused the text")
    wait_until(lambda: field.queryText().getText(0, -1) == text, f"{text!r} in {label(field)!r}")


def menu_item(frame, *path):
    """An entry of the frame's menu bar by the texts along its path, e.g. ("File", "Open")."""
    menu_bar = find(frame, pyatspi.ROLE_MENU_BAR)
    if menu_bar is None:
        raise AssertionError(f"{label(frame)!r} has no menu bar")
    entry = menu_bar
    for text in path:
        candidates = [child for child in find_all(entry, pyatspi.ROLE_MENU_ITEM, text, depth=2)]
        if not candidates:
            raise AssertionError(f"no menu entry {text!r} on the path {path}")
        entry = candidates[0]
    return entry


def is_enabled(accessible):
    return pyatspi.STATE_ENABLED in states(accessible)


_accessibility_bus = []


def _bus():
    """A connection of our own to the accessibility bus, for calls that must not wait."""
    if not _accessibility_bus:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                    None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                    None).unpack()[0]
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | \
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        _accessibility_bus.append(
            Gio.DBusConnection.new_for_address_sync(address, flags, None, None))
    return _accessibility_bus[0]


def press(accessible, action_names=("press", "click", "toggle", "activate")):
    """Runs the accessible's press (or click) action, as a screen reader's command would. The
    call does not wait for the program's answer: a command that opens a modal dialog answers
    only when the dialog closes. Wait on the command's effect instead."""
    action = accessible.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    for wanted in action_names:
        if wanted in names:
            _bus().call(accessible.app.bus_name, accessible.path, "org.a11y.atspi.Action",
                        "DoAction", GLib.Variant("(i)", (names.index(wanted),)), None,
                        Gio.DBusCallFlags.NONE, -1, None, None, None)
            return
    raise AssertionError(f"{label(accessible)!r} offers none of {action_names}: {names}")


def run_menu(frame, *path, timeout=DEFAULT_TIMEOUT):
    """Presses a menu entry once it is enabled."""
    entry = menu_item(frame, *path)
    wait_until(lambda: is_enabled(entry), f"the menu entry {' > '.join(path)} enabled", timeout)
    press(entry)


class Table:
    """A table read through the table interface, cells by the caption of their column."""

    def __init__(self, accessible):
        self.accessible = accessible
        self.cells = accessible.queryTable()

    def row_count(self):
        return self.cells.nRows

    def column(self, caption):
        for index in range(self.cells.nColumns):
            if self.cells.getColumnDescription(index) == caption:
                return index
        header = self.cells.getColumnHeader  # Qt names its header cells.
        for index in range(self.cells.nColumns):
            cell = header(index)
            if cell is not None and cell.name == caption:
                return index
        raise AssertionError(f"no column {caption!r}")

    def text(self, row, caption):
        return self.cells.getAccessibleAt(row, self.column(caption)).name

    def texts(self, caption):
        column = self.column(caption)
        return [self.cells.getAccessibleAt(row, column).name for row in range(self.row_count())]

    def selected_rows(self):
        return list(self.cells.getSelectedRows())


class PopupWatch:
    """Notices the next popup menu shown anywhere in the application: context menus are no
    child of the window, only their showing event tells they are there."""

    EVENT = "object:state-changed:showing"

    def __init__(self):
        self.menus = []
        pyatspi.Registry.registerEventListener(self._heard, self.EVENT)

    def _heard(self, event):
        try:
            if event.detail1 == 1 and event.source is not None and \
                    event.source.getRole() == pyatspi.ROLE_POPUP_MENU:
                self.menus.append(event.source)
        except GLib.GError:
            pass  # a menu of a program that has ended meanwhile

    def wait(self, what="a popup menu", timeout=DEFAULT_TIMEOUT):
        return wait_until(lambda: self.menus[-1] if self.menus else None, what, timeout)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._heard, self.EVENT)


class Keyboard:
    """Keys typed on the session's display (xdotool), into the window that has the focus."""

    def __init__(self, environment):
        self.environment = environment

    def _xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.environment, check=True,
                              capture_output=True, text=True, timeout=DEFAULT_TIMEOUT).stdout

    def focus(self, title):
        """Gives the window of that title the input focus; without a window manager no window
        ever becomes active by itself."""
        window_ids = self._xdotool("search", "--sync", "--onlyvisible", "--name",
                                   "^" + title + "$").split()
        self._xdotool("windowfocus", "--sync", window_ids[0])

    def press(self, *keys):
        self._xdotool("key", "--clearmodifiers", *keys)
