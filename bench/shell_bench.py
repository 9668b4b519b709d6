#!/usr/bin/env python3
"""Desktop shell figures of the real program under Xvfb (openbox, trayer), timed from outside
the process as the user sees them:
  - process start to the tray icon's pixels painted in the tray,
  - process start to the per-user socket answering a request,
  - the longest a request waited for its reply in the seconds after that (the event loop busy),
  - from the start on, requests sent one after another: the first reply and the longest gap
    between two replies (the event loop blocked during the start, the library's load included),
  - the shortcut (sent with XTest) to the panel's pixels painted, first and later showings,
  - resident memory before and after the first showing, and the peak,
  - "vorn prompts list TERM" without the app, time and peak memory,
each beside an anchor measured in the same run: rofi's start to painted (with the library's
titles, and with as many lines as the library has prompts), rofi's memory, and
"fzf --filter TERM" over the same titles and descriptions. Runs with the shipped library and
with generated ones of 10,000 and 100,000 prompts (--prompts N,M changes the sizes, 0 leaves them
out). Keystroke to the list's first changed frame, for the first letter typed after the start and
for later ones, beside rofi -dmenu typed into the same way over the same lines, each over three
starts (--only keys measures these alone).
Usage: shell_bench.py PATH/TO/vorn [--prompts N,M] [--starts N] [--only keys]   (a Release build)"""
import argparse, ctypes, ctypes.util, json, os, random, resource, shutil, socket, statistics, struct, threading
import subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))
SEED = os.path.join(HERE, "..", "resources")
TERM = "meeting"


class Screen:
    """Reads pixels of the root window straight from the X server (a few ms a grab)."""

    class XImage(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                    ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                    ("bits_per_pixel", ctypes.c_int)]

    def __init__(self, display):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(Screen.XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XDestroyImage.argtypes = [ctypes.POINTER(Screen.XImage)]
        self.x.XStringToKeysym.restype = ctypes.c_ulong
        self.x.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        for _ in range(50):
            self.dpy = self.x.XOpenDisplay(display.encode())
            if self.dpy:
                break
            time.sleep(0.1)
        if not self.dpy:
            raise RuntimeError("cannot open the display " + display)
        self.root = self.x.XDefaultRootWindow(self.dpy)

    def grab(self, rect):
        x, y, w, h = rect
        image = self.x.XGetImage(self.dpy, self.root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        data = ctypes.string_at(image.contents.data, image.contents.bytes_per_line * h)
        self.x.XDestroyImage(image)
        return memoryview(data).cast("I")

    def keys(self, *names):
        """Presses the keys in order and lets them go in reverse, as a chord."""
        codes = [self.x.XKeysymToKeycode(self.dpy, self.x.XStringToKeysym(n.encode())) for n in names]
        for code in codes:
            self.xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        for code in reversed(codes):
            self.xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.x.XFlush(self.dpy)


def painted(now, before, detail):
    """The area shows something new: pixels differ from before, and, with detail, in more
    than a few colours (a window's first frame, not a plain fill)."""
    if now == before:
        return False
    if not detail:
        return True
    sample = now[::37]
    changed = sum(1 for a, b in zip(sample, before[::37]) if a != b)
    return changed > len(sample) // 50 and len(set(sample)) >= 12


def wait_painted(screen, rect, before, detail, began, timeout=30.0, poll=None):
    """Milliseconds from began (monotonic ms) to the area painted; poll() runs between grabs."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if painted(screen.grab(rect), before, detail):
            return now_ms() - began
        if poll:
            poll()
        time.sleep(0.004)
    return float("nan")


def now_ms():
    return time.clock_gettime(time.CLOCK_MONOTONIC) * 1000


def ask(path, args, timeout=5.0):
    """One request on the app's socket; the reply, or None when nothing answers."""
    payload = json.dumps({"args": args, "cwd": "/", "stdin": "", "activationToken": ""}).encode()
    try:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.settimeout(timeout)
            s.connect(path)
            s.sendall(struct.pack(">I", len(payload)) + payload)
            data = b""
            while len(data) < 4 or len(data) < 4 + struct.unpack(">I", data[:4])[0]:
                chunk = s.recv(65536)
                if not chunk:
                    return None
                data += chunk
            return json.loads(data[4:])
    except OSError:
        return None


def memory(pid):
    with open(f"/proc/{pid}/status") as status:
        fields = dict(line.split(":", 1) for line in status if ":" in line)
    return {k: int(fields[k].split()[0]) / 1024 for k in ("VmRSS", "VmHWM")}


def timed(command, env, stdin=None):
    """Wall time (ms) and peak resident memory (MB) of a command run to its end. The peak is
    GNU time's reading: a child of this script inherits the script's own peak at exec (the
    kernel carries it over), so its rusage reported the script's hundreds of MB of rows."""
    with tempfile.NamedTemporaryFile("r") as report:
        began = now_ms()
        process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report.name] + command, env=env,
                                   stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        process.wait()
        elapsed = now_ms() - began
        return elapsed, int(report.read().split()[-1]) / 1024


def generate_library(folder, count):
    """A shipped-library pair of files with count prompts shaped like the real ones."""
    rng = random.Random(count)
    data = json.load(open(os.path.join(SEED, "data.json"), encoding="utf-8"))
    categories = [c["id"] for c in data["categories"]]
    tags = data.get("tags", ["text"])
    verbs = "Write Summarise Analyse Review Plan Draft Optimise Explain Translate Design Outline Improve".split()
    objects = ["a Cover Letter", "Meeting Notes", "a Product Launch", "a Blog Post", "the Quarterly Report",
               "a Job Description", "a Pull Request", "a Research Paper", "a Travel Itinerary", "a Budget",
               "a Marketing Email", "a SQL Query", "a Lesson Plan", "a Customer Complaint", "a Recipe"]
    words = ("clear concise structured friendly formal detailed practical summary review audience tone "
             "behaviour organisation analysis priorities feedback examples risks the a with for and your of "
             "to in each every short plan steps notes draft outline goals metrics customers team").split()

    def sentence(n):
        s = " ".join(rng.choice(words) for _ in range(n))
        return s[0].upper() + s[1:] + "."

    bodies = []
    for _ in range(500):
        text = "You are an expert assistant. Write about {{Topic: the subject}} for {{Audience:}}.\n"
        target = 1024 + rng.randrange(1024)
        while len(text) < target:
            text += sentence(8 + rng.randrange(12)) + " "
        bodies.append(text)
    prompts = []
    for i in range(count):
        text = bodies[i % len(bodies)] + f"\nReference {i}."
        prompts.append({"id": "%08X-0000-4000-8000-%012X" % (i, i),
                        "categories": [categories[i % len(categories)]], "tags": [tags[i % len(tags)]],
                        "title": f"{rng.choice(verbs)} {rng.choice(objects)} {i}",
                        "description": sentence(10 + rng.randrange(10)),
                        "template": text, "created": "2026-01-01T00:00:00Z", "updated": "2026-01-01T00:00:00Z",
                        "hot": i % 100 == 0, "active": True})
    meta = {"version": "1.0", "last_updated": "2026-12-01", "author": "bench"}
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "prompts.json"), "w", encoding="utf-8") as out:
        json.dump({"metadata": meta, "prompts": prompts}, out)
    shutil.copy(os.path.join(SEED, "data.json"), os.path.join(folder, "data.json"))
    return [(p["title"], p["description"]) for p in prompts]


def shipped_lines():
    prompts = json.load(open(os.path.join(SEED, "prompts.json"), encoding="utf-8"))["prompts"]
    return [(p["title"], p.get("description", "")) for p in prompts]


class Desktop:
    def __init__(self, work):
        self.work = work
        # A free display: one whose server comes up (another run may take a number first).
        for number in range(161, 260):
            if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            server = subprocess.Popen(["Xvfb", f":{number}", "-noreset", "-screen", "0", "1280x800x24",
                                       "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            end = time.monotonic() + 10
            while server.poll() is None and not os.path.exists(f"/tmp/.X11-unix/X{number}") and time.monotonic() < end:
                time.sleep(0.05)
            if server.poll() is None and os.path.exists(f"/tmp/.X11-unix/X{number}"):
                break
            server.kill()
            server.wait()
        self.helpers = [server]
        self.display = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.display)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VORN_TRACE", "VORN_SEED_DIR"):
            self.env.pop(name, None)
        self.helpers.append(subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL))
        self.helpers.append(subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                              "--width", "120", "--height", "24"], env=self.env,
                                             stderr=subprocess.DEVNULL))
        time.sleep(1.5)
        self.screen = Screen(self.display)
        tray = subprocess.run(["xdotool", "search", "--classname", "^panel$"], env=self.env,
                              capture_output=True, text=True).stdout.split()
        info = subprocess.run(["xwininfo", "-id", tray[0]], env=self.env, capture_output=True, text=True).stdout
        value = {k.strip(): v.strip() for k, v in (l.split(":", 1) for l in info.splitlines() if ":" in l)}
        self.tray = (int(value["Absolute upper-left X"]), int(value["Absolute upper-left Y"]),
                     int(value["Width"]), int(value["Height"]))
        self.centre = (290, 150, 700, 500)  # where the panel and rofi appear

    def close(self):
        for helper in reversed(self.helpers):
            helper.terminate()
            helper.wait()


class Library:
    """One user with one library: its own home, settings and runtime folder."""

    def __init__(self, desktop, name, seed_dir=None):
        self.home = os.path.join(desktop.work, name)
        self.env = dict(desktop.env, HOME=self.home, XDG_CONFIG_HOME=f"{self.home}/config",
                        XDG_DATA_HOME=f"{self.home}/data", XDG_CACHE_HOME=f"{self.home}/cache",
                        XDG_RUNTIME_DIR=f"{self.home}/run", DBUS_SESSION_BUS_ADDRESS=f"unix:path={self.home}/no-bus")
        if seed_dir:
            self.env["VORN_SEED_DIR"] = seed_dir
        os.makedirs(f"{self.home}/config/vorn")
        os.makedirs(f"{self.home}/run", mode=0o700)
        with open(f"{self.home}/config/vorn/vorn.ini", "w") as ini:
            ini.write("[General]\nshowFeedbackOnStart=false\n")
        self.socket = f"{self.home}/run/vorn/app.socket"


class ReplyWatch:
    """Asks the app's socket over and over from its start on, on a thread of its own: the first
    reply, and the longest gap between two replies (the event loop's longest block as seen
    from outside) until the watch is stopped."""

    def __init__(self, path, began):
        self.path, self.began, self.replies = path, began, []
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while not self.stopping.is_set():
            if ask(self.path, ["ping"], 30) is not None:
                self.replies.append(now_ms())
            else:
                time.sleep(0.002)

    def stop(self):
        self.stopping.set()
        self.thread.join()
        if not self.replies:
            return float("nan"), float("nan")
        gaps = [b - a for a, b in zip(self.replies, self.replies[1:])]
        return self.replies[0] - self.began, max(gaps, default=0.0)


def run_app(vorn, desktop, library, keep=False):
    """Starts the app and times its tray icon and socket; returns the figures and, with keep,
    the running process."""
    before = desktop.screen.grab(desktop.tray)
    figures = {}
    log = open(f"{library.home}/app.log", "a")
    began = now_ms()
    app = subprocess.Popen([vorn], env=library.env, stdout=log, stderr=subprocess.STDOUT)
    watch = ReplyWatch(library.socket, began)

    def poll_socket():
        if "socket" not in figures and ask(library.socket, ["ping"], 0.2) is not None:
            figures["socket"] = now_ms() - began

    figures["tray"] = wait_painted(desktop.screen, desktop.tray, before, False, began, 120, poll_socket)
    end = time.monotonic() + 120
    while "socket" not in figures and time.monotonic() < end:
        poll_socket()
        time.sleep(0.004)
    # The event loop's longest wait in the next seconds: a request answered late means it was busy.
    waits = []
    end = time.monotonic() + 4
    while time.monotonic() < end:
        asked = now_ms()
        ask(library.socket, ["ping"], 30)
        waits.append(now_ms() - asked)
        time.sleep(0.02)
    figures["busy"] = max(waits) if waits else float("nan")
    figures["first_reply"], figures["longest_gap"] = watch.stop()
    figures["peak"] = memory(app.pid)["VmHWM"]
    if keep:
        return figures, app
    quit_app(vorn, library, app)
    return figures, None


def quit_app(vorn, library, app):
    try:
        subprocess.run([vorn, "quit"], env=library.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        app.wait(300)
    except subprocess.TimeoutExpired:
        app.kill()
        app.wait()


def showings(desktop, app, count):
    """First and later showings of the panel by the shortcut, with memory around the first."""
    figures = {"rss_before": memory(app.pid)["VmRSS"]}
    screen = desktop.screen
    hidden = screen.grab(desktop.centre)
    later = []
    for i in range(count):
        began = now_ms()
        screen.keys("Super_L", "Shift_L", "p")
        delay = wait_painted(screen, desktop.centre, hidden, True, began, 30)
        if i == 0:
            figures["first_show"] = delay
            time.sleep(1.5)
            figures["rss_after"] = memory(app.pid)["VmRSS"]
        else:
            later.append(delay)
        time.sleep(0.3)
        screen.keys("Escape")
        end = time.monotonic() + 5
        while time.monotonic() < end and screen.grab(desktop.centre) != hidden:
            time.sleep(0.02)
        time.sleep(0.2)
    figures["later_show"] = statistics.median(later) if later else float("nan")
    return figures


def start_rofi(desktop, lines, before):
    """rofi -dmenu over the lines; the process and its start to its window painted."""
    began = now_ms()
    process = subprocess.Popen(["rofi", "-dmenu", "-p", "prompt"], env=desktop.env, stdin=lines,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return process, wait_painted(desktop.screen, desktop.centre, before, True, began, 60)


def rofi(desktop, lines_path):
    """rofi's start to its window painted, and its resident memory once painted."""
    screen = desktop.screen
    before = screen.grab(desktop.centre)
    with open(lines_path) as lines:
        process, delay = start_rofi(desktop, lines, before)
        time.sleep(0.5)
        rss = memory(process.pid)["VmRSS"]
        process.terminate()
        process.wait()
    end = time.monotonic() + 5
    while time.monotonic() < end and screen.grab(desktop.centre) != before:
        time.sleep(0.02)
    return delay, rss


def write_lines(path, rows):
    with open(path, "w", encoding="utf-8") as out:
        for title, description in rows:
            out.write(f"{title}\t{description}\n")


def report(rows):
    print(f"{'figure':44s} {'VORN':>10s}   {'anchor':40s} {'ratio':>6s}")
    for name, value, unit, anchor_name, anchor in rows:
        ratio = value / anchor if anchor and anchor == anchor and anchor > 0 else float("nan")
        print(f"{name:44s} {value:8.1f}{unit:2s}   {anchor_name:30s} {anchor:7.1f}{unit:2s} {ratio:6.2f}")
    sys.stdout.flush()


# Texts typed one letter at a time, the search cleared between them; each letter changes the
# list (more or fewer matches, or what is marked in them).
KEY_TEXTS = ["meeting", "plan", "review", "draft", "budget"]
# Starts of the app (and of rofi) whose keystrokes are timed.
KEY_STARTS = 3


def changed_box(before, after, rect):
    """The bounding rectangle (screen coordinates) of the pixels that differ between two grabs."""
    x, y, w, h = rect
    rows = [r for r in range(h) if before[r * w:(r + 1) * w] != after[r * w:(r + 1) * w]]
    if not rows:
        return None
    cols = [c for c in range(0, w, 2) if any(before[r * w + c] != after[r * w + c] for r in rows[::4])]
    if not cols:
        return None
    return (x + cols[0], y + rows[0], cols[-1] - cols[0] + 2, rows[-1] - rows[0] + 1)


def list_area(window, skip):
    """The part of a window below its search line (skip pixels from the top): where the results
    are drawn, away from the text cursor's blinking."""
    x, y, w, h = window
    return (x + 4, y + skip, max(1, w - 8), max(1, h - skip - 4))


def type_texts(screen, area, texts, settle=0.6, timeout=5.0):
    """Types each text a letter at a time and clears it again; for every letter the time from
    the key to the first frame in which area changed. Returns the delays in typing order."""
    delays = []
    for text in texts:
        for letter in text:
            before = screen.grab(area)
            began = now_ms()
            screen.keys(letter)
            delays.append(wait_painted(screen, area, before, False, began, timeout))
            time.sleep(settle)
        for _ in text:
            screen.keys("BackSpace")
            time.sleep(0.05)
        time.sleep(1.0)
    return delays


def key_figures(runs):
    """Over several runs (the delays of one start each): the median of the first letters
    typed after each start, and the median and worst of the letters after them."""
    firsts = [delays[0] for delays in runs if delays and delays[0] == delays[0]]
    later = [d for delays in runs for d in delays[1:] if d == d]
    return {"first_key": statistics.median(firsts) if firsts else float("nan"),
            "later_key": statistics.median(later) if later else float("nan"),
            "worst_key": max(later) if later else float("nan"),
            "missed_keys": sum(1 for delays in runs for d in delays if d != d)}


def repeated(measure, count):
    """The delays of count runs of measure, each its own start: one first keystroke per start
    is too few to tell a figure from the machine's noise."""
    return key_figures([measure() for _ in range(count)])


def keystrokes(vorn, desktop, library, texts=KEY_TEXTS):
    """Keystroke to the list's first changed frame, in an app just started: the panel is shown
    by the shortcut, and the first letter typed is the first search since the start. Returns
    the delays in typing order."""
    _, app = run_app(vorn, desktop, library, keep=True)
    screen = desktop.screen
    hidden = screen.grab(desktop.centre)
    began = now_ms()
    screen.keys("Super_L", "Shift_L", "p")
    wait_painted(screen, desktop.centre, hidden, True, began, 60)
    time.sleep(1.0)  # the panel's own appearance settles
    window = changed_box(hidden, screen.grab(desktop.centre), desktop.centre) or desktop.centre
    delays = type_texts(screen, list_area(window, 70), texts)
    screen.keys("Escape")
    quit_app(vorn, library, app)
    return delays


def rofi_keystrokes(desktop, lines_path, texts=KEY_TEXTS):
    """The same typing into rofi -dmenu over the same lines."""
    screen = desktop.screen
    hidden = screen.grab(desktop.centre)
    with open(lines_path) as lines:
        process, _ = start_rofi(desktop, lines, hidden)
        time.sleep(1.5)  # every line read
        window = changed_box(hidden, screen.grab(desktop.centre), desktop.centre) or desktop.centre
        delays = type_texts(screen, list_area(window, 40), texts)
        process.terminate()
        process.wait()
    end = time.monotonic() + 5
    while time.monotonic() < end and screen.grab(desktop.centre) != hidden:
        time.sleep(0.02)
    return delays


def keystroke_report(count, keys, anchor):
    report([
        (f"first keystroke to frame ({count})", keys["first_key"], "ms", "rofi, first keystroke", anchor["first_key"]),
        (f"later keystroke to frame, median ({count})", keys["later_key"], "ms", "rofi, median", anchor["later_key"]),
        (f"later keystroke to frame, worst ({count})", keys["worst_key"], "ms", "rofi, worst", anchor["worst_key"]),
        (f"keystrokes with no frame in 5 s ({count})", keys["missed_keys"], "", "rofi", anchor["missed_keys"]),
    ])


def bench_keys(vorn, desktop, name, seed_dir, rows):
    """Only the keystroke figures (the store made first, unmeasured)."""
    library = Library(desktop, name, seed_dir)
    lines = os.path.join(desktop.work, f"{name}.lines")
    write_lines(lines, rows)
    fill_store(vorn, desktop, library)
    keystroke_report(f"{len(rows):,} prompts", repeated(lambda: keystrokes(vorn, desktop, library), KEY_STARTS),
                     repeated(lambda: rofi_keystrokes(desktop, lines), KEY_STARTS))


def fill_store(vorn, desktop, library):
    """The first run creates and fills the store; it is not measured."""
    _, app = run_app(vorn, desktop, library, keep=True)
    end = time.monotonic() + 1800
    while time.monotonic() < end and "Sync complete" not in open(f"{library.home}/app.log", errors="replace").read():
        time.sleep(0.5)
    quit_app(vorn, library, app)


def bench_library(vorn, desktop, name, seed_dir, rows, starts, presses):
    library = Library(desktop, name, seed_dir)
    lines = os.path.join(desktop.work, f"{name}.lines")
    write_lines(lines, rows)
    fill_store(vorn, desktop, library)

    runs = []
    for i in range(starts):
        figures, app = run_app(vorn, desktop, library, keep=i == starts - 1)
        runs.append(figures)
    shown = showings(desktop, app, presses)
    quit_app(vorn, library, app)
    # The headless command line, against the anchor over the same text.
    list_time, list_rss = timed([vorn, "prompts", "list", TERM], library.env)
    with open(lines) as text:
        fzf_time, fzf_rss = timed(["fzf", "--filter", TERM], desktop.env, stdin=text)
    rofi_time, rofi_rss = rofi(desktop, lines)
    keys = repeated(lambda: keystrokes(vorn, desktop, library), KEY_STARTS)
    rofi_keys = repeated(lambda: rofi_keystrokes(desktop, lines), KEY_STARTS)

    median = lambda key: statistics.median(r[key] for r in runs)
    count = f"{len(rows):,} prompts"
    anchor = f"rofi start, {len(rows):,} lines"
    report([
        (f"start to tray icon painted ({count})", median("tray"), "ms", anchor, rofi_time),
        (f"start to socket answering ({count})", median("socket"), "ms", anchor, rofi_time),
        (f"start to first reply, watched ({count})", median("first_reply"), "ms", anchor, rofi_time),
        (f"longest gap between replies ({count})", max(r["longest_gap"] for r in runs), "ms", "goal", 50.0),
        (f"longest reply in 4 s after ({count})", max(r["busy"] for r in runs), "ms", "goal", 50.0),
        (f"peak memory at start ({count})", median("peak"), "MB", "rofi memory", rofi_rss),
        (f"first showing to painted ({count})", shown["first_show"], "ms", anchor, rofi_time),
        (f"later showing to painted ({count})", shown["later_show"], "ms", anchor, rofi_time),
        (f"memory before first showing ({count})", shown["rss_before"], "MB", "rofi memory", rofi_rss),
        (f"memory after first showing ({count})", shown["rss_after"], "MB", "rofi memory", rofi_rss),
        (f"prompts list {TERM}, no app ({count})", list_time, "ms", f"fzf --filter {TERM}", fzf_time),
        (f"prompts list memory, no app ({count})", list_rss, "MB", "fzf memory", fzf_rss),
    ])
    keystroke_report(count, keys, rofi_keys)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("vorn")
    parser.add_argument("--prompts", default="10000,100000", help="sizes of generated libraries, 0 for none")
    parser.add_argument("--only", choices=("all", "keys"), default="all", help="keys: the keystroke figures only")
    parser.add_argument("--starts", type=int, default=5)
    parser.add_argument("--presses", type=int, default=11)
    options = parser.parse_args()
    vorn = os.path.abspath(options.vorn)
    for tool in ("Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "rofi", "fzf"):
        if not shutil.which(tool):
            print(f"SKIP: {tool} is not installed")
            return 77
    work = tempfile.mkdtemp(prefix="vorn-bench-")
    desktop = Desktop(work)
    try:
        if options.only == "keys":
            bench_keys(vorn, desktop, "shipped", None, shipped_lines())
        else:
            bench_library(vorn, desktop, "shipped", None, shipped_lines(), options.starts, options.presses)
        for size in (int(n) for n in options.prompts.split(",") if int(n) > 0):
            seed = os.path.join(work, f"seed{size}")
            rows = generate_library(seed, size)
            if options.only == "keys":
                bench_keys(vorn, desktop, f"generated{size}", seed, rows)
            else:
                bench_library(vorn, desktop, f"generated{size}", seed, rows, max(2, options.starts // 2), 5)
    finally:
        desktop.close()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
