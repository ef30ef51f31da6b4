#!/usr/bin/env python3
"""Measures the figures a desktop user feels, each against its floor in the same run.

Every figure runs the project and its floor alternately, several times, and reports
medians and the ratio of the two. Writes docs/performance.md and its charts. Run through
bench/run.sh, which builds what this needs first.
"""

import argparse
import datetime
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build"
HOST = BUILD / "bin" / "orvane-host"
BENCH = BUILD / "bench"
QML = ROOT / "bench" / "qml"
DOCS = ROOT / "docs"
# The last run's measurements, for --report-only.
RESULTS = BENCH / "figures.json"


def environment(scratch):
    env = dict(os.environ)
    env.update({
        "QT_QPA_PLATFORM": "offscreen",
        "QT_QUICK_BACKEND": "software",
        "QML_XHR_ALLOW_FILE_READ": "1",  # the plain floors read /proc through XMLHttpRequest
        "ORVANE_CONFIG_DIR": str(scratch / "config"),
        "ORVANE_CACHE_DIR": str(scratch / "cache"),
        "ORVANE_STORAGE_DIR": str(scratch / "storage"),
        "ORVANE_SOUNDS_DIR": str(BUILD / "share" / "orvane" / "sounds"),
        "ORVANE_EXAMPLES_DIR": str(ROOT / "examples"),
    })
    return env


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def tasks(pid, read):
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += read(task)
        except OSError:
            pass  # a thread that ended meanwhile
    return total


def cpu_seconds(pid):
    """Time on a processor of all threads, to the nanosecond (clock ticks are too coarse)."""
    return tasks(pid, lambda task: int((task / "schedstat").read_text().split()[0])) / 1e9


def wakeups(pid):
    """Voluntary context switches of all threads: each is a sleep, ended by a wake-up."""
    def voluntary(task):
        for line in (task / "status").read_text().splitlines():
            if line.startswith("voluntary_ctxt_switches:"):
                return int(line.split()[1])
        return 0
    return tasks(pid, voluntary)


def idle(qml, env, warmup, window):
    """CPU in percent of one core and wake-ups a second of the runner showing `qml`."""
    process = subprocess.Popen([str(HOST), "--size", "1280x800", str(qml)], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(warmup)
        if process.poll() is not None:
            sys.exit(f"{qml.name} exited early with {process.returncode}")
        start, used, woken = time.monotonic(), cpu_seconds(process.pid), wakeups(process.pid)
        time.sleep(window)
        elapsed = time.monotonic() - start
        cpu = 100.0 * (cpu_seconds(process.pid) - used) / elapsed
        return cpu, (wakeups(process.pid) - woken) / elapsed
    finally:
        process.terminate()
        process.wait()


def alternate(repetitions, project, floor):
    """Runs the two in turn, each going first every other time, and collects the results."""
    results = {"project": [], "floor": []}
    for i in range(repetitions):
        order = [("project", project), ("floor", floor)]
        for name, run in order if i % 2 == 0 else reversed(order):
            results[name].append(run())
    return results


def idle_figure(project_qml, floor_qml, env, repetitions, warmup, window):
    runs = alternate(repetitions, lambda: idle(project_qml, env, warmup, window),
                     lambda: idle(floor_qml, env, warmup, window))
    return {name: (statistics.median(r[0] for r in results),
                   statistics.median(r[1] for r in results), results)
            for name, results in runs.items()}


def resident(qml, count, env):
    output = subprocess.run([str(BENCH / "orvane-bench-widgets"), str(qml), str(count)],
                            env=env, capture_output=True, text=True, check=True).stdout
    return int(output.split()[0])


def slope(points):
    """Least-squares slope of (x, y) points."""
    mean_x = statistics.mean(x for x, _ in points)
    mean_y = statistics.mean(y for _, y in points)
    return (sum((x - mean_x) * (y - mean_y) for x, y in points)
            / sum((x - mean_x) ** 2 for x, _ in points))


# The widget built up part by part, each step adding one thing to the one before.
PARTS = [("QtObject and Text", QML / "parts" / "text.qml"),
         ("+ settings map bound to the QtObject", QML / "parts" / "settings.qml"),
         ("+ DataSource on \"system\"/\"cpu\"", QML / "parts" / "source.qml"),
         ("+ text output: the whole widget", QML / "widget.qml")]


def memory_figure(env, repetitions, counts, kinds=None):
    kinds = kinds or {"project": QML / "widget.qml", "floor": QML / "plainwidget.qml"}
    samples = {name: {n: [] for n in counts} for name in kinds}
    for i in range(repetitions):
        for n in counts:
            names = list(kinds) if i % 2 == 0 else list(reversed(kinds))
            for name in names:
                samples[name][n].append(resident(kinds[name], n, env))
    figure = {}
    for name in kinds:
        per_run = [slope([(n, samples[name][n][i]) for n in counts]) for i in range(repetitions)]
        base = statistics.median(samples[name][0])
        curve = [(n, (statistics.median(samples[name][n]) - base) / n) for n in counts if n]
        figure[name] = (statistics.median(per_run), curve)
    return figure


def lines_of(command, env):
    output = subprocess.run(command, env=env, capture_output=True, text=True, check=True).stdout
    values = {"project": [], "floor": []}
    for line in output.splitlines():
        name, value = line.split()
        values[name].append(float(value))
    return values


def startup(qml, env, scratch):
    """Seconds from starting the runner to the end of a screenshot of its first frame."""
    start = time.monotonic()
    subprocess.run([str(HOST), "--size", "1280x800", "--screenshot", str(scratch / "first.png"),
                    "--after", "0", str(qml)], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - start


def gnuplot(script):
    subprocess.run(["gnuplot"], input=script, text=True, check=True)


def write_data(path, rows):
    path.write_text("".join(" ".join(str(v) for v in row) + "\n" for row in rows))


def charts(figures, scratch):
    common = "set terminal pngcairo size 720,400 font 'sans,10'\nset grid\nset key top right\n"
    memory = figures["memory"]
    for name in ("project", "floor"):
        write_data(scratch / f"memory-{name}.dat", memory[name][1])
    gnuplot(common + f"""set output '{DOCS}/performance-memory.png'
set title 'Resident memory per live widget'
set xlabel 'widgets in the window'
set ylabel 'kB per widget'
set yrange [0:*]
plot '{scratch}/memory-project.dat' with linespoints title 'DataSource, text output, settings, Text', \\
     '{scratch}/memory-floor.dat' with linespoints title 'plain: QtObject, Timer, Text'
""")
    save = figures["save"]
    for name in ("project", "floor"):
        ordered = sorted(save[name])
        write_data(scratch / f"save-{name}.dat",
                   [(v, (i + 1) / len(ordered)) for i, v in enumerate(ordered)])
    gnuplot(common + f"""set output '{DOCS}/performance-save.png'
set title 'Saving a widget document of 100 values'
set xlabel 'microseconds (log scale)'
set ylabel 'share of saves at most this long'
set logscale x
set key bottom right
plot '{scratch}/save-project.dat' with lines lw 2 title 'Settings.save', \\
     '{scratch}/save-floor.dat' with lines lw 2 title 'write, fsync, rename, fsync of the directory'
""")
    rows = []
    for i, (label, key) in enumerate((("example desktop", "idle_desktop"),
                                      ("20 data sources", "idle_sources"))):
        rows.append((i, f'"{label}"', figures[key]["project"][1], figures[key]["floor"][1]))
    write_data(scratch / "idle.dat", rows)
    gnuplot(common + f"""set output '{DOCS}/performance-idle.png'
set title 'Idle wake-ups'
set ylabel 'wake-ups a second'
set style data histograms
set style histogram clustered gap 1
set style fill solid 0.8 border -1
set yrange [0:*]
set key top left
plot '{scratch}/idle.dat' using 3:xtic(2) title 'project', '' using 4 title 'plain floor'
""")


def machine():
    model = "unknown processor"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt5core5a"],
                        capture_output=True, text=True).stdout or "unknown"
    memory = Path("/proc/meminfo").read_text().split()[1]
    return (f"{model}, {os.cpu_count()} cores, {int(memory) // 1024} MiB of memory; "
            f"Linux {platform.release()}; Qt {qt}")


def ratio(project, floor):
    return project / floor if floor else float("inf")


def idle_row(label, figure, floor_label, shown):
    project, floor = figure["project"], figure["floor"]
    return (label, shown.format(*project[:2]), floor_label + shown.format(*floor[:2]),
            "{:.1f} CPU, {:.1f} wake-ups".format(ratio(project[0], floor[0]),
                                                 ratio(project[1], floor[1])))


def report(figures, settings, started, loads):
    idle_desktop, idle_sources = figures["idle_desktop"], figures["idle_sources"]
    memory, sound, save, start = (figures[k] for k in ("memory", "sound", "save", "startup"))
    sound_p = {n: (statistics.median(v), percentile(v, 0.9)) for n, v in sound.items()}
    save_p = {n: (statistics.median(v), percentile(v, 0.99)) for n, v in save.items()}
    start_m = {n: statistics.median(v) * 1000 for n, v in start.items()}
    table = [
        idle_row("idle, example desktop: CPU %, wake-ups/s", idle_desktop,
                 "same desktop in plain Qt Quick: ", "{:.2f} %, {:.1f}"),
        idle_row("idle, 20 DataSources (\"system\"/\"cpu\", 1000 ms)", idle_sources,
                 "one Timer updating 20 Texts: ", "{:.2f} %, {:.2f}/s"),
        ("memory per live widget (settings-bound QtObject + DataSource + text output + Text)",
         "+{:.1f} kB".format(memory["project"][0]),
         "the same widget as QtObject + Timer + Text: +{:.1f} kB".format(memory["floor"][0]),
         "**{:.1f}**".format(ratio(memory["project"][0], memory["floor"][0]))),
        ("click-to-sound, `play()` to first sample at the sink, p50/p90",
         "{:.2f}/{:.2f} ms".format(*sound_p["project"]),
         "QtMultimedia's own SoundEffect: {:.2f}/{:.2f} ms".format(*sound_p["floor"]),
         "{:.1f}".format(ratio(sound_p["project"][0], sound_p["floor"][0]))),
        ("`Settings.save` of a 100-value widget document, p50/p99",
         "{:.0f}/{:.0f} µs".format(*save_p["project"]),
         "write + fsync + rename + directory fsync: {:.0f}/{:.0f} µs".format(*save_p["floor"]),
         "{:.1f}".format(ratio(save_p["project"][0], save_p["floor"][0]))),
        ("start-up to first frame, example desktop",
         "{:.0f} ms".format(start_m["project"]),
         "bare window in the runner: {:.0f} ms".format(start_m["floor"]),
         "{:.1f}".format(ratio(start_m["project"], start_m["floor"]))),
    ]
    lines = [
        "# Performance",
        "",
        "What a desktop user feels, measured from outside on this project, each figure against",
        "a floor measured in the same run: the least the same thing costs without the project.",
        "The two run alternately, several times, and the table gives medians and the ratio of",
        "project to floor. The ratios are what counts: the absolute figures move with the",
        "machine and whatever else runs on it.",
        "",
        "Written by `bench/run.sh`; run it again to measure your own machine.",
        "",
        "| figure | project | floor | ratio |",
        "|---|---|---|---|",
    ]
    lines += ["| " + " | ".join(row) + " |" for row in table]
    lines += [
        "",
        "## Where a widget's memory goes",
        "",
        "The widget of the memory figure built up one part at a time, each measured the same",
        "way (slope of resident memory against N, medians):",
        "",
        "| widget | per widget | the part adds |",
        "|---|---|---|",
    ]
    previous = None
    for label, _ in PARTS:
        slope_kb = figures["memory_parts"][label][0]
        added = "" if previous is None else "+{:.1f} kB".format(slope_kb - previous)
        lines.append("| {} | {:.1f} kB | {} |".format(label, slope_kb, added))
        previous = slope_kb
    lines += [
        "",
        "Every part is a handful of QML objects with their bindings and handlers; a QML",
        "object with a few bindings costs one to two kB, a binding with its dependencies",
        "about a quarter of a kB. The DataSource and its output are QML components whose",
        "members are fixed: the loader, its timer, the properties and handlers the outputs",
        "rely on, the output's connection to its source. Those objects cost more than the",
        "plain widget's Timer before any of them does anything, so the widget stays well",
        "above twice its floor. The readings behind it are shared: one read of a `/proc`",
        "file per timer tick, however many sources show it.",
        "",
        "## The machine",
        "",
        f"{machine()}. Measured {started:%Y-%m-%d %H:%M} UTC; load average {loads[0]:.1f} before",
        f"and {loads[1]:.1f} after. On a machine that is not quiet the absolute figures move;",
        "the ratios against an interleaved floor move much less.",
        "",
        f"Repetitions: {settings.repetitions} per idle and start-up figure "
        f"({settings.window:g} s windows after {settings.warmup:g} s of warm-up), "
        f"{settings.memory_repetitions} per memory count, {settings.calls} calls per latency "
        "figure.",
        "",
        "## How each figure is measured",
        "",
        "- **Idle CPU and wake-ups.** `orvane-host` shows the scene offscreen, with the",
        "  software renderer; after the warm-up, the time on a processor of all its threads",
        "  (`/proc/PID/task/*/schedstat`) and their voluntary context switches",
        "  (`/proc/PID/task/*/status`: each is a sleep, ended by a wake-up) are taken over the",
        "  window. CPU is in percent of one core. The example desktop is",
        "  `examples/desktop/main.qml`; its floor, `bench/qml/plaindesktop.qml`, shows the same",
        "  clock, monitor, launcher and notification with Timers, Texts and Rectangles, reads",
        "  `/proc` through XMLHttpRequest and loads the launcher's sounds into QtMultimedia's",
        "  `SoundEffect`. The 20 sources are `bench/qml/sources.qml` (20",
        "  DataSources with a text output and a Text each); the floor, `bench/qml/plainsources.qml`,",
        "  is one Timer reading `/proc/stat` and 20 Texts.",
        "- **Memory per live widget.** `orvane-bench-widgets` (bench/widgets.cpp) puts N copies",
        "  of a widget in a window, lets each tick once, collects garbage, trims the heap and",
        "  prints its resident memory. The figure is the slope of resident memory against N",
        "  (N = " + ", ".join(str(n) for n in settings.counts) + "): what one more widget",
        "  costs. The chart shows the average per widget, which falls as N grows because the",
        "  window, the engine and their caches are shared by more widgets. The widget is",
        "  `bench/qml/widget.qml` (a QtObject bound to a settings map, a DataSource on",
        "  \"system\"/\"cpu\", a text output, a Text); the floor, `bench/qml/plainwidget.qml`, is",
        "  the same widget in plain Qt Quick (a QtObject, a Timer, a Text).",
        "- **Click to sound.** `orvane-bench-clicksound` (bench/clicksound.cpp) records the",
        "  default sink's monitor in blocks of one millisecond and times, from `play()`, the",
        "  first loud sample of a click, alternating the project's `SoundEffect` with",
        "  QtMultimedia's `QSoundEffect`; each starts from silence, with its sound loaded and",
        "  played once before. The monitor's own delay is in both figures alike. The sound",
        "  server is one of the run's own, with a null sink.",
        "- **Saving.** `orvane-bench-save` (bench/save.cpp) saves a widget's map of 100 values",
        "  (strings, numbers and booleans) with `Settings.save`, one value changed each time,",
        "  and, alternating with it, writes the same document by hand: write, `fsync`, `rename`,",
        "  `fsync` of the directory, the least a durable replacement takes.",
        "- **Start-up to first frame.** The wall time of `orvane-host --size 1280x800",
        "  --screenshot FILE --after 0` on the example desktop, which quits once the first",
        "  frame is grabbed, against the same for `bench/qml/bare.qml`, an empty window of the",
        "  same size. Both include loading Qt, grabbing the frame and exiting.",
        "",
        "## Charts",
        "",
        "![Resident memory per live widget against the number of widgets](performance-memory.png)",
        "",
        "![Distribution of save latencies](performance-save.png)",
        "",
        "![Idle wake-ups a second](performance-idle.png)",
        "",
    ]
    (DOCS / "performance.md").write_text("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--memory-repetitions", type=int, default=3)
    parser.add_argument("--warmup", type=float, default=3)
    parser.add_argument("--window", type=float, default=10)
    parser.add_argument("--calls", type=int, default=300)
    parser.add_argument("--counts", type=int, nargs="+", default=[0, 200, 400, 800])
    parser.add_argument("--report-only", action="store_true",
                        help="write the report again from the last run's results")
    settings = parser.parse_args()
    if settings.report_only:
        saved = json.loads(RESULTS.read_text())
        for key, value in saved["settings"].items():
            setattr(settings, key, value)
        with tempfile.TemporaryDirectory(prefix="orvane-bench-") as scratch:
            charts(saved["figures"], Path(scratch))
        report(saved["figures"], settings,
               datetime.datetime.fromisoformat(saved["started"]), saved["loads"])
        return
    if 0 not in settings.counts or len(settings.counts) < 2:
        parser.error("--counts needs 0 and at least one more")
    for program in (HOST, BENCH / "orvane-bench-widgets", BENCH / "orvane-bench-save",
                    BENCH / "orvane-bench-clicksound"):
        if not program.exists():
            sys.exit(f"missing {program}: run bench/run.sh")
    if not shutil.which("gnuplot"):
        sys.exit("gnuplot is missing: run bench/run.sh")

    started = datetime.datetime.utcnow()
    loads = [os.getloadavg()[0]]
    with tempfile.TemporaryDirectory(prefix="orvane-bench-") as scratch:
        scratch = Path(scratch)
        env = environment(scratch)
        figures = {}
        print("idle, example desktop", flush=True)
        figures["idle_desktop"] = idle_figure(ROOT / "examples" / "desktop" / "main.qml",
                                              QML / "plaindesktop.qml", env, settings.repetitions,
                                              settings.warmup, settings.window)
        print("idle, 20 data sources", flush=True)
        figures["idle_sources"] = idle_figure(QML / "sources.qml", QML / "plainsources.qml", env,
                                              settings.repetitions, settings.warmup,
                                              settings.window)
        print("memory per widget", flush=True)
        figures["memory"] = memory_figure(env, settings.memory_repetitions, settings.counts)
        print("memory per widget, part by part", flush=True)
        figures["memory_parts"] = memory_figure(env, settings.memory_repetitions, settings.counts,
                                                dict(PARTS))
        print("click to sound", flush=True)
        figures["sound"] = lines_of([str(BENCH / "orvane-bench-clicksound"), str(settings.calls)],
                                    env)
        print("saving", flush=True)
        figures["save"] = lines_of([str(BENCH / "orvane-bench-save"), str(settings.calls)], env)
        print("start-up", flush=True)
        runs = alternate(settings.repetitions,
                         lambda: startup(ROOT / "examples" / "desktop" / "main.qml", env, scratch),
                         lambda: startup(QML / "bare.qml", env, scratch))
        figures["startup"] = runs
        loads.append(os.getloadavg()[0])
        RESULTS.write_text(json.dumps({"settings": {k: v for k, v in vars(settings).items()
                                                    if k != "report_only"},
                                       "figures": figures, "started": started.isoformat(),
                                       "loads": loads}))
        charts(figures, scratch)
        report(figures, settings, started, loads)
    print((DOCS / "performance.md").read_text())


if __name__ == "__main__":
    main()
