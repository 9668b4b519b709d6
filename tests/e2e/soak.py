#!/usr/bin/env python3
"""Fault injection against the real vorn program.

Kills vorn with SIGKILL at random moments of the commands that write the library (favourite,
import, reset-stats, reset, the first start, and writes sent to the running app through its
socket). After every kill: the store passes PRAGMA integrity_check, every write acknowledged
before (a command that exited 0) is present, nothing was moved aside, and the next command
works without any manual step. Then a full-disk run on a small tmpfs (skipped, saying so,
where mounting is not allowed) and a stale-lock run.

usage: soak.py VORN [--kills N] [--seed S]
"""
import argparse
import fcntl
import glob
import json
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time
import uuid


class Soak:
    def __init__(self, vorn, work):
        self.vorn = vorn
        self.work = work
        self.env = dict(os.environ)
        home = os.path.join(work, "home")
        self.env.update({
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_STATE_HOME": os.path.join(home, ".local/state"),
            "XDG_RUNTIME_DIR": os.path.join(work, "runtime"),
            "QT_QPA_PLATFORM": "offscreen",
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus"),
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"):
            os.makedirs(self.env[key], exist_ok=True)
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        os.makedirs(os.path.join(self.env["XDG_CONFIG_HOME"], "vorn"), exist_ok=True)
        with open(os.path.join(self.env["XDG_CONFIG_HOME"], "vorn", "vorn.ini"), "w") as f:
            f.write("[General]\nshowFeedbackOnStart=false\n")
        self.data_dir = os.path.join(self.env["XDG_DATA_HOME"], "vorn")
        self.store = os.path.join(self.data_dir, "library.sqlite")
        self.favorites = set()   # acknowledged favourites (prompt ids)
        self.imported = set()    # acknowledged imported prompt ids
        self.failures = []
        self.kills = {}
        self.acknowledged = 0

    # -- running vorn ------------------------------------------------------------------
    def run(self, args, stdin=None, timeout=60):
        done = subprocess.run([self.vorn] + args, input=stdin, env=self.env, capture_output=True,
                              timeout=timeout)
        return done.returncode, done.stdout.decode(errors="replace"), done.stderr.decode(errors="replace")

    def start(self, args, stdin=None):
        process = subprocess.Popen([self.vorn] + args, env=self.env, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if stdin is not None:
            try:
                process.stdin.write(stdin)
            except BrokenPipeError:
                pass
        process.stdin.close()
        process.stdin = None
        return process

    def kill_at_random(self, process, name, window):
        """Kills the process after a random delay; True when it was still running."""
        time.sleep(random.uniform(0, window))
        alive = process.poll() is None
        if alive:
            os.kill(process.pid, signal.SIGKILL)
        out, err = process.communicate()
        if alive:
            self.kills[name] = self.kills.get(name, 0) + 1
            return True, None
        return False, (process.returncode, out.decode(errors="replace"), err.decode(errors="replace"))

    # -- the store as another program reads it -------------------------------------------
    def query(self, sql):
        db = sqlite3.connect(self.store, timeout=10)
        try:
            return db.execute(sql).fetchall()
        finally:
            db.close()

    def stored_favorites(self):
        return {row[0] for row in self.query(
            "SELECT p.id FROM user_attribute a JOIN prompt p ON a.prompt_row = p.row WHERE a.is_favorite = 1")}

    def stored_prompts(self):
        return {row[0] for row in self.query("SELECT id FROM prompt")}

    def fail(self, what):
        self.failures.append(what)
        print("FAIL - " + what, flush=True)

    def check(self, context):
        """What must hold after every kill."""
        moved = glob.glob(os.path.join(self.data_dir, "*corrupt*"))
        if moved:
            self.fail("%s: moved aside: %s" % (context, moved))
            for path in moved:
                os.remove(path)
        if os.path.exists(self.store):
            verdict = self.query("PRAGMA integrity_check")
            if verdict != [("ok",)]:
                self.fail("%s: integrity_check says %s" % (context, verdict))
        # The next start needs no manual step.
        code, out, err = self.run(["prompts", "list"])
        if code != 0:
            self.fail("%s: the next command failed (%d): %s" % (context, code, err.strip()[-300:]))
            return
        favorites = self.stored_favorites()
        if not self.favorites <= favorites:
            self.fail("%s: acknowledged favourites lost: %s" % (context, self.favorites - favorites))
        prompts = self.stored_prompts()
        if not self.imported <= prompts:
            self.fail("%s: acknowledged imports lost: %s" % (context, self.imported - prompts))
        if glob.glob(os.path.join(self.data_dir, "*corrupt*")):
            self.fail("%s: moved aside by the next start" % context)

    # -- the operations ----------------------------------------------------------------
    def prompt_ids(self):
        return sorted(self.stored_prompts() - self.imported)

    def category_name(self):
        return self.query("SELECT name FROM category ORDER BY row LIMIT 1")[0][0]

    def import_text(self):
        pid = str(uuid.uuid4()).upper()
        item = {"id": pid, "categories": [self.category_name()], "tags": ["soak"], "title": "Soak " + pid[:8],
                "description": "written by the soak", "template": "Hello {{Name: World}}",
                "created": "2026-01-01", "updated": "2026-01-02", "active": True}
        return pid, json.dumps(item).encode()

    def acknowledge(self, name, result, extra):
        """Records the effects of a command that finished by itself."""
        code, out, err = result
        if code != 0:
            return
        self.acknowledged += 1
        if name == "favorite":
            self.favorites.add(extra)
        elif name == "unfavorite":
            self.favorites.discard(extra)
        elif name == "import":
            self.imported.add(extra)
        elif name == "reset-stats":
            self.favorites.clear()
        elif name == "reset":
            self.imported.clear()

    def after_uncertain(self, name, extra):
        """A killed command either happened as a whole or not at all."""
        if name == "reset-stats" and self.favorites:
            left = self.stored_favorites() & self.favorites
            if left and left != self.favorites:
                self.fail("reset-stats was half done: %d of %d favourites left" % (len(left), len(self.favorites)))
            self.favorites = left
        elif name == "reset" and self.imported:
            left = self.stored_prompts() & self.imported
            if left and left != self.imported:
                self.fail("reset was half done: %d of %d imports left" % (len(left), len(self.imported)))
            self.imported = left
        elif name == "unfavorite":
            self.favorites.discard(extra)
        elif name == "import" and extra in self.stored_prompts():
            # It happened: the prompt is the user's, gone with the next reset, and not one
            # of the shipped prompts later rounds mark as favourites.
            self.imported.add(extra)

    def command_round(self):
        ids = self.prompt_ids()
        name = random.choices(["favorite", "unfavorite", "import", "reset-stats", "reset"],
                              weights=[5, 2, 4, 1, 1])[0]
        stdin, extra = None, None
        if name in ("favorite", "unfavorite"):
            extra = random.choice(ids)
            args = ["prompts", "favorite", extra] + (["--off"] if name == "unfavorite" else [])
        elif name == "import":
            extra, stdin = self.import_text()
            args = ["library", "import"]
        elif name == "reset-stats":
            args = ["library", "reset-stats"]
        else:
            args = ["library", "reset", "--yes"]
        process = self.start(args, stdin)
        killed, result = self.kill_at_random(process, name, 0.12 if name.startswith("reset") else 0.06)
        if killed:
            self.after_uncertain(name, extra)
        else:
            self.acknowledge(name, result, extra)
        return killed, name

    def first_start_round(self):
        for path in glob.glob(self.store + "*"):
            os.remove(path)
        self.favorites.clear()
        self.imported.clear()
        process = self.start(["library", "sync"])
        killed, _ = self.kill_at_random(process, "first start", 0.15)
        return killed, "first start"

    def app_round(self):
        """Writes through the socket of a running app, killed at a random moment."""
        app = self.start([])
        if not self.wait_for_app(app, settle=0):
            app.kill()
            _, err = app.communicate()
            self.fail("the app did not start: " + err.decode(errors="replace")[-300:])
            return False, "gui"
        ids = self.prompt_ids()
        writers = []
        for _ in range(random.randint(1, 4)):
            pid = random.choice(ids)
            writers.append((pid, self.start(["prompts", "favorite", pid])))
        time.sleep(random.uniform(0, 0.08))
        os.kill(app.pid, signal.SIGKILL)
        app.communicate()
        self.kills["gui"] = self.kills.get("gui", 0) + 1
        for pid, writer in writers:
            out, _ = writer.communicate(timeout=60)
            # Answered by the app (or, once it was gone, by the command itself): acknowledged.
            if writer.returncode == 0:
                self.favorites.add(pid)
                self.acknowledged += 1
        return True, "gui"

    def kill_run(self, kills):
        code, _, err = self.run(["library", "sync"])
        if code != 0:
            self.fail("the first sync failed: " + err[-300:])
            return
        total = 0
        rounds = 0
        while total < kills:
            rounds += 1
            pick = random.random()
            if pick < 0.04:
                killed, name = self.first_start_round()
            elif pick < 0.12:
                killed, name = self.app_round()
            else:
                killed, name = self.command_round()
            if killed:
                total += 1
                self.check("after a kill of %s (kill %d)" % (name, total))
            if self.failures and len(self.failures) > 20:
                break
        print("kill run: %d kills in %d rounds (%s); %d acknowledged writes, each checked after every later kill"
              % (total, rounds, ", ".join("%s %d" % kv for kv in sorted(self.kills.items())), self.acknowledged),
              flush=True)

    # -- a full disk -------------------------------------------------------------------
    def disk_full_run(self):
        mount = os.path.join(self.work, "small")
        os.makedirs(mount, exist_ok=True)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=3m", "tmpfs", mount],
                                 capture_output=True)
        if mounted.returncode != 0:
            print("disk-full run skipped: mounting a tmpfs is not allowed here (%s)"
                  % mounted.stderr.decode(errors="replace").strip(), flush=True)
            return
        try:
            self._disk_full(mount)
        finally:
            subprocess.run(["umount", "-l", mount])

    def wait_for_app(self, app, settle=0.3):
        """Waits until the app listens, then settle seconds more (its start-up sync)."""
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "vorn", "app.socket")
        deadline = time.time() + 30
        while not os.path.exists(socket) and time.time() < deadline and app.poll() is None:
            time.sleep(0.02)
        time.sleep(settle)
        return os.path.exists(socket)

    def fill(self, mount):
        filler = os.path.join(mount, "filler")
        with open(filler, "wb") as f:
            try:
                while True:
                    f.write(b"\0" * 65536)
                    f.flush()
            except OSError:
                pass
        return filler

    def refused_clearly(self, args, context):
        code, _, err = self.run(args)
        if code == 0:
            return False
        if "database or disk is full" not in err and "disk I/O error" not in err:
            self.fail("disk full: %s: unclear failure (%d): %s" % (context, code, err.strip()[-200:]))
        return True

    def _disk_full(self, mount):
        saved_env = dict(self.env)
        saved_store, saved_dir = self.store, self.data_dir
        self.env["XDG_DATA_HOME"] = mount
        self.data_dir = os.path.join(mount, "vorn")
        self.store = os.path.join(self.data_dir, "library.sqlite")
        self.favorites, self.imported = set(), set()
        try:
            code, _, err = self.run(["library", "sync"])
            if code != 0:
                self.fail("disk full: the first sync failed: " + err[-200:])
                return
            ids = self.prompt_ids()
            if self.run(["prompts", "favorite", ids[0]])[0] == 0:
                self.favorites.add(ids[0])

            # The app, started while there is room: writes through its socket fail while the
            # disk is full, stay pending, and are saved once there is room (at the latest at quit).
            app = self.start([])
            if not self.wait_for_app(app):
                self.fail("disk full: the app did not start")
            filler = self.fill(mount)
            pending = [pid for pid in ids[1:4] if self.refused_clearly(["prompts", "favorite", pid], "through the app")]
            os.remove(filler)
            app.send_signal(signal.SIGTERM)
            app.communicate(timeout=30)
            if app.returncode != 0:
                self.fail("disk full: the app's quit after the disk had room again exited %d" % app.returncode)
            saved_later = set(pending) <= self.stored_favorites()
            if not saved_later:
                self.fail("disk full: the app's pending changes were not saved once there was room")

            # No app: a command is refused with the reason, the store is left as it was.
            filler = self.fill(mount)
            refused = sum(self.refused_clearly(["prompts", "favorite", pid], "alone") for pid in ids[4:7])
            # The app started on a full disk leaves the store alone and still comes up.
            app = self.start([])
            app_up = self.wait_for_app(app)
            app.send_signal(signal.SIGTERM)
            app_out, _ = app.communicate(timeout=30)
            os.remove(filler)
            if not app_up:
                self.fail("disk full: the app did not come up on a full disk")
            if moved := glob.glob(os.path.join(self.data_dir, "*corrupt*")):
                self.fail("disk full: moved aside: %s" % moved)
            if self.query("PRAGMA integrity_check") != [("ok",)]:
                self.fail("disk full: integrity_check failed")
            if not self.favorites <= self.stored_favorites():
                self.fail("disk full: acknowledged favourites lost")
            print("disk-full run: %d of 3 writes through the app refused while full and %s once there was room; "
                  "%d of 3 commands without the app refused with the reason; the app %s on a full disk; "
                  "nothing lost, nothing moved aside" % (len(pending), "saved" if saved_later else "NOT saved",
                                                         refused, "came up" if app_up else "did NOT come up"),
                  flush=True)
        finally:
            self.env = saved_env
            self.store, self.data_dir = saved_store, saved_dir

    # -- stale locks -------------------------------------------------------------------
    def stale_lock_run(self):
        lock = self.store + ".lock"
        app_lock = os.path.join(self.env["XDG_RUNTIME_DIR"], "vorn", "app.lock")
        dead = subprocess.Popen(["true"])
        dead.wait()
        cases = [("empty", b""), ("dead pid", b"%d\nvorn\n" % dead.pid), ("garbage", b"\xff\xfe")]
        taken = 0
        for name, content in cases:
            for path in (lock, app_lock):
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as f:
                    f.write(content)
            code, _, err = self.run(["prompts", "list"])
            lines = [line for line in err.splitlines() if "Took over" in line]
            if code != 0 or len(lines) != 1:
                self.fail("stale lock (%s): exit %d, take-over lines %s" % (name, code, lines))
            else:
                taken += 1
            if os.path.exists(app_lock):
                os.remove(app_lock)
            # The app takes over its instance lock the same way.
            with open(app_lock, "wb") as f:
                f.write(content)
            app = self.start([])
            started = self.wait_for_app(app, settle=0)
            app.send_signal(signal.SIGTERM)
            app.communicate(timeout=30)
            if not started or os.path.exists(app_lock) or os.path.exists(lock):
                self.fail("stale lock (%s): the app did not start over it or left its locks" % name)
        other = 0
        if os.getuid() == 0:
            with open(lock, "wb") as f:
                f.write(b"4000000\nvorn\n")
            os.chown(lock, 65534, 65534)
            holder = open(lock, "rb")
            fcntl.flock(holder, fcntl.LOCK_EX)
            code, _, err = self.run(["prompts", "list"])
            if code == 0 or "belongs to user" not in err or lock not in err or "rm '" not in err:
                self.fail("another user's held lock: exit %d: %s" % (code, err.strip()[-300:]))
            else:
                other += 1
            holder.close()
            code, _, err = self.run(["prompts", "list"])
            if code != 0 or "Took over the lock file" not in err:
                self.fail("another user's left lock: exit %d: %s" % (code, err.strip()[-300:]))
            else:
                other += 1
        # A second command waits for a running one instead of failing at once.
        holder = subprocess.Popen([sys.executable, "-c", """
import fcntl, sys, time
f = open(sys.argv[1], "w"); fcntl.flock(f, fcntl.LOCK_EX); f.write("%d\\n" % __import__("os").getpid()); f.flush()
print("held", flush=True); time.sleep(1.5)
""", lock], stdout=subprocess.PIPE)
        holder.stdout.readline()
        code, _, err = self.run(["prompts", "list"])
        holder.wait()
        waited = code == 0 and "Waiting up to" in err
        if not waited:
            self.fail("a second command did not wait for the first: exit %d: %s" % (code, err.strip()[-300:]))
        print("stale-lock run: %d of %d stale kinds taken over with one line (store and app), "
              "%s; a second command %s" % (taken, len(cases),
                                           "%d of 2 other-user cases right" % other if os.getuid() == 0
                                           else "other-user cases need root, skipped",
                                           "waited for the first" if waited else "did NOT wait"), flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("vorn")
    parser.add_argument("--kills", type=int, default=50)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    options = parser.parse_args()
    random.seed(options.seed)
    print("soak: seed %d, %d kills" % (options.seed, options.kills), flush=True)
    work = tempfile.mkdtemp(prefix="vorn-soak-")
    soak = Soak(os.path.abspath(options.vorn), work)
    started = time.time()
    try:
        soak.kill_run(options.kills)
        soak.disk_full_run()
        soak.stale_lock_run()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("soak: %.0f s, %d failures" % (time.time() - started, len(soak.failures)), flush=True)
    return 1 if soak.failures else 0


if __name__ == "__main__":
    sys.exit(main())
