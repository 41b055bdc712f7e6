#!/usr/bin/env python3
"""Soak run of the bug demo through the headless runner.

1. Record: logging on, recording on, nine bugs steered from the panel now and then, FRAMES
   animation ticks in all. The log is read through a pipe, hashed and counted, never stored;
   the runner's resident memory (VmRSS in /proc) is sampled as the frames go by. Every tick
   must be an event and every event must draw one frame: the frame count is checked exactly.
2. Play back the recorded KORVA.SCR in a new process, logging on, and check that it ends in
   the same final frame with the same log (the playback's own end-of-file line aside).
3. Optionally, a shorter run of both under valgrind: no errors, no leaks, the exact frame count.

Exit status 0 when every check holds; the figures are printed either way.
"""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

# The scene's first call opens every frame.
FRAME_LINE = b"ice blue rectangle with bounding box (-300,250) to (300,-250), filled\n"
END_LINE = b"EOF encountered in script file KORVA.SCR\n"
# Panel buttons, in client pixels of the graphics window (the canvas origin is at 297, 240).
BUTTONS = {"go": 0, "stop": 1, "faster": 2, "slower": 3, "gliding": 4, "hopping": 5,
           "new_color": 6, "add_bug": 7, "delete_bug": 8}


def button(name):
    return "click 40 %d" % (240 - (245 - 25 * BUTTONS[name] - 12))


def bug_box(slot):
    return "click 554 %d" % (240 - (245 - 25 * slot - 12))


def record_actions(frames, shot):
    """Logging and recording on, nine bugs, then every 500 frames a change to one of them."""
    lines = ["key ctrl+l", "key ctrl+r"] + [button("add_bug")] * 8
    changes = ["new_color", "hopping", "faster", "gliding", "slower", "stop", "go", "new_color"]
    done, block = 0, 0
    while done < frames:
        step = min(500, frames - done)
        lines.append("wait %d" % (step * 100))
        done += step
        if done < frames:
            lines.append(bug_box(block % 9))
            lines.append(button(changes[block % len(changes)]))
            if block % 7 == 3:  # a bug leaves and comes back
                lines += [button("delete_bug"), button("add_bug")]
            lines.append("type %s" % "abcdefgh"[block % 8])
            block += 1
    lines += ["key ctrl+r", "shot %s" % shot]
    return "\n".join(lines) + "\n"


def frames_expected(actions_text):
    """The frames a run of these actions logs, logging being on from its first action: one for
    each tick of the 100 ms timer in its waits (input takes no time on the virtual clock), one
    for each click and typed key, and one for the quit. Ctrl keys are commands, not events.
    Returns (ticks, frames)."""
    lines = actions_text.splitlines()
    ticks = sum(int(line.split()[1]) for line in lines if line.startswith("wait ")) // 100
    inputs = sum(1 for line in lines if line.startswith(("click ", "type ")))
    return ticks, ticks + inputs + 1


def ticks_in(script):
    """The periodic events a script holds: each tick line carries its repeat count."""
    return sum(int(line[len(b"KORVA_PERIODIC("):-2]) for line in script.splitlines()
               if line.startswith(b"KORVA_PERIODIC("))


def playback_actions(shot):
    # Playback runs without idling; the shot is taken when the program idles again, at its end.
    return "key ctrl+l\nkey ctrl+p\nshot %s\n" % shot


def rss_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


class LogReader:
    """Hashes and counts the log as it comes through a pipe; notes RSS every `every` frames."""

    def __init__(self, fd, pid, every):
        self.hash = hashlib.sha256()
        self.lines = 0
        self.frames = 0
        self.end_lines = 0
        self.samples = []  # (frames, rss_kb)
        self.fd, self.pid, self.every = fd, pid, every
        self.thread = threading.Thread(target=self.read)
        self.thread.start()

    def read(self):
        with os.fdopen(self.fd, "rb", buffering=1 << 20) as log:
            for line in log:
                self.lines += 1
                if line == FRAME_LINE:
                    self.frames += 1
                    if self.frames % self.every == 0:
                        rss = rss_kb(self.pid)
                        if rss is not None:
                            self.samples.append((self.frames, rss))
                elif line == END_LINE:
                    self.end_lines += 1
                    continue  # the playback's own line is left out of the comparison
                self.hash.update(line)


def run(runner, directory, actions_text, screen, every, wrapper=()):
    actions = os.path.join(directory, "actions-%d" % time.monotonic_ns())
    with open(actions, "w") as f:
        f.write(actions_text)
    read_end, write_end = os.pipe()
    started = time.monotonic()
    process = subprocess.Popen(
        list(wrapper) + [runner, "--screen", screen, "--log", "/dev/fd/%d" % write_end, actions],
        cwd=directory, pass_fds=(write_end,), stderr=subprocess.PIPE)
    os.close(write_end)
    reader = LogReader(read_end, process.pid, every)
    _, errors = process.communicate()
    reader.thread.join()
    reader.seconds = time.monotonic() - started
    reader.status = process.returncode
    reader.errors = errors.decode(errors="replace")
    return reader


def memory_figures(samples, frames):
    """RSS after warm-up (the first tenth of the frames, at least 1000): start, peak, growth."""
    warm = max(frames // 10, 1000)
    after = [rss for (f, rss) in samples if f >= warm]
    if len(after) < 2:
        return None
    return {"warm_up_frames": warm, "start_kb": after[0], "peak_kb": max(after),
            "end_kb": after[-1], "growth_kb": max(after) - after[0], "samples": len(after)}


def check(condition, what, failures):
    print("  %s %s" % ("ok  " if condition else "FAIL", what))
    if not condition:
        failures.append(what)


def read_script(directory):
    path = os.path.join(directory, "KORVA.SCR")
    return open(path, "rb").read() if os.path.exists(path) else b""


def check_frame_count(record, actions, script, failures):
    """Every tick reached the demo (the recording holds each one) and drew one frame, and so did
    every click and key: the frame count is exact, not a lower bound."""
    ticks, frames = frames_expected(actions)
    recorded = ticks_in(script)
    check(recorded == ticks, "every tick was an event (%d recorded of %d)" % (recorded, ticks),
          failures)
    check(record.frames == frames, "every event drew one frame (%d frames, %d expected)" %
          (record.frames, frames), failures)


def soak(args, failures):
    directory = tempfile.mkdtemp(prefix="korva-soak-")
    try:
        every = max(args.frames // 200, 10)
        print("soak: recording %d frames (screen %s) in %s" % (args.frames, args.screen, directory))
        actions = record_actions(args.frames, "record.png")
        record = run(args.runner, directory, actions, args.screen, every)
        script = read_script(directory)
        print("  %d frames, %d log lines in %.0f s; script: %d lines" %
              (record.frames, record.lines, record.seconds, script.count(b"\n")))
        check(record.status == 0, "the recording run ended normally (status %d) %s" %
              (record.status, record.errors.strip()), failures)
        check_frame_count(record, actions, script, failures)
        figures = memory_figures(record.samples, record.frames)
        if figures:
            print("  RSS after %(warm_up_frames)d frames of warm-up: %(start_kb)d kB, peak "
                  "%(peak_kb)d kB, at the end %(end_kb)d kB; growth %(growth_kb)d kB "
                  "(%(samples)d samples)" % figures)
            check(figures["growth_kb"] < 1024, "resident memory grew by under 1 MB", failures)
        else:
            check(False, "enough memory samples", failures)

        print("soak: playing the script back")
        play = run(args.runner, directory, playback_actions("play.png"), args.screen, every)
        print("  %d frames, %d log lines in %.0f s" % (play.frames, play.lines, play.seconds))
        check(play.status == 0, "the playback run ended normally (status %d) %s" %
              (play.status, play.errors.strip()), failures)
        check(play.end_lines == 1 and record.end_lines == 0, "playback ran to the end", failures)
        check(play.frames == record.frames and play.lines == record.lines + 1 and
              play.hash.digest() == record.hash.digest(),
              "playback gave the same log (sha256 %s)" % record.hash.hexdigest()[:16], failures)
        same = open(os.path.join(directory, "record.png"), "rb").read() == open(
            os.path.join(directory, "play.png"), "rb").read()
        check(same, "playback ended in the same final frame", failures)
    finally:
        shutil.rmtree(directory, ignore_errors=True)


def under_valgrind(args, failures):
    directory = tempfile.mkdtemp(prefix="korva-valgrind-")
    try:
        wrapper = ["valgrind", "--error-exitcode=99", "--leak-check=full",
                   "--show-leak-kinds=definite,indirect,possible",
                   "--errors-for-leak-kinds=definite,indirect,possible", "--quiet"]
        frames = args.valgrind_frames
        print("valgrind: recording %d frames, then playing them back" % frames)
        actions = record_actions(frames, "record.png")
        record = run(args.runner, directory, actions, args.screen, max(frames // 10, 1), wrapper)
        script = read_script(directory)
        play = run(args.runner, directory, playback_actions("play.png"), args.screen,
                   max(frames // 10, 1), wrapper)
        for name, result in (("recording", record), ("playback", play)):
            report = result.errors.strip()
            print("  %s: %d frames in %.0f s" % (name, result.frames, result.seconds))
            check(result.status == 0 and not report,
                  "%s: no errors and no leaks%s" % (name, ("\n" + report) if report else ""),
                  failures)
        check_frame_count(record, actions, script, failures)
        check(play.frames == record.frames and play.hash.digest() == record.hash.digest(),
              "playback gave the same log", failures)
    finally:
        shutil.rmtree(directory, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runner", required=True, help="the bugdemo-headless program")
    parser.add_argument("--frames", type=int, default=100000)
    parser.add_argument("--valgrind-frames", type=int, default=0,
                        help="also run this many frames under valgrind (0: no)")
    parser.add_argument("--screen", default="640x480")
    args = parser.parse_args()
    args.runner = os.path.abspath(args.runner)
    failures = []
    if args.frames > 0:
        soak(args, failures)
    if args.valgrind_frames > 0:
        under_valgrind(args, failures)
    if failures:
        print("soak: %d check(s) failed" % len(failures))
        return 1
    print("soak: all checks hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())
