#!/usr/bin/env python3
"""The progress line of a headless run on a real terminal (a pseudo-terminal
that Wine's console draws on): shown and rewritten while the run goes on,
erased before the trace's lines and at the end; nothing when the error stream
is a pipe, nor before two seconds have passed.

usage: bench_progress_terminal_test.py WINE-RUN BENCH-EXE GAUGE-DIR PANEL-DIR WORK-DIR
"""
import os
import pty
import re
import shutil
import subprocess
import sys
import time

PROGRESS = re.compile(r"tick (\d+) of (\d+), \d+:\d\d:\d\d simulated")


class Screen:
    """Enough of a terminal for what Wine's console writes: characters,
    carriage returns, line feeds, cursor moves and erasures."""

    def __init__(self):
        self.rows = [[]]
        self.row = self.column = 0
        self.seen = []  # the text of the cursor's row at every carriage return

    def text(self, row):
        return "".join(self.rows[row]).rstrip()

    def put(self, character):
        line = self.rows[self.row]
        line.extend(" " * (self.column + 1 - len(line)))
        line[self.column] = character
        self.column += 1

    def feed(self, data):
        at = 0
        while at < len(data):
            character = data[at]
            at += 1
            if character == "\x1b":
                match = re.match(r"\[([?0-9;]*)([A-Za-z])", data[at:])
                if match is None:
                    continue
                at += match.end()
                self.escape(match.group(1), match.group(2))
            elif character == "\r":
                self.seen.append(self.text(self.row))
                self.column = 0
            elif character == "\n":
                self.row += 1
                while len(self.rows) <= self.row:
                    self.rows.append([])
            elif character == "\b":
                self.column = max(0, self.column - 1)
            elif character >= " ":
                self.put(character)

    def escape(self, parameters, command):
        numbers = [int(n) for n in parameters.split(";") if n.isdigit()]
        count = numbers[0] if numbers else 1
        if command == "K":
            del self.rows[self.row][self.column:]
        elif command == "C":
            self.column += count
        elif command == "D":
            self.column = max(0, self.column - count)
        elif command == "G":
            self.column = count - 1
        elif command == "H":
            self.row = (numbers[0] - 1) if numbers else 0
            self.column = (numbers[1] - 1) if len(numbers) > 1 else 0
            while len(self.rows) <= self.row:
                self.rows.append([])
        elif command == "J":
            del self.rows[self.row][self.column:]
            del self.rows[self.row + 1:]

    def lines(self):
        return [self.text(row) for row in range(len(self.rows))]


def run(command, work, stdout_on_terminal, stderr_on_terminal, environment):
    """Runs `command`; returns its status, the terminal's screen and the
    bytes of whichever streams were not on the terminal."""
    master, slave = pty.openpty()
    stdout_path, stderr_path = os.path.join(work, "stdout.txt"), os.path.join(work, "stderr.txt")
    with open(stdout_path, "wb") as stdout, open(stderr_path, "wb") as stderr:
        process = subprocess.Popen(command, cwd=work, env=environment, stdin=subprocess.DEVNULL,
                                   stdout=slave if stdout_on_terminal else stdout,
                                   stderr=slave if stderr_on_terminal else stderr)
        os.close(slave)
        written = b""
        while True:
            try:
                chunk = os.read(master, 65536)
            except OSError:  # the terminal's last writer has gone
                break
            if not chunk:
                break
            written += chunk
        status = process.wait()
    os.close(master)
    screen = Screen()
    screen.feed(written.decode("utf-8", "replace"))
    with open(stdout_path, "rb") as stdout, open(stderr_path, "rb") as stderr:
        return status, screen, stdout.read(), stderr.read()


def main():
    wine_run, bench, gauges, panel, work = sys.argv[1:6]
    shutil.rmtree(work, ignore_errors=True)
    panel_folder = os.path.join(work, "Aircraft", "kaprelo", "panel")
    os.makedirs(panel_folder)
    for name in os.listdir(gauges):
        if name.endswith(".gau"):
            shutil.copy(os.path.join(gauges, name), panel_folder)
    for name in os.listdir(panel):
        shutil.copy(os.path.join(panel, name), panel_folder)
    with open(os.path.join(work, "long.scenario"), "w") as script:
        script.write("run 300000\nnote half way\nrun 300000\n")
    with open(os.path.join(work, "short.scenario"), "w") as script:
        script.write("run 1000\n")
    at_once = dict(os.environ, BENCH_PROGRESS_AFTER_MS="0")
    by_default = {key: value for key, value in os.environ.items() if key != "BENCH_PROGRESS_AFTER_MS"}
    failures = []

    def bench_run(script, out, **streams):
        command = ["sh", wine_run, bench, "Aircraft/kaprelo/panel/panel.cfg", "--script", script, "--out", out]
        started = time.monotonic()
        result = run(command, work, **streams)
        if result[0] != 0:
            failures.append("%s: exit status %d\n%s" % (out, result[0], result[2].decode() + result[3].decode()))
        return result + (time.monotonic() - started,)

    # The error stream on the terminal, the trace in a file.
    _, screen, stdout, _, seconds = bench_run("long.scenario", "alone", stdout_on_terminal=False,
                                              stderr_on_terminal=True, environment=at_once)
    shown = [match for text in screen.seen for match in [PROGRESS.search(text)] if match]
    if not shown:
        failures.append("no progress line on the terminal; it showed: %r" % screen.seen[:10])
    elif any(match.group(2) != "600000" for match in shown):
        failures.append("the progress names another total than the script's 600000 ticks: %s" % shown[0].group(0))
    # Wine's console may draw fewer rewrites than were made, never more.
    if len(set(match.group(1) for match in shown)) > 4 * seconds + 2:
        failures.append("%d progress lines in %.1f s: more than four a second" % (len(shown), seconds))
    if any(PROGRESS.search(line) for line in screen.lines()):
        failures.append("the progress line is not erased at the end: %r" % screen.lines())
    with open(os.path.join(work, "alone", "trace.txt"), "rb") as trace:
        if stdout != trace.read():
            failures.append("the standard output is not the trace: the progress line leaked into it")

    # Both streams on the terminal: each trace line on a row of its own.
    _, screen, _, _, _ = bench_run("long.scenario", "shared", stdout_on_terminal=True,
                                   stderr_on_terminal=True, environment=at_once)
    lines = screen.lines()
    half_way = [line for line in lines if "== half way" in line]
    if len(half_way) != 1 or not half_way[0].startswith("[tick 300000] == half way"):
        failures.append("the trace's line shares its row with the progress: %r" % half_way)
    if any(PROGRESS.search(line) for line in lines):
        failures.append("the progress line is left on the terminal: %r" % lines)

    # The error stream a pipe: nothing.
    _, _, _, stderr, _ = bench_run("long.scenario", "piped", stdout_on_terminal=False,
                                   stderr_on_terminal=False, environment=at_once)
    if PROGRESS.search(stderr.decode("utf-8", "replace")):
        failures.append("a progress line on a pipe: %r" % stderr[:200])

    # The default wait: a run that ends within two seconds shows nothing.
    _, screen, _, _, _ = bench_run("short.scenario", "short", stdout_on_terminal=False,
                                   stderr_on_terminal=True, environment=by_default)
    if any(PROGRESS.search(text) for text in screen.seen + screen.lines()):
        failures.append("a progress line within the first two seconds: %r" % screen.seen)

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("the progress line shows, rewrites and is erased on a terminal, and not on a pipe")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
