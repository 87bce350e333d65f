"""Runs the built game in a fresh working directory on the test display and drives it like a player.

The game binary comes from ZELVIRA_BINARY and the assets from ZELVIRA_SOURCE_DIR/assets (CTest sets
both). Everything is observed from outside: console lines, the exit code, the window as the X server
sees it, and screenshots. The game renders only a few frames per second here, so every wait polls
for what it expects instead of sleeping a fixed time.
"""

import difflib
import io
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageStat

BINARY = os.environ.get("ZELVIRA_BINARY", "")
SOURCE_DIR = os.environ.get("ZELVIRA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
ASSETS = os.path.join(SOURCE_DIR, "assets")


# Where the HUD draws on the 800 x 800 window, as (left, top, right, bottom) screenshot boxes. The
# help line's first line is the top one.
HELP_LINE = (0, 5, 560, 35)
FPS = (620, 0, 800, 55)
REMAINING_TIME = (0, 755, 300, 797)
CHARGE_BAR = (320, 761, 480, 783)
# The loss, win and level-failure messages stand centred between the top and bottom rows.
CENTRED_MESSAGE = (0, 350, 800, 450)

# The colour of the HUD's text and of the charge bar's frame; the bar's fill; the loss message and
# the last ten seconds of the countdown; the win message.
HUD_GREY = (166, 166, 166)
BAR_FILL = (242, 199, 64)
RED = (191, 46, 46)
WIN_GREEN = (89, 217, 115)

# Floor differences, 0 to 255: a still view stays under STILL, a walk of a few frames goes over MOVED.
STILL = 2.0
MOVED = 6.0


class TimeoutError_(AssertionError):
    pass


def wait_until(predicate, timeout, what):
    """Polls predicate until it returns something truthy; fails with `what` after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError_(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.1)


def is_rendered(image):
    """A real picture: not black, not a single colour."""
    return max(ImageStat.Stat(image).stddev) > 10


# The floor in front of the player, below the course and above the HUD: it moves when the player does,
# and peas, which fly at the turrets' height, rarely cross it.
FLOOR = (0, 500, 800, 740)


def difference(a, b, box=None):
    """Mean absolute difference of two pictures (or of one box of them), 0 to 255, after shrinking
    away fine detail."""
    if box is not None:
        a, b = a.crop(box), b.crop(box)
    small = (64, 64)
    diff = ImageChops.difference(a.convert("L").resize(small), b.convert("L").resize(small))
    return ImageStat.Stat(diff).mean[0]


def is_hud_grey(pixel, tolerance=3):
    return all(abs(channel - grey) <= tolerance for channel, grey in zip(pixel, HUD_GREY))


def text_mask(image, box, colour=HUD_GREY, tolerance=5):
    """Black where the picture has the HUD's text colour, white elsewhere, enlarged for OCR."""
    region = image.crop(box)
    pixels = region.load()
    mask = Image.new("L", region.size, 255)
    out = mask.load()
    for y in range(region.size[1]):
        for x in range(region.size[0]):
            if all(abs(pixels[x, y][i] - colour[i]) <= tolerance for i in range(3)):
                out[x, y] = 0
    return mask.resize((region.size[0] * 3, region.size[1] * 3))


def _channel_extremes(region):
    red, green, blue = region.split()
    return (ImageChops.lighter(ImageChops.lighter(red, green), blue),
            ImageChops.darker(ImageChops.darker(red, green), blue))


def _near_colour(region, colour, tolerance):
    """255 where every channel lies within tolerance of the colour."""
    farthest, _ = _channel_extremes(ImageChops.difference(region, Image.new("RGB", region.size, colour)))
    return farthest.point(lambda v: 255 if v <= tolerance else 0)


def _for_ocr(text, region):
    return ImageChops.invert(text).resize((region.size[0] * 3, region.size[1] * 3))


def beside_outline_mask(image, box, colour=HUD_GREY):
    """Neutral pixels of about the text colour within three pixels of the HUD's dark outline: keeps
    the softened edges of small text that an exact colour match loses."""
    region = image.crop(box)
    brightest, darkest = _channel_extremes(region)
    neutral = ImageChops.subtract(brightest, darkest).point(lambda v: 255 if v <= 2 else 0)
    outline = brightest.point(lambda v: 255 if v < 70 else 0).filter(ImageFilter.MaxFilter(7))
    text = ImageChops.multiply(ImageChops.multiply(_near_colour(region, colour, 40), neutral), outline)
    return _for_ocr(text, region)


def inside_outline_mask(image, box, colour=HUD_GREY):
    """Pixels of about the text colour that the HUD's dark outline closes off from the box's edge:
    leaves out scenery of the text's own colour right beside the text."""
    region = image.crop(box)
    brightest, _ = _channel_extremes(region)
    canvas = Image.new("L", (region.size[0] + 2, region.size[1] + 2), 255)
    canvas.paste(brightest.point(lambda v: 255 if v >= 70 else 0), (1, 1))
    ImageDraw.floodfill(canvas, (0, 0), 128)
    enclosed = canvas.crop((1, 1, region.size[0] + 1, region.size[1] + 1)).point(lambda v: 255 if v == 255 else 0)
    return _for_ocr(ImageChops.multiply(_near_colour(region, colour, 40), enclosed), region)


def ocr(mask):
    buffer = io.BytesIO()
    mask.save(buffer, "PNG")
    result = subprocess.run(["tesseract", "stdin", "stdout", "--psm", "7"], input=buffer.getvalue(),
                            capture_output=True, timeout=60)
    return result.stdout.decode(errors="replace").strip()


def read_text(image, box, colour=HUD_GREY, tolerance=5):
    """The HUD text in a box, read by OCR from the pixels of the text colour."""
    return ocr(text_mask(image, box, colour, tolerance))


def read_outlined_text(image, box, colour=HUD_GREY):
    """Readings of outlined HUD text in a box by two masks that fail in different places: over
    scenery of the text's colour, and on the thin strokes of small text."""
    return [ocr(beside_outline_mask(image, box, colour)), ocr(inside_outline_mask(image, box, colour))]


def shows_text(image, box, expected, colour=HUD_GREY, tolerance=5):
    """Whether OCR finds the expected words in a box, forgiving a misread letter or two: text over
    the moving scene never reads back perfectly."""
    text = read_text(image, box, colour, tolerance).lower()
    expected = expected.lower()
    windows = [text[start:start + len(expected)] for start in range(max(1, len(text) - len(expected) + 1))]
    return max(difflib.SequenceMatcher(None, expected, window).ratio() for window in windows) >= 0.75


def shows_help_line(image):
    return shows_text(image, HELP_LINE, "F2 - Culling")


def read_countdown(image):
    """The countdown line as read by OCR: grey, or red in its last ten seconds. Empty without one;
    the mask of the other colour reads only scraps of the scenery."""
    for colour in (HUD_GREY, RED):
        text = read_text(image, REMAINING_TIME, colour)
        if "time" in text.lower():
            return text
    return ""


def shows_countdown(image):
    return shows_text(image, REMAINING_TIME, "Remaining time")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30)


class Game:
    """One run of the game. Use as a context manager; the process is killed on exit if still alive.

    settings: None copies the shipped settings.ini, False leaves it out, a string is written as the file.
    args: command-line arguments for the game.
    level: None links the shipped scene.fbx, a path links that file in its place.
    data_home: the XDG_DATA_HOME the game keeps its best times in; by default a folder of the run's
    own, so that no test touches the player's records.
    environment: variables added to the game's environment (for example where its sound goes).
    """

    def __init__(self, settings=None, args=(), level=None, data_home=None, environment=None):
        self.settings = settings
        self.args = list(args)
        self.level = level
        self.data_home = data_home
        self.environment = environment or {}
        self.lines = []
        self._lock = threading.Lock()
        self.process = None
        self._reader = None
        self._relaunched = False
        self.window = None
        self.workdir = None

    def __enter__(self):
        self.workdir = tempfile.mkdtemp(prefix="zelvira-e2e-")
        try:
            self._lay_out_assets()
            self._launch()
        except BaseException:
            shutil.rmtree(self.workdir, ignore_errors=True)
            raise
        return self

    def __exit__(self, *exc):
        self._end_process()
        shutil.rmtree(self.workdir, ignore_errors=True)

    def _launch(self):
        with self._lock:
            self.lines = []
        environment = dict(os.environ, XDG_DATA_HOME=self.data_home or os.path.join(self.workdir, "data"),
                           ALSOFT_CONF=self._silent_sound_config())
        environment.update(self.environment)
        self.process = subprocess.Popen(
            [BINARY, *self.args], cwd=self.workdir, env=environment, stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, bufsize=1)
        self._reader = threading.Thread(target=self._read_output, daemon=True)
        self._reader.start()

    def _silent_sound_config(self):
        """OpenAL Soft's null output: the game opens a sound device that plays nowhere, so a test
        neither depends on the machine's sound hardware nor makes noise on it."""
        config = os.path.join(self.workdir, "alsoft-silent.conf")
        with open(config, "w") as file:
            file.write("[general]\ndrivers = null\n")
        return config

    def _end_process(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=30)
        self._reader.join(timeout=30)
        self.process.stdout.close()

    def _relaunch_if_display_refused(self):
        """A virtual X server now and then refuses a connection while it is busy; that is the test
        display's hiccup, not the game's fault, so the game gets one more start."""
        self._reader.join(timeout=30)
        if self._relaunched or not any("Failed to open display" in line for line in self.output()):
            return False
        print(f"the display refused the game, starting it again: {self.output()}", file=sys.stderr)
        self._end_process()
        self._relaunched = True
        self._launch()
        return True

    def _lay_out_assets(self):
        """Links every shipped asset into the working directory, except the settings file and, when
        another level is given, the level."""
        assets = os.path.join(self.workdir, "assets")
        os.mkdir(assets)
        for entry in os.listdir(ASSETS):
            if entry != "settings.ini":
                source = self.level if entry == "scene.fbx" and self.level else os.path.join(ASSETS, entry)
                os.symlink(source, os.path.join(assets, entry))
        settings_path = os.path.join(assets, "settings.ini")
        if self.settings is None:
            shutil.copy(os.path.join(ASSETS, "settings.ini"), settings_path)
        elif self.settings is not False:
            with open(settings_path, "w") as file:
                file.write(self.settings)

    def _read_output(self):
        for line in self.process.stdout:
            with self._lock:
                self.lines.append(line.rstrip("\n"))

    # Console and process

    def output(self):
        with self._lock:
            return list(self.lines)

    def wait_for_exit(self, timeout=60):
        return wait_until(lambda: self.process.poll() is not None and (True, self.process.returncode),
                          timeout, "the game to exit")[1]

    # Window

    def wait_for_window(self, timeout=120):
        """Waits until the game's window is mapped, focuses it and returns its id."""
        def find():
            if self.process.poll() is not None and not self._relaunch_if_display_refused():
                raise AssertionError(f"the game exited early with {self.process.returncode}: {self.output()}")
            found = xdotool("search", "--onlyvisible", "--pid", str(self.process.pid)).stdout.split()
            return found[0] if found else None
        self.window = wait_until(find, timeout, "the game window")
        self.focus()
        return self.window

    def focus(self):
        """Gives the window the keyboard focus unless it has it: a needless focus change makes GLFW
        release every held key and can swallow a key event sent right after it."""
        if xdotool("getwindowfocus").stdout.strip() != self.window:
            xdotool("windowfocus", "--sync", self.window)

    def title(self):
        return xdotool("getwindowname", self.window).stdout.strip()

    def size(self):
        """The client area's width and height as the X server reports them."""
        info = subprocess.run(["xwininfo", "-id", self.window], capture_output=True, text=True,
                              timeout=30).stdout
        fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        return int(fields["Width"]), int(fields["Height"])

    def screenshot(self):
        png = subprocess.run(["import", "-window", self.window, "png:-"], capture_output=True,
                             timeout=60).stdout
        return Image.open(io.BytesIO(png)).convert("RGB")

    def wait_for_scene(self, timeout=180):
        """Waits for the first rendered frame: the level is loaded by then."""
        return self.wait_for_picture(is_rendered, timeout, "the first rendered frame")

    def start_scene(self):
        """Waits for the window, then for the first rendered frame, and returns that picture."""
        self.wait_for_window()
        return self.wait_for_scene()

    def next_frame(self, previous, timeout=60):
        """A screenshot of a frame drawn after `previous`: the countdown text has changed. Needs the
        countdown on screen (not after a win or a loss)."""
        before = read_countdown(previous)
        return self.wait_for_picture(lambda image: read_countdown(image) != before, timeout, "a new frame")

    def wait_until_still(self, timeout=240, threshold=STILL):
        """Waits until the view stops moving (the player has landed or stopped sliding): two
        frames in a row whose floor looks the same. Returns the last of them."""
        picture = self.next_frame(self.screenshot())
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            newer = self.next_frame(picture)
            if difference(picture, newer, FLOOR) < threshold:
                return newer
            picture = newer
        raise TimeoutError_(f"the view was still moving after {timeout} s")

    def wait_for_picture(self, predicate, timeout=120, what="a picture"):
        """Takes screenshots until predicate(image) holds; returns that image."""
        last = []

        def check():
            image = self.screenshot()
            last[:] = [image]
            return image if predicate(image) else None
        try:
            return wait_until(check, timeout, what)
        except TimeoutError_ as error:
            kept = os.path.join(tempfile.gettempdir(), f"zelvira-e2e-last-{os.getpid()}.png")
            if last:
                last[0].save(kept)
            raise TimeoutError_(f"{error}; last screenshot: {kept}") from None

    # Keyboard and mouse

    def key(self, *names):
        """Presses and releases keys (xdotool names such as Escape, F1, w)."""
        self.focus()
        xdotool("key", "--delay", "200", *names)

    def hold(self, name, seconds):
        """Holds a key down for a while, so the game sees it over several frames."""
        self.keydown(name)
        try:
            time.sleep(seconds)
        finally:
            self.keyup(name)

    def hold_until(self, name, predicate, timeout=120, what="a picture"):
        """Holds a key down until a screenshot satisfies predicate; returns that screenshot."""
        self.keydown(name)
        try:
            return self.wait_for_picture(predicate, timeout, what)
        finally:
            self.keyup(name)

    def keydown(self, name):
        self.focus()
        xdotool("keydown", name)

    def keyup(self, name):
        xdotool("keyup", name)

    def move_mouse(self, dx, dy):
        self.focus()
        xdotool("mousemove_relative", "--", str(dx), str(dy))
