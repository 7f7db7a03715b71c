"""A private desktop for one test: Xvfb, a session bus of its own and the program under test.

Everything started here is ended when the session closes, also when the test fails, so that a
run leaves no server, bus or window behind.
"""

import os
import shutil
import signal
import subprocess
import tempfile

# The test's exit code for "skipped" (CTest's SKIP_RETURN_CODE).
SKIPPED = 77

REQUIRED_PROGRAMS = ("Xvfb", "dbus-daemon", "xdotool")
# The session bus starts it when the program first asks for the accessibility bus.
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def missing_programs():
    missing = [name for name in REQUIRED_PROGRAMS if shutil.which(name) is None]
    if not os.path.exists(BUS_LAUNCHER):
        missing.append(BUS_LAUNCHER)
    return missing


def _read_line(fd, what, process):
    """The first line a child writes to the pipe; the child ending first is an error."""
    text = b""
    with os.fdopen(fd, "rb") as pipe:
        while not text.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                raise RuntimeError(f"{what} ended before it was ready (exit {process.poll()})")
            text += chunk
    return text.decode().strip()


class DesktopSession:
    """Use as a context manager; start() the program under test inside it."""

    def __init__(self, screen="1280x1024x24"):
        self.screen = screen
        self.folder = tempfile.mkdtemp(prefix="quexa_e2e_")
        self.display = None
        self.bus_address = None
        self._children = []

    def __enter__(self):
        try:
            self._start_display()
            self._start_bus()
        except BaseException:
            self.close()
            raise
        # libatspi reads these when it is first imported and binds this process to that bus.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        return self

    def __exit__(self, *_):
        self.close()
        return False

    def _spawn(self, name, arguments, pass_fds=(), env=None):
        with open(os.path.join(self.folder, name + ".log"), "wb") as log:
            process = subprocess.Popen(arguments, stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=log, pass_fds=pass_fds, env=env,
                                       start_new_session=True)
        self._children.append((name, process))
        return process

    def _start_display(self):
        read_end, write_end = os.pipe()
        process = self._spawn("xvfb", ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                                       "-screen", "0", self.screen], pass_fds=(write_end,))
        os.close(write_end)
        self.display = ":" + _read_line(read_end, "Xvfb", process)

    def _start_bus(self):
        read_end, write_end = os.pipe()
        process = self._spawn("bus", ["dbus-daemon", "--session", "--nofork",
                                      f"--print-address={write_end}"], pass_fds=(write_end,))
        os.close(write_end)
        self.bus_address = _read_line(read_end, "dbus-daemon", process)

    def environment(self, **extra):
        """The environment a program of this desktop gets: its display and bus, accessibility
        on, and no accessibility bus address inherited (with one the program never appears)."""
        env = {key: value for key, value in os.environ.items()
               if key not in ("AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        env.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus_address,
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=self._runtime_folder())
        env.update(extra)
        return env

    def _runtime_folder(self):
        path = os.path.join(self.folder, "runtime")
        os.makedirs(path, mode=0o700, exist_ok=True)
        return path

    def start(self, name, arguments, **extra_environment):
        """Starts a program on this desktop; its output goes to NAME.log in the session folder
        (a program started again under the same name starts a new log)."""
        return self._spawn(name, arguments, env=self.environment(**extra_environment))

    def stop(self, process):
        """Ends one program started here, if it still runs."""
        _end(process)
        self._children = [(name, child) for name, child in self._children if child is not process]

    def log(self, name):
        """What a child printed so far."""
        path = os.path.join(self.folder, name + ".log")
        with open(path, "rb") as file:
            return file.read().decode(errors="replace")

    def close(self):
        """Ends every child, the last started first, then removes the session folder."""
        for _, process in reversed(self._children):
            _end(process)
        self._children.clear()
        shutil.rmtree(self.folder, ignore_errors=True)


def _end(process):
    if process.poll() is not None:
        return
    try:
        # The program's own group: a bus also takes the services it activated with it.
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=5)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()
