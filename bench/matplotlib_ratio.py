#!/usr/bin/python3
"""How much faster Halvorn redraws its chart than matplotlib redraws the same one.

Draws the window's chart of bench_chart (873 x 393 pixels, two line series of
200 points with square markers, bold axis titles and legend, dotted grid) with
matplotlib's Agg back end, and times a redraw (canvas.draw) beside Halvorn's
Render of the same chart (BM_RenderWindowChart/200 of bench_chart), in
alternating rounds of the same run. Both are CPU times of the drawing thread,
medians. Needs Debian's python3-matplotlib, hence the system interpreter.

    bench/matplotlib_ratio.py [path/to/bench_chart]
"""

import json
import statistics
import subprocess
import sys
import time
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the back end is chosen first)

WIDTH, HEIGHT, DPI = 873, 393, 96
POINTS = 200
ROUNDS = 3
REDRAWS = 15
GOAL = 40


def px(pixels):
    """Pixels in points at the figure's resolution."""
    return pixels * 72 / DPI


def window_chart():
    fig = plt.figure(figsize=(WIDTH / DPI, HEIGHT / DPI), dpi=DPI, facecolor="#d4d0c8")
    ax = fig.add_axes((0.06, 0.12, 0.78, 0.82))
    xs = range(1, POINTS + 1)
    before = [100 + (i * 37) % 23 for i in range(POINTS)]
    after = [120 + (i * 17) % 29 for i in range(POINTS)]
    style = dict(linewidth=px(2), marker="s", markersize=px(7), markeredgewidth=0)
    ax.plot(xs, before, color="#0000ff", label="Πριν", **style)
    ax.plot(xs, after, color="#ff8000", label="Μετά", **style)
    ax.set_xlabel("Χρόνος (μήνες)", fontsize=px(11), fontweight="bold")
    ax.set_ylabel("Τιμή παραμέτρου", fontsize=px(11), fontweight="bold")
    ax.tick_params(labelsize=px(11))
    ax.grid(True, linestyle=":", color="#808080")
    ax.legend(loc="upper left", bbox_to_anchor=(1.0, 1.0), prop=dict(size=px(12), weight="bold"))
    return fig


def matplotlib_ms(fig):
    fig.canvas.draw()  # fonts and layout are cached by the first draw
    times = []
    for _ in range(REDRAWS):
        start = time.thread_time()
        fig.canvas.draw()
        times.append(time.thread_time() - start)
    return statistics.median(times) * 1e3


def halvorn_ms(bench):
    out = subprocess.run(
        [bench, "--benchmark_filter=BM_RenderWindowChart/200$", "--benchmark_repetitions=5",
         "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env={"QT_QPA_PLATFORM": "offscreen"}).stdout
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[b["time_unit"]]
            return b["cpu_time"] * scale
    raise SystemExit("bench_chart reported no median")


def main():
    here = Path(__file__).resolve().parent
    bench = sys.argv[1] if len(sys.argv) > 1 else str(here.parent / "build/bench/bench_chart")
    if not Path(bench).is_file():
        raise SystemExit(f"{bench}: not found; build first (./build.sh build)")
    fig = window_chart()
    ours, theirs = [], []
    for _ in range(ROUNDS):
        ours.append(halvorn_ms(bench))
        theirs.append(matplotlib_ms(fig))
    h, m = statistics.median(ours), statistics.median(theirs)
    print(f"matplotlib {matplotlib.__version__} (Agg) redraw: {m:8.3f} ms")
    print(f"Halvorn Render:{'':17}{h:8.3f} ms")
    print(f"ratio: {m / h:.0f} x (goal: at least {GOAL} x)")


if __name__ == "__main__":
    main()
