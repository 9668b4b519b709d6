#!/usr/bin/env python3
"""Desktop shell figures of the real program under Xvfb (openbox, trayer), from the app's own
VORN_TRACE marks:
  - process start to tray icon ready (the store exists already: a first run creates it),
  - shortcut press to panel focused, median of 20 presses,
  - resident memory after start with the shipped library.
Usage: shell_bench.py PATH/TO/vorn   (build it in Release for meaningful figures)"""
import os, re, shutil, statistics, subprocess, sys, tempfile, time

GOALS = {"start_to_tray_ms": 300, "hotkey_to_focus_ms": 50, "rss_mb": 120}


def wait_for(predicate, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.02)
    return False


def marks(log_path, label):
    with open(log_path, encoding="utf-8", errors="replace") as log:
        return [float(m.group(1)) for m in re.finditer(r"^VORN_TRACE ([0-9.]+) " + re.escape(label) + "$",
                                                       log.read(), re.M)]


def main():
    vorn = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "openbox", "trayer", "xdotool"):
        if not shutil.which(tool):
            print(f"SKIP: {tool} is not installed")
            return 77
    work = tempfile.mkdtemp(prefix="vorn-bench-")
    display = next(f":{n}" for n in range(161, 230) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
    env = dict(os.environ, DISPLAY=display, HOME=work, XDG_CONFIG_HOME=f"{work}/config",
               XDG_DATA_HOME=f"{work}/data", XDG_CACHE_HOME=f"{work}/cache", XDG_RUNTIME_DIR=f"{work}/run",
               DBUS_SESSION_BUS_ADDRESS=f"unix:path={work}/no-bus", VORN_TRACE="1")
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("QT_QPA_PLATFORM", None)
    os.makedirs(f"{work}/config/vorn")
    os.makedirs(f"{work}/run", mode=0o700)
    with open(f"{work}/config/vorn/vorn.ini", "w") as ini:
        ini.write("[General]\nshowFeedbackOnStart=false\n")
    helpers = [subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                env=env, stderr=subprocess.DEVNULL)]
    time.sleep(1)
    helpers.append(subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL))
    helpers.append(subprocess.Popen(["trayer", "--edge", "top", "--align", "right"], env=env,
                                    stderr=subprocess.DEVNULL))
    time.sleep(0.5)
    results = {}
    try:
        def start(log_path):
            log = open(log_path, "w")
            began = time.clock_gettime(time.CLOCK_MONOTONIC) * 1000
            app = subprocess.Popen([vorn], env=env, stdout=log, stderr=subprocess.STDOUT)
            wait_for(lambda: marks(log_path, "tray icon ready"))
            return app, began

        # First run creates and fills the store; it is not measured.
        app, _ = start(f"{work}/first.log")
        wait_for(lambda: "Sync complete" in open(f"{work}/first.log").read())
        app.terminate(); app.wait()

        starts = []
        for i in range(5):
            log_path = f"{work}/start{i}.log"
            app, began = start(log_path)
            starts.append(marks(log_path, "tray icon ready")[0] - began)
            if i < 4:
                app.terminate(); app.wait()
        results["start_to_tray_ms"] = statistics.median(starts)

        time.sleep(2)  # the start-up load is done; the library is in memory
        with open(f"/proc/{app.pid}/status") as status:
            rss_kb = int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))
        results["rss_mb"] = rss_kb / 1024

        log_path = f"{work}/start4.log"
        delays = []
        for _ in range(21):
            received = len(marks(log_path, "hotkey received"))
            focused = len(marks(log_path, "panel focused"))
            subprocess.run(["xdotool", "key", "super+shift+p"], env=env)
            wait_for(lambda: len(marks(log_path, "panel focused")) > focused, 5)
            r, f = marks(log_path, "hotkey received"), marks(log_path, "panel focused")
            if len(r) > received and len(f) > focused:
                delays.append(f[-1] - r[-1])
            subprocess.run(["xdotool", "key", "Escape"], env=env)
            time.sleep(0.3)
        # The first showing also builds the scene graph; the figure is about the steady state.
        results["hotkey_to_focus_ms"] = statistics.median(delays[1:]) if len(delays) > 1 else float("nan")
        results["first_show_ms"] = delays[0] if delays else float("nan")
        app.terminate(); app.wait()
    finally:
        for helper in reversed(helpers):
            helper.terminate()
            helper.wait()
        shutil.rmtree(work, ignore_errors=True)
    for name, value in results.items():
        goal = GOALS.get(name)
        print(f"{name:22s} {value:8.1f}" + (f"   goal < {goal}  ratio {value / goal:.2f}" if goal else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
