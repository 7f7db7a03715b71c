#!/usr/bin/python3
"""quexa started under Xvfb and driven through the accessibility bus as a screen reader would:
the window found by its title, menus by their texts, the list read through the table interface.

Usage: window_test.py --quexa PATH --cli PATH --farm PATH [unittest options]
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
    """The tests share one desktop and bus (libatspi binds a process to one bus for good); each
    has a home folder and a program of its own."""

    @classmethod
    def setUpClass(cls):
        cls.session = desktop_session.DesktopSession().__enter__()
        import accessible_driver
        cls.driver = accessible_driver

    @classmethod
    def tearDownClass(cls):
        cls.session.close()

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="quexa_e2e_home_")
        self.addCleanup(subprocess.run, ["rm", "-rf", self.home])

    def start(self, *arguments):
        """Starts quexa in the test's home and waits for its main window."""
        self.process = self.session.start("quexa", [
            PROGRAMS["quexa"], "--home", self.home, "--settings",
            os.path.join(self.home, "settings.conf"), *arguments])
        self.addCleanup(self.session.stop, self.process)
        self.addCleanup(self.report_output)
        self.app = self.driver.application("Quexa", self.process.pid)
        self.frame = self.driver.window(self.app, TITLE, self.driver.START_TIMEOUT)
        return self.frame

    def report_output(self):
        """What the program printed, shown when its test failed."""
        result = getattr(getattr(self, "_outcome", None), "result", None)
        problems = (result.failures + result.errors) if result is not None else []
        if any(test is self for test, _ in problems):
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

    def run_internet_wizard(self, keywords):
        """Task > New Search through the mode dialog and the three pages of the Internet
        wizard, with the remembered category and scheme and the keywords given."""
        import pyatspi
        driver = self.driver
        driver.run_menu(self.frame, "Task", "New Search")
        mode = driver.window(self.app, "New Search - Choose Search Mode")
        internet = driver.find(mode, pyatspi.ROLE_RADIO_BUTTON, "I Want Search Internet")
        driver.wait_until(lambda: pyatspi.STATE_CHECKED in driver.states(internet),
                          "Internet chosen as the search mode")
        driver.press(driver.find(mode, pyatspi.ROLE_PUSH_BUTTON, "Next Step"))
        for step in (1, 2):
            page = driver.window(self.app, f"New Search - Search Internet (Step {step}/3)")
            driver.press(driver.find(page, pyatspi.ROLE_PUSH_BUTTON, "Next >"))
        page = driver.window(self.app, "New Search - Search Internet (Step 3/3)")
        # The keywords' box: the shown editable combo box (it is named by its text).
        words = driver.wait_until(
            lambda: next((driver.find(box, pyatspi.ROLE_TEXT)
                          for box in driver.find_all(page, pyatspi.ROLE_COMBO_BOX)
                          if driver.is_showing(box) and driver.find(box, pyatspi.ROLE_TEXT)),
                         None), "the keywords' box")
        driver.type_into(words, keywords)
        driver.press(driver.find(page, pyatspi.ROLE_PUSH_BUTTON, "Finish"))
        driver.wait_gone(self.app, "New Search - Search Internet (Step 3/3)")

    def answer_save_question(self, button):
        self.driver.answer(self.app, "Note:", button, text="Do you want save ?")

    def test_open_read_a_context_menu_command_and_exit_with_save(self):
        import pyatspi
        path = write_result_file(self.home, "three.qzr", ["Alpha", "Bravo", "Charlie"])
        self.start()
        self.driver.run_menu(self.frame, "File", "Open")
        dialog = self.driver.window(self.app, "Open Quexa Result File")
        self.driver.type_into(self.driver.find(dialog, pyatspi.ROLE_TEXT, "File name:"), path)
        self.driver.press(self.driver.find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Open"))
        self.driver.wait_gone(self.app, "Open Quexa Result File")

        rows = self.result_list()
        self.driver.wait_until(lambda: rows.row_count() == 3, "the file's three rows")
        self.assertEqual(rows.texts("Title"), ["Alpha", "Bravo", "Charlie"])
        self.assertEqual(rows.text(1, "Location"), "https://example.org/Bravo")

        # The second row chosen by keyboard, its context menu opened by the Menu key.
        keyboard = self.driver.Keyboard(self.session.environment())
        keyboard.focus(TITLE)
        keyboard.press("ctrl+Home", "Down")
        self.driver.wait_until(lambda: rows.selected_rows() == [1], "the second row chosen")
        popups = self.driver.PopupWatch()
        self.addCleanup(popups.close)
        keyboard.press("Menu")
        menu = popups.wait("the list's context menu")
        entry = self.driver.find(menu, pyatspi.ROLE_MENU_ITEM, "Delete Current", depth=1)
        self.assertIsNotNone(entry, "the context menu has no Delete Current")
        self.assertTrue(self.driver.is_enabled(entry))
        self.driver.press(entry)
        self.driver.wait_until(lambda: rows.row_count() == 2, "the row deleted")
        self.assertEqual(rows.texts("Title"), ["Alpha", "Charlie"])

        self.driver.run_menu(self.frame, "File", "Exit")
        self.answer_save_question("Yes")
        self.wait_for_exit()
        saved = subprocess.run([PROGRAMS["cli"], "--home", self.home, "show", "--json", path],
                               check=True, capture_output=True, text=True, timeout=60)
        titles = [json.loads(line).get("title") for line in saved.stdout.splitlines()[1:]]
        self.assertEqual(titles, ["Alpha", "Charlie"])

    def test_new_search_of_the_demo_farm_fills_the_list_and_the_engine_bar(self):
        import pyatspi
        self.start_demo_farm()
        for section, key, value in (("UserData", "LastCategory", "Demo"),
                                    ("UserData", "Key.Internet", "solar kite")):
            subprocess.run([PROGRAMS["cli"], "--home", self.home, "--settings",
                            os.path.join(self.home, "settings.conf"), "config", "set", section,
                            key, value], check=True, capture_output=True, timeout=60)
        self.start()
        self.run_internet_wizard("solar kite")
        engines = self.driver.Table(
            self.driver.find(self.frame, pyatspi.ROLE_TABLE, "Engine Progress"))
        self.driver.wait_until(lambda: engines.row_count() > 0, "the engines in the engine bar")
        rows = self.result_list()
        self.driver.wait_until(lambda: rows.row_count() > 0, "the search's first results")
        new_search = self.driver.menu_item(self.frame, "Task", "New Search")
        self.driver.wait_until(lambda: self.driver.is_enabled(new_search), "the search's end",
                               timeout=30)
        self.assertTrue(all(rows.texts("Title")), "every result has a title")
        self.driver.answer(self.app, "Note:", "OK", text="All task have finished!")

        self.driver.run_menu(self.frame, "File", "Exit")
        self.answer_save_question("No")
        self.wait_for_exit()

    def test_open_a_result_file_from_the_tree_by_keyboard(self):
        import pyatspi
        os.makedirs(os.path.join(self.home, "Data", "MyFav"), exist_ok=True)
        write_result_file(self.home, os.path.join("Data", "MyFav", "kites.qzr"), ["Delta", "Echo"])
        self.start()
        tree = self.driver.find(self.frame, name="Result File Tree")
        self.assertIsNotNone(tree, "the file manager has no accessible tree")
        keyboard = self.driver.Keyboard(self.session.environment())
        keyboard.focus(TITLE)
        # Tab moves the focus from part to part of the window until it reaches the tree.
        for _ in range(20):
            if pyatspi.STATE_FOCUSED in self.driver.states(tree):
                break
            keyboard.press("Tab")
        self.driver.wait_until(lambda: pyatspi.STATE_FOCUSED in self.driver.states(tree),
                               "the tree focused by Tab")
        # From the root down to My Favorite, opened, and its one file chosen.
        keyboard.press("Home", "Down", "Down", "Down", "Right", "Down")
        popups = self.driver.PopupWatch()
        keyboard.press("Menu")
        menu = popups.wait("the tree's context menu")
        entry = self.driver.find(menu, pyatspi.ROLE_MENU_ITEM, "Open", depth=1)
        self.assertIsNotNone(entry, "the file's menu has no Open")
        self.driver.press(entry)
        rows = self.result_list()
        self.driver.wait_until(lambda: rows.row_count() == 2, "the file's two rows")
        self.assertEqual(rows.texts("Title"), ["Delta", "Echo"])

        self.driver.run_menu(self.frame, "File", "Exit")
        self.wait_for_exit()

    # New Search's dialogs: the mode dialog and the Internet wizard.
    MODE_TITLE = "New Search - Choose Search Mode"
    STEP_TITLES = [f"New Search - Search Internet (Step {step}/3)" for step in (1, 2, 3)]

    @staticmethod
    def searchable(title):
        """A title as xdotool's search pattern has it: the parentheses taken literally."""
        return title.replace("(", "\\(").replace(")", "\\)")

    def start_demo_farm(self):
        farm = self.session.start("farm", [PROGRAMS["farm"], "--home", self.home])
        self.addCleanup(self.session.stop, farm)
        self.driver.wait_until(lambda: self.session.log("farm").strip(), "the demo farm")

    def test_new_search_through_the_mode_dialog_and_the_internet_wizard_by_keyboard(self):
        import pyatspi
        self.start_demo_farm()
        self.start()
        keyboard = self.driver.Keyboard(self.session.environment())
        self.driver.run_menu(self.frame, "Task", "New Search")
        modes = self.driver.window(self.app, self.MODE_TITLE)
        keyboard.focus(self.MODE_TITLE)
        # Down to the empty file and back up to the Internet search.
        keyboard.press("Down", "Down", "Up", "Up")
        internet = self.driver.find(modes, pyatspi.ROLE_RADIO_BUTTON, "I Want Search Internet")
        self.driver.wait_until(lambda: pyatspi.STATE_CHECKED in self.driver.states(internet),
                               "the Internet search chosen")
        keyboard.press("Return")

        step = self.driver.window(self.app, self.STEP_TITLES[0])
        keyboard.focus(self.searchable(self.STEP_TITLES[0]))
        # Qt names a box that cannot be typed into by its current entry; letters choose the entry
        # that starts with them.
        self.assertIsNotNone(self.driver.find(step, pyatspi.ROLE_COMBO_BOX, "The Web"),
                             "step 1 does not start on the first category")
        keyboard.press("d")
        self.driver.wait_until(lambda: self.driver.find(step, pyatspi.ROLE_COMBO_BOX, "Demo"),
                               "the Demo category chosen")
        keyboard.press("alt+n")
        step = self.driver.window(self.app, self.STEP_TITLES[1])
        schemes = self.driver.find(step, pyatspi.ROLE_LIST, "Search scheme:")
        self.assertIsNotNone(schemes, "step 2 has no scheme list named by its label")
        keyboard.press("alt+n")
        step = self.driver.window(self.app, self.STEP_TITLES[2])
        keyboard.press("alt+k", "ctrl+a", *["space" if c == " " else c for c in "solar kite"])
        keyboard.press("Return")
        self.driver.wait_gone(self.app, self.STEP_TITLES[2])

        rows = self.result_list()
        self.driver.wait_until(lambda: rows.row_count() > 0, "the search's first results")
        self.driver.answer(self.app, "Note:", "OK", text="All task have finished!", timeout=60)
        self.driver.run_menu(self.frame, "File", "Exit")
        self.answer_save_question("No")
        self.wait_for_exit()
        for key, value in (("LastCategory", "Demo"), ("Key.Internet", "solar kite")):
            stored = subprocess.run(
                [PROGRAMS["cli"], "--home", self.home, "--settings",
                 os.path.join(self.home, "settings.conf"), "config", "get", "UserData", key],
                check=True, capture_output=True, text=True, timeout=60)
            self.assertEqual(stored.stdout.strip(), value)


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--quexa", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--farm", required=True)
    known, rest = parser.parse_known_args()
    PROGRAMS.update(quexa=known.quexa, cli=known.cli, farm=known.farm)
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
