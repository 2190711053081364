"""A throw-away X desktop for driving the real `ondrava` end to end.

Xvfb on a free display, openbox, a compositor (picom, or xcompmgr when picom
is missing), a solid-coloured root picture (hsetroot, which sets the pixmap a
compositor paints) and, when asked for, a notification-area host (trayer).
Everything is read back with the ordinary X tools: xwininfo, xprop, xdotool
and ImageMagick's import. Every wait polls for its condition with a generous
limit instead of sleeping a fixed time.
"""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

DESKTOP_RGB = (48, 96, 160)
SCREEN = (1024, 768)


class TimedOut(AssertionError):
    pass


def poll(condition, what, timeout=20.0, interval=0.1):
    """The first true value `condition` returns, or TimedOut naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimedOut("timed out waiting for " + what)
        time.sleep(interval)


_next_display = [60 + os.getpid() % 40]


def free_display():
    """A display number nobody holds, never one this run used before."""
    for _ in range(200):
        number = _next_display[0]
        _next_display[0] = 60 + (number - 60 + 1) % 200
        if not os.path.exists("/tmp/.X%d-lock" % number) and \
                not os.path.exists("/tmp/.X11-unix/X%d" % number):
            return number
    raise RuntimeError("no free X display number")


class Desktop:
    def __init__(self, tray=False):
        self.tray = tray
        self.processes = []
        self.display = None

    # -- life -------------------------------------------------------------
    def start(self):
        """Starts everything; a desktop that fails to come up is tried anew."""
        for attempt in range(3):
            try:
                return self._start_once()
            except (TimedOut, RuntimeError):
                self.stop()
                if attempt == 2:
                    raise

    def _start_once(self):
        for attempt in range(5):
            self.display = ":%d" % free_display()
            # -noreset: the server would otherwise reset whenever its last
            # client leaves, refusing whoever connects meanwhile.
            xvfb = self._spawn(["Xvfb", self.display, "-screen", "0",
                                "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"])
            try:
                poll(lambda: xvfb.poll() is not None or self._x_answers(),
                     "Xvfb on " + self.display, timeout=10)
            except TimedOut:
                pass
            if xvfb.poll() is None and self._x_answers():
                break
            self.stop()  # the number was taken meanwhile: try the next one
        else:
            raise RuntimeError("Xvfb would not start")
        self._spawn(["openbox", "--sm-disable"])
        poll(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                             check=False), "openbox")
        self.run(["hsetroot", "-solid", "#%02x%02x%02x" % DESKTOP_RGB])
        if shutil.which("picom"):
            # No configuration: no shadows, no fading, plain xrender blending.
            self._spawn(["picom", "--backend", "xrender", "--config", "/dev/null"])
            poll(lambda: self.run(["xdotool", "search", "--classname", "^picom$"],
                                  check=False).strip(), "picom")
        else:
            self._spawn(["xcompmgr"])
            time.sleep(1)  # xcompmgr names no window to wait for
        if self.tray:
            self._spawn(["trayer", "--edge", "bottom", "--align", "right",
                         "--widthtype", "request", "--height", "32",
                         "--SetDockType", "true", "--transparent", "false"])
            poll(lambda: self.run(["xdotool", "search", "--classname", "trayer"],
                                  check=False).strip(), "trayer")
        return self

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes = []

    def __enter__(self):
        return self.start()

    def __exit__(self, *_):
        self.stop()

    def _spawn(self, command, **kwargs):
        process = subprocess.Popen(command, env=self.env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, **kwargs)
        self.processes.append(process)
        return process

    def _x_answers(self):
        return subprocess.run(["xdpyinfo"], env=self.env(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    # -- tools ------------------------------------------------------------
    def env(self, extra=None):
        env = dict(os.environ)
        env["DISPLAY"] = self.display or ""
        # No session bus, no desktop theme: the tray icon goes the XEmbed way
        # and dialogs look the same everywhere.
        for name in ("DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORMTHEME",
                     "QT_SCALE_FACTOR", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME"):
            env.pop(name, None)
        env["QT_QPA_PLATFORM"] = "xcb"
        env.update(extra or {})
        return env

    def run(self, command, check=True):
        result = subprocess.run(command, env=self.env(), capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(command), result.stderr))
        return result.stdout

    def xdotool(self, *args):
        return self.run(["xdotool"] + [str(a) for a in args], check=False)

    def move_pointer(self, x, y):
        self.xdotool("mousemove", x, y)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.2)
        self.xdotool("click", button)

    def drag(self, start, delta, steps=6):
        """A left-button drag slow enough for the window manager to follow."""
        self.xdotool("mousemove", *start)
        time.sleep(0.3)
        self.xdotool("mousedown", 1)
        time.sleep(0.5)
        for _ in range(steps):
            self.xdotool("mousemove_relative", "--", delta[0] // steps, delta[1] // steps)
            time.sleep(0.1)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)

    def window_info(self, window):
        text = self.run(["xwininfo", "-id", str(window)])

        def field(name):
            return int(re.search(name + r":\s+(-?\d+)", text).group(1))
        return {"x": field("Absolute upper-left X"), "y": field("Absolute upper-left Y"),
                "width": field("Width"), "height": field("Height"), "depth": field("Depth"),
                "override": "Override Redirect State: yes" in text,
                "viewable": "IsViewable" in text}

    def parent_of(self, window):
        text = self.run(["xwininfo", "-tree", "-id", str(window)])
        return int(re.search(r"Parent window id: (0x[0-9a-f]+)", text).group(1), 16)

    def root(self):
        text = self.run(["xwininfo", "-root"])
        return int(re.search(r"Window id: (0x[0-9a-f]+)", text).group(1), 16)

    def atoms(self, window, prop):
        text = self.run(["xprop", "-id", str(window), prop], check=False)
        return set(re.findall(r"_NET_WM_[A-Z_]+", text.split("=", 1)[-1])) if "=" in text else set()

    def windows_of(self, pid):
        found = self.xdotool("search", "--all", "--pid", pid, "--classname", "ondrava")
        return [int(w) for w in found.split()]

    def capture(self, x, y, width, height):
        """RGB bytes of a part of the screen as the compositor shows it."""
        with tempfile.NamedTemporaryFile(suffix=".png") as shot:
            self.run(["import", "-window", "root", shot.name])
            return raw_pixels(shot.name, "rgb", (x, y, width, height))


def raw_pixels(png, channels, crop=None):
    command = ["convert", png]
    if crop:
        command += ["-crop", "%dx%d+%d+%d" % (crop[2], crop[3], crop[0], crop[1]), "+repage"]
    command += ["-depth", "8", channels + ":-"]
    return subprocess.run(command, check=True, capture_output=True).stdout


class Ondrava:
    """One run of the program on a desktop, with its own folder."""

    def __init__(self, desktop, program, args=(), env=None, cwd=None):
        self.desktop = desktop
        self.log = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen([program] + list(args), env=desktop.env(env),
                                        cwd=cwd, stdout=self.log, stderr=subprocess.STDOUT)
        self.window = poll(self._main_window, "the main window of " + program)
        poll(lambda: self.info()["viewable"], "the window to be mapped")

    def _main_window(self):
        if self.process.poll() is not None:
            self.log.seek(0)
            raise AssertionError("ondrava ended early: %s" % self.log.read())
        for window in self.desktop.windows_of(self.process.pid):
            if "Ondrava" in self.desktop.run(["xprop", "-id", str(window), "WM_NAME"],
                                             check=False):
                return window
        return None

    def info(self):
        return self.desktop.window_info(self.window)

    def centre(self):
        i = self.info()
        return i["x"] + i["width"] // 2, i["y"] + i["height"] // 2

    def ring_point(self):
        """A point in the ring (client area) left of the centre."""
        i = self.info()
        return i["x"] + i["width"] // 2 - int(i["width"] * 0.25), i["y"] + i["height"] // 2

    def state(self):
        return self.desktop.atoms(self.window, "_NET_WM_STATE")

    def popups(self):
        """Visible menus of the program: override-redirect top-level windows."""
        root = self.desktop.root()
        found = []
        for window in self.desktop.windows_of(self.process.pid):
            if window == self.window:
                continue
            info = self.desktop.window_info(window)
            if info["override"] and info["viewable"] and self.desktop.parent_of(window) == root:
                found.append(window)
        return found

    def dialogs(self):
        """The program's framed windows besides the main one: its dialogs."""
        root = self.desktop.root()
        found = []
        for window in self.desktop.windows_of(self.process.pid):
            info = self.desktop.window_info(window)
            if window != self.window and info["viewable"] and not info["override"] \
                    and self.desktop.parent_of(window) != root:
                found.append(window)
        return found

    def open_menu_at(self, x, y):
        self.desktop.click(x, y, button=3)
        return poll(self.popups, "the popup menu")

    def choose(self, mnemonic, at=None):
        """Opens the popup at `at` (the ring by default) and picks an item."""
        self.open_menu_at(*(at or self.ring_point()))
        self.desktop.xdotool("key", mnemonic)
        poll(lambda: not self.popups() or self.process.poll() is not None, "the menu to close")

    def terminate(self, sig=signal.SIGTERM, timeout=15):
        if self.process.poll() is None:
            self.process.send_signal(sig)
        return self.wait(timeout)

    def wait(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError("ondrava did not end")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def read_ini(path):
    """The settings file as {section: {key: value}}, names lower-cased."""
    with open(path, "rb") as f:
        raw = f.read()
    if raw.startswith(b"\xff\xfe"):
        text = raw[2:].decode("utf-16-le")
    else:
        text = raw.decode("utf-8-sig")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].lower(), {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip().lower()] = value.strip()
    return sections


def write_ini(path, form, option=None):
    lines = ["[Form]"] + ["%s=%s" % item for item in form.items()]
    if option:
        lines += ["[Option]"] + ["%s=%s" % item for item in option.items()]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
