#!/usr/bin/env python3
"""The Linux program end to end: the real `ondrava` on a virtual X desktop
with a window manager (openbox) and a compositor, driven with xdotool and
read with xwininfo, xprop and screenshots.

    ondrava_e2e_test.py --ondrava PATH --snap PATH [unittest options]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (DESKTOP_RGB, Desktop, Ondrava, TimedOut, poll,  # noqa: E402
                     raw_pixels, read_ini, write_ini)

PROGRAM = None
SNAP = None
FIXED_TIME = ("2026-01-01", "10:08:30.000")
# The placement most tests start from.
WINDOW = {"Left": 100, "Top": 100, "Width": 200, "Height": 200}


def pixel(rgb, width, x, y):
    return tuple(rgb[3 * (y * width + x):3 * (y * width + x) + 3])


def over_desktop(rgba):
    """A premultiplied RGBA frame as it shows over the desktop, rounded."""
    shown = bytearray()
    for i in range(0, len(rgba), 4):
        alpha = rgba[i + 3]
        for c in range(3):
            shown.append(min(255, rgba[i + c] + (DESKTOP_RGB[c] * (255 - alpha) + 127) // 255))
    return shown


def wait_for_globe(desktop, left, top, size):
    """The window's pixels once the globe, built in the background, shows
    below the centre."""
    def shown():
        pixels = desktop.capture(left, top, size, size)
        return pixels if pixel(pixels, size, size // 2 - 40, size // 2 + 50) != DESKTOP_RGB \
            else None
    return poll(shown, "the globe to be drawn", timeout=60)


class ProgramCase(unittest.TestCase):
    """A desktop per class, a fresh folder and program per test."""
    tray = False

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(tray=cls.tray).start()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.stop()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="ondrava-e2e-")
        self.runs = []
        self.desktop.move_pointer(2, 2)

    def tearDown(self):
        for run in self.runs:
            run.kill()
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self, form=None, args=None, env=None, program=None, option=None):
        ini = os.path.join(self.folder, "settings.ini")
        if form is not None:
            write_ini(ini, form, option)
        run = Ondrava(self.desktop, program or PROGRAM, [ini] if args is None else args,
                      env=dict({"HOME": self.folder}, **(env or {})))
        self.runs.append(run)
        return run, ini


class WindowTest(ProgramCase):
    def test_window_is_a_32_bit_tool_window_on_top_outside_taskbars(self):
        run, _ = self.start({"Left": 100, "Top": 120, "Width": 200, "Height": 200})
        info = run.info()
        self.assertEqual(info["depth"], 32, "a per-pixel translucent visual")
        self.assertEqual((info["x"], info["y"], info["width"], info["height"]),
                         (100, 120, 200, 200))
        self.assertIn("_NET_WM_WINDOW_TYPE_UTILITY",
                      self.desktop.atoms(run.window, "_NET_WM_WINDOW_TYPE"))
        self.assertTrue({"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER"} <= run.state(), run.state())

    def test_a_window_saved_off_every_screen_comes_back(self):
        run, _ = self.start({"Left": 5000, "Top": -4000, "Width": 128, "Height": 128})
        info = run.info()
        self.assertTrue(0 <= info["x"] <= 1024 - 128 and 0 <= info["y"] <= 768 - 128, info)

    def test_stay_on_top_follows_the_menu_and_is_saved(self):
        run, ini = self.start(WINDOW)
        run.choose("s")
        poll(lambda: "_NET_WM_STATE_ABOVE" not in run.state(), "stay-on-top off")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", run.state())
        self.assertEqual(read_ini(ini)["form"]["stayontop"], "False")
        run.choose("s")
        poll(lambda: "_NET_WM_STATE_ABOVE" in run.state(), "stay-on-top on")
        self.assertEqual(read_ini(ini)["form"]["stayontop"], "True")

    def test_a_drag_from_the_centre_moves_the_window_and_sigterm_saves_it(self):
        run, ini = self.start(WINDOW)
        self.desktop.drag(run.centre(), (120, 60))
        try:
            poll(lambda: (run.info()["x"], run.info()["y"]) == (220, 160), "the move")
        except AssertionError:
            self.fail("the window is at %r" % run.info())
        self.assertEqual(run.terminate(), 0)
        form = read_ini(ini)["form"]
        self.assertEqual((form["left"], form["top"], form["width"]), ("220", "160", "200"))

    def test_a_drag_on_the_rim_resizes_and_the_window_stays_square(self):
        run, ini = self.start(WINDOW)
        self.desktop.drag((290, 290), (60, 24))  # the bottom-right rim
        poll(lambda: run.info()["width"] > 230, "the resize")
        poll(lambda: run.info()["width"] == run.info()["height"], "a square window")
        info = run.info()
        self.assertEqual((info["x"], info["y"]), (100, 100), "the top-left corner stays")
        self.desktop.drag((110, 200), (60, 0))  # the left rim, inwards
        poll(lambda: run.info()["width"] < info["width"] - 30, "the second resize")
        poll(lambda: run.info()["width"] == run.info()["height"], "a square window")
        self.assertEqual(run.terminate(), 0)
        form = read_ini(ini)["form"]
        self.assertEqual(form["width"], form["height"])

    def test_the_wheel_changes_the_hands_and_with_shift_the_characters(self):
        run, ini = self.start(WINDOW)
        self.desktop.move_pointer(*run.ring_point())
        for _ in range(3):
            self.desktop.xdotool("click", 4)  # a notch away from the user
        self.desktop.xdotool("keydown", "shift")
        self.desktop.xdotool("click", 5)  # towards the user
        self.desktop.xdotool("keyup", "shift")
        self.assertEqual(run.terminate(), 0)
        option = read_ini(ini)["option"]
        self.assertEqual((option["handsalpha"], option["mojialpha"]), ("131", "127"))

    def test_a_drag_in_the_ring_turns_the_globe_and_with_ctrl_tilts_its_axis(self):
        run, ini = self.start(WINDOW)
        x, y = run.ring_point()
        self.desktop.drag((x, y), (40, 0))
        self.desktop.xdotool("keydown", "ctrl")
        self.desktop.drag((x, y), (0, 40))
        self.desktop.xdotool("keyup", "ctrl")
        self.assertEqual(run.terminate(), 0)
        saved = read_ini(ini)
        self.assertNotEqual(saved["revolution"]["offset"], "0", "the spin was re-anchored")
        self.assertNotEqual(float(saved["option"]["angle"]), 30.0, "the axis was tilted")

    def test_click_through_lets_a_click_reach_the_window_beneath(self):
        xev = subprocess.Popen(
            ["xev", "-geometry", "400x400+50+50", "-name", "beneath", "-event", "button"],
            env=self.desktop.env(), stdout=subprocess.PIPE, text=True)
        self.addCleanup(xev.stdout.close)
        self.addCleanup(xev.kill)
        poll(lambda: self.desktop.xdotool("search", "--onlyvisible", "--name", "^beneath$").strip(),
             "the window beneath")
        run, ini = self.start({"Left": 150, "Top": 150, "Width": 200, "Height": 200})
        target = run.ring_point()
        self.desktop.click(*target)
        run.choose("i", at=target)  # click-through on
        self.assertEqual(read_ini(ini)["form"]["transparent"], "True")
        self.desktop.click(*target)
        self.desktop.move_pointer(2, 2)
        xev.kill()
        output = xev.communicate()[0]
        presses = output.count("ButtonPress")
        self.assertEqual(presses, 1, "only the click made while click-through was on:\n" + output)

    def test_the_desktop_shows_outside_the_globe_and_blends_inside_it(self):
        run, _ = self.start({"Left": 300, "Top": 200, "Width": 256, "Height": 256})
        pixels = wait_for_globe(self.desktop, 300, 200, 256)
        self.assertEqual(pixel(pixels, 256, 3, 3), DESKTOP_RGB,
                         "nothing drawn in the window's corner")
        self.assertNotEqual(pixel(pixels, 256, 128 - 40, 128 + 50), DESKTOP_RGB)

    def test_the_colour_font_and_texture_dialogs_open_and_cancel(self):
        run, ini = self.start(WINDOW)
        for keys in (("c", "h"), ("c", "f"), ("e", "o")):  # hour hand, font, texture
            run.open_menu_at(*run.ring_point())
            for key in keys:
                self.desktop.xdotool("key", key)
            poll(run.dialogs, "the dialog of %s" % "+".join(keys))
            self.desktop.xdotool("key", "Escape")
            poll(lambda: not run.dialogs(), "the dialog to close")
        self.assertEqual(run.terminate(), 0)
        saved = read_ini(ini)
        self.assertEqual(saved["color"]["hourhand"], "16711680", "a cancelled colour")
        self.assertEqual(saved["option"]["filename"], "", "a cancelled file")

    def test_the_menu_key_and_shift_f10_open_the_menu_at_the_centre(self):
        run, _ = self.start(WINDOW)
        for key in ("Menu", "shift+F10"):
            self.desktop.move_pointer(2, 2)  # far from where the menu must open
            self.desktop.xdotool("windowactivate", "--sync", run.window)
            self.desktop.xdotool("key", key)
            menu = poll(run.popups, "the popup menu after %s" % key)[0]
            info = self.desktop.window_info(menu)
            self.assertEqual((info["x"], info["y"]), (200, 200), key)
            self.desktop.xdotool("key", "Escape")
            poll(lambda: not run.popups(), "the menu to close after %s" % key)
        self.assertEqual(run.terminate(), 0)

    def test_alt_slash_opens_the_about_box(self):
        run, _ = self.start(WINDOW)
        self.desktop.xdotool("windowactivate", "--sync", run.window)
        self.desktop.xdotool("key", "alt+slash")
        box = poll(lambda: self.desktop.xdotool("search", "--onlyvisible", "--name",
                                                "^About Ondrava$").split(), "the About box")
        self.assertTrue(box)
        self.desktop.xdotool("key", "--window", box[0], "Return")
        self.desktop.xdotool("windowactivate", "--sync", box[0])
        self.desktop.xdotool("key", "Return")
        poll(lambda: not self.desktop.xdotool("search", "--onlyvisible", "--name",
                                              "^About Ondrava$").split(), "the box to close")


class LanguageTest(ProgramCase):
    """The menu and the About box speak the user's language: Japanese for a
    Japanese locale, English otherwise, and [Option] Language over both."""

    def about_title(self, run):
        self.desktop.xdotool("windowactivate", "--sync", run.window)
        self.desktop.xdotool("key", "alt+slash")
        box = poll(run.dialogs, "the About box")[0]
        title = self.desktop.xdotool("getwindowname", box).strip()
        self.desktop.xdotool("key", "Escape")
        poll(lambda: not run.dialogs(), "the About box to close")
        return title

    def dial_colour_mnemonic_opens_a_dialog(self, run, mnemonic):
        """The clock submenu's dial-colour item is "文字盤色変更(&J)..." in
        Japanese and "&Dial Colour..." in English: only the language's own
        mnemonic opens the colour dialog."""
        run.open_menu_at(*run.ring_point())
        self.desktop.xdotool("key", "c")
        self.desktop.xdotool("key", mnemonic)
        try:
            poll(run.dialogs, "a dialog", timeout=3)
            opened = True
        except TimedOut:
            opened = False
        for _ in range(3):
            self.desktop.xdotool("key", "Escape")
        poll(lambda: not run.popups() and not run.dialogs(), "the menu to close")
        return opened

    def check(self, env, language_setting, expected_title):
        run, _ = self.start(WINDOW, env=env,
                            option=language_setting and {"Language": language_setting})
        self.assertEqual(self.about_title(run), expected_title)
        japanese = expected_title != "About Ondrava"
        own, other = ("j", "d") if japanese else ("d", "j")
        self.assertFalse(self.dial_colour_mnemonic_opens_a_dialog(run, other))
        self.assertTrue(self.dial_colour_mnemonic_opens_a_dialog(run, own))
        self.assertEqual(run.terminate(), 0)

    def test_a_japanese_locale_gets_japanese(self):
        self.check({"LANG": "ja_JP.UTF-8", "LC_ALL": ""}, None, "バージョン情報")

    def test_an_english_locale_gets_english(self):
        self.check({"LANG": "en_US.UTF-8", "LC_ALL": ""}, None, "About Ondrava")

    def test_the_settings_file_overrides_the_locale(self):
        self.check({"LANG": "en_US.UTF-8", "LC_ALL": ""}, "ja", "バージョン情報")
        self.check({"LANG": "ja_JP.UTF-8", "LC_ALL": ""}, "en", "About Ondrava")


class FrameTest(ProgramCase):
    def test_the_window_shows_the_frame_renderers_frame_for_the_same_time(self):
        self.check_frame_against_snap(256, 1)

    def test_a_scaled_screen_gets_frames_at_its_device_pixels(self):
        run = self.check_frame_against_snap(256, 2)
        self.assertEqual(run.terminate(), 0)
        form = read_ini(os.path.join(self.folder, "settings.ini"))["form"]
        self.assertEqual((form["left"], form["top"], form["width"]), ("50", "50", "128"),
                         "the settings keep the logical placement")

    def check_frame_against_snap(self, size, scale):
        left = top = 100
        run, ini = self.start({"Left": left // scale, "Top": top // scale,
                               "Width": size // scale, "Height": size // scale},
                              env={"ONDRAVA_FIXED_TIME": "T".join(FIXED_TIME),
                                   "QT_SCALE_FACTOR": str(scale)})
        info = run.info()
        self.assertEqual((info["x"], info["y"], info["width"]), (left, top, size))
        expected = over_desktop(self.snap_frame(ini, size, FIXED_TIME))
        self.wait_for_frame(left, top, size, expected)
        return run

    def snap_frame(self, ini, size, when):
        """The frame renderer's premultiplied RGBA frame for `when`."""
        snap = os.path.join(self.folder, "snap.png")
        shutil.copy(ini, ini + ".snap")
        self.desktop.run([SNAP, "--ini", ini + ".snap", "--size", str(size), "--date",
                          when[0], "--time", when[1], "--premultiplied", "--out", snap])
        return raw_pixels(snap, "rgba")

    def wait_for_frame(self, left, top, size, expected):
        def worst_difference():
            shown = self.desktop.capture(left, top, size, size)
            return max(abs(a - b) for a, b in zip(shown, expected))
        # The globe's table is built in the background: wait for the frame.
        try:
            poll(lambda: worst_difference() <= 1, "the frame to equal snap's", timeout=60)
        except AssertionError:
            self.fail("largest channel difference %d" % worst_difference())

    def test_the_calendar_fades_in_while_the_pointer_rests_on_a_character(self):
        size, left, top = 256, 100, 100
        run, ini = self.start({"Left": left, "Top": top, "Width": size, "Height": size})
        poll(lambda: (run.info()["x"], run.info()["y"]) == (left, top), "the window in place")
        # A pixel of the "XII" from the frame renderer's frame at a time
        # whose hands are far from it.
        rgba = self.snap_frame(ini, size, ("2026-01-01", "06:30:15.000"))
        x, y = next((x, y) for y in range(size // 6) for x in range(size // 2 - 20, size // 2 + 20)
                    if rgba[4 * (y * size + x) + 3] >= 64)

        def bright_pixels():
            pixels = self.desktop.capture(left, top, size, size)
            return sum(1 for i in range(0, len(pixels), 3)
                       if pixels[i] > 230 and pixels[i + 1] > 230 and pixels[i + 2] > 200)

        # Every wait is on what the window shows, never on the clock: the
        # globe (its table is built in the background, and its ice is bright)
        # first, then the same count twice running, then the calendar over it.
        wait_for_globe(self.desktop, left, top, size)
        counts = [bright_pixels()]
        poll(lambda: counts.append(bright_pixels()) or abs(counts[-1] - counts[-2]) < 50,
             "a steady frame", timeout=60)
        before = counts[-1]
        self.desktop.move_pointer(left + x, top + y)
        poll(lambda: bright_pixels() > before + 2000, "the calendar", timeout=60)
        self.desktop.move_pointer(2, 2)
        poll(lambda: bright_pixels() < before + 500, "the calendar to fade out", timeout=60)


class SettingsPlaceTest(ProgramCase):
    def test_without_an_argument_the_file_goes_to_xdg_config_home(self):
        config = os.path.join(self.folder, "config")
        run, _ = self.start(args=[], env={"XDG_CONFIG_HOME": config})
        self.assertEqual(run.terminate(), 0)
        saved = read_ini(os.path.join(config, "ondrava", "Ondrava.ini"))
        self.assertIn("left", saved["form"])
        self.assertIn("revolution", saved, "every part's sections are saved too")

    def test_without_xdg_config_home_the_file_goes_to_dot_config(self):
        run, _ = self.start(args=[])
        self.assertEqual(run.terminate(), 0)
        self.assertIn("form", read_ini(
            os.path.join(self.folder, ".config", "ondrava", "Ondrava.ini")))

    def test_a_portable_copy_keeps_its_file_beside_the_program(self):
        app = os.path.join(self.folder, "app")
        os.mkdir(app)
        program = os.path.join(app, "ondrava")
        shutil.copy(PROGRAM, program)
        beside = os.path.join(app, "Ondrava.ini")
        write_ini(beside, {"Left": 60, "Top": 70, "Width": 150, "Height": 150})
        run, _ = self.start(args=[], program=program,
                            env={"XDG_CONFIG_HOME": os.path.join(self.folder, "config")})
        self.assertEqual((run.info()["x"], run.info()["y"], run.info()["width"]), (60, 70, 150))
        self.assertEqual(run.terminate(), 0)
        saved = read_ini(beside)
        self.assertIn("revolution", saved)
        self.assertEqual((saved["form"]["left"], saved["form"]["top"]), ("60", "70"),
                         "where the window really was")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "config")))

    def test_exit_from_the_menu_saves_in_the_command_line_file(self):
        run, ini = self.start({"Left": 100, "Top": 100, "Width": 200, "Height": 200,
                               "StayOnTop": "False"})
        run.choose("x")
        self.assertEqual(run.wait(), 0)
        saved = read_ini(ini)
        self.assertEqual(saved["form"]["stayontop"], "False")
        self.assertIn("revolution", saved)


class TrayTest(ProgramCase):
    tray = True

    def tray_icon(self, run):
        root = self.desktop.root()
        for window in self.desktop.windows_of(run.process.pid):
            if window != run.window and self.desktop.parent_of(window) != root:
                return window
        return None

    def test_the_icon_sits_in_the_tray_and_opens_the_menu_under_click_through(self):
        run, ini = self.start({"Left": 100, "Top": 100, "Width": 200, "Height": 200,
                               "Transparent": "True"})
        icon = poll(lambda: self.tray_icon(run), "the icon in the tray host")
        info = self.desktop.window_info(icon)
        self.assertTrue(info["viewable"])
        run.open_menu_at(info["x"] + info["width"] // 2, info["y"] + info["height"] // 2)
        self.desktop.xdotool("key", "i")  # click-through off, from the tray
        poll(lambda: read_ini(ini)["form"]["transparent"] == "False", "the saved switch")
        self.assertEqual(run.terminate(), 0)


def main():
    global PROGRAM, SNAP
    parser = argparse.ArgumentParser()
    parser.add_argument("--ondrava", required=True)
    parser.add_argument("--snap", required=True)
    options, rest = parser.parse_known_args()
    PROGRAM, SNAP = os.path.abspath(options.ondrava), os.path.abspath(options.snap)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
