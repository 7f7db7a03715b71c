#!/usr/bin/python3
"""quexa started under Xvfb and driven through the accessibility bus as a screen reader would:
the window found by its title, menus by their texts, the list read through the table interface.

Usage: window_test.py --quexa PATH --cli PATH [unittest options]
Exits with 77 (skipped) only when the programs or Python modules the desktop needs are missing.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session  # noqa: E402

TITLE = "Quexa 1.03"
PROGRAMS = {}


def missing_packages():
    missing = desktop_session.missing_programs()
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi  # noqa: F401
    except (ImportError, ValueError) as error:
        missing.append(f"pyatspi ({error})")
    return missing


def write_result_file(home, name, titles):
    """A result file written by quexa-cli, one item per title."""
    lines = "".join(json.dumps({"title": title, "location": f"https://example.org/{title}",
                                "target": "Demo", "preview": f"About {title}"}) + "\n"
                    for title in titles)
    path = os.path.join(home, name)
    subprocess.run([PROGRAMS["cli"], "--home", home, "--settings",
                    os.path.join(home, "settings.conf"), "save", path],
                   input=lines.encode(), check=True, capture_output=True, timeout=60)
    return path


class WindowTest(unittest.TestCase):
    """Each test has a desktop, a bus and a home folder of its own."""

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="quexa_e2e_home_")
        self.session = desktop_session.DesktopSession().__enter__()
        self.addCleanup(self.session.close)
        self.addCleanup(subprocess.run, ["rm", "-rf", self.home])
        import accessible_driver
        self.driver = accessible_driver

    def start(self, *arguments):
        """Starts quexa in the test's home and waits for its main window."""
        self.process = self.session.start("quexa", [
            PROGRAMS["quexa"], "--home", self.home, "--settings",
            os.path.join(self.home, "settings.conf"), *arguments])
        self.addCleanup(self.report_output)
        self.app = self.driver.application("Quexa")
        self.frame = self.driver.window(self.app, TITLE)
        return self.frame

    def report_output(self):
        """What the program printed, shown when its test failed."""
        outcome = getattr(self, "_outcome", None)
        failed = outcome is not None and not outcome.success
        if failed:
            sys.stderr.write(f"--- quexa's output ---\n{self.session.log('quexa')}\n")

    def result_list(self):
        import pyatspi
        table = self.driver.find(self.frame, pyatspi.ROLE_TABLE, "Result List")
        self.assertIsNotNone(table, "the result list has no accessible table")
        return self.driver.Table(table)

    def wait_for_exit(self):
        exit_code = self.driver.wait_until(
            lambda: (self.process.poll(),) if self.process.poll() is not None else None,
            "quexa to end")[0]
        self.assertEqual(exit_code, 0, "quexa's exit code")

    def test_result_file_named_on_the_command_line_is_listed_and_exit_closes(self):
        path = write_result_file(self.home, "three.qzr", ["Alpha", "Bravo", "Charlie"])
        self.start(path)
        rows = self.result_list()
        self.driver.wait_until(lambda: rows.row_count() == 3, "the list's three rows")
        self.assertEqual([rows.text(row, "Title") for row in range(3)],
                         ["Alpha", "Bravo", "Charlie"])
        self.assertEqual(rows.text(1, "Location"), "https://example.org/Bravo")

        self.driver.run_menu(self.frame, "File", "Exit")
        self.wait_for_exit()


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--quexa", required=True)
    parser.add_argument("--cli", required=True)
    known, rest = parser.parse_known_args()
    PROGRAMS.update(quexa=known.quexa, cli=known.cli)
    missing = missing_packages()
    if missing:
        print("SKIPPED: the end-to-end test needs " + ", ".join(missing) +
              " (Debian: at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus xdotool xvfb;"
              " ./test.sh installs them)")
        return desktop_session.SKIPPED
    program = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
