#!/usr/bin/env python3
"""One table over the benchmark programs' JSON outputs: each figure's median
with its spread (min-max over the repetitions), wall and processor time, its
floor or goal, the ratio, and whether it is met.

A benchmark named X is paired with X_Floor (the same work done directly in
SQLite), and one of several sizes, X/size, with X_Floor/size; the figure X may
carry a counter max_ratio, the ratio it must stay within. X_Reference is a further comparison, shown but not judged. A benchmark
may carry a counter limit_us, its goal in time (judged beside its floor too,
on a row of its own); a counter
limit_<unit> other than limit_us is the goal of the counter ending in _<unit>
(limit_mb judges peak_mb). A counter cpu_us replaces the processor time
Google Benchmark measures (a figure whose work runs in a child process).

The machines are shared: where wall and processor time disagree (by more than
a tenth), the ratio is taken on the quieter of the two, the one whose
repetitions spread less; the table says which. A figure with a counter
wall_only is always judged on wall time: what the user waits for there
includes work the processor time leaves out (a commit's flush to the disk).
Each program's figures are listed by name, so that the sizes of one figure
stand together. A figure that failed is named,
and the exit status is non-zero; a figure that skipped (its message starts
with "skipped") is shown and does not fail the run.
"""
import json, re, sys

DISAGREE = 0.10


def fmt(ns):
    if ns != ns:
        return "-"
    if ns >= 1e9:
        return f"{ns / 1e9:.2f} s"
    if ns >= 1e6:
        return f"{ns / 1e6:.1f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.1f} us"
    return f"{ns:.0f} ns"


def fmt_value(v, unit):
    digits = 2 if abs(v) < 1 else 1   # a small share (of a core, say) keeps its first figures
    return f"{v:.{digits}f} {unit.upper() if unit == 'mb' else unit}"


class Stat:
    """Median and spread of one measure over the repetitions."""

    def __init__(self, values):
        values = sorted(values)
        self.n = len(values)
        self.median = (values[(self.n - 1) // 2] + values[self.n // 2]) / 2 if values else float("nan")
        self.min = values[0] if values else float("nan")
        self.max = values[-1] if values else float("nan")

    def spread(self):
        """Relative spread: (max - min) / median."""
        return (self.max - self.min) / self.median if self.median else float("inf")

    def show(self, form):
        if self.n <= 1:
            return form(self.median)
        return f"{form(self.median)} ({form(self.min)}-{form(self.max)})"


def scale(b):
    return {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]


def load(path):
    """The benchmarks of one output; a program that died while writing leaves
    the list unclosed, and the runs it finished still count."""
    text = open(path).read()
    last_run = text.rfind("\n    }")   # where the last whole run ends
    for attempt in (text, text.rstrip().rstrip(",") + "]}", text[: last_run + 6] + "]}"):
        try:
            return json.loads(attempt)["benchmarks"]
        except (ValueError, KeyError):
            pass
    raise ValueError("not a benchmark output")


class Figure:
    def __init__(self, name):
        self.name = name
        self.runs = []
        self.error = None
        self.manual = False   # its wall time is its own; the processor time Google Benchmark took is not


    def wall(self):
        return Stat([b["real_time"] * scale(b) for b in self.runs])

    def cpu(self):
        if self.manual and not all("cpu_us" in b for b in self.runs):
            return Stat([])
        return Stat([b["cpu_us"] * 1e3 if "cpu_us" in b else b["cpu_time"] * scale(b) for b in self.runs])

    def counter(self, key):
        for b in self.runs:
            if key in b:
                return b[key]
        return None

    def counter_stat(self, key):
        return Stat([b[key] for b in self.runs if key in b])


def by_name(name):
    """Sort key: by name, the numbers in it as numbers (Walk/100000 before Walk/1000000)."""
    return [int(part) if part.isdigit() else part for part in re.split(r"(\d+)", name)]


def figures(paths):
    """Name -> Figure over all files, from the single repetitions; the files in
    their order, the figures of each by name."""
    out, unreadable = {}, []
    for path in paths:
        try:
            benchmarks = load(path)
        except (OSError, ValueError) as e:
            unreadable.append(f"{path}: {e}")
            continue
        aggregates = {}
        for b in sorted(benchmarks, key=lambda b: by_name(b.get("run_name", b["name"]))):
            name = re.sub(r"/(repeats|iterations):\d+|/manual_time|/real_time", "", b.get("run_name", b["name"]))
            figure = out.setdefault(name, Figure(name))
            figure.manual |= "/manual_time" in b.get("run_name", b["name"])
            if b.get("error_occurred"):
                figure.error = b.get("error_message", "failed")
            elif b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    aggregates[name] = b
            else:
                figure.runs.append(b)
        for name, b in aggregates.items():   # only aggregates were written: their median
            if not out[name].runs:
                out[name].runs.append(b)
    return out, unreadable


def basis(pairs, wall_only=False):
    """'wall' or 'cpu' for figures compared as pairs [(ours, theirs)] of Stats
    per measure: wall unless the two disagree, then the quieter."""
    (wall_a, wall_b), (cpu_a, cpu_b) = pairs
    wall_ratio = wall_a.median / wall_b.median if wall_b.median else float("nan")
    cpu_ratio = cpu_a.median / cpu_b.median if cpu_b.median else float("nan")
    if wall_only or not cpu_ratio == cpu_ratio or cpu_ratio <= 0 or abs(wall_ratio / cpu_ratio - 1) <= DISAGREE:
        return "wall", wall_ratio
    wall_noise = wall_a.spread() + wall_b.spread()
    cpu_noise = cpu_a.spread() + cpu_b.spread()
    return ("cpu", cpu_ratio) if cpu_noise < wall_noise else ("wall", wall_ratio)


def companion(name, suffix):
    """The floor or reference of a figure: X_Floor for X, X_Floor/size for X/size."""
    base, slash, size = name.partition("/")
    return base + suffix + slash + size


def is_companion(name):
    base = name.partition("/")[0]
    return base.endswith("_Floor") or base.endswith("_Reference")


def goal_row(figure, head, wall, cpu, wall_only):
    """The figure against its goal in time."""
    goal = figure.counter("limit_us") * 1e3
    goal_stat = Stat([goal])
    how, ratio = basis([(wall, goal_stat), (cpu, goal_stat)], wall_only)
    return head + ["goal " + fmt(goal), f"{ratio:.2f}", how, "met" if ratio <= 1 else "NOT", wall.n]


def rows_of(figure, data):
    if figure.error is not None:
        skipped = figure.error.lower().startswith("skipped")
        return [(figure.name, "", "", "", "", "", ("" if skipped else "FAILED: ") + figure.error, "")], not skipped
    wall, cpu = figure.wall(), figure.cpu()
    rows = []
    head = [figure.name, wall.show(fmt), cpu.show(fmt)]
    floor = data.get(companion(figure.name, "_Floor"))
    wall_only = figure.counter("wall_only") is not None
    if floor and floor.runs:
        how, ratio = basis([(wall, floor.wall()), (cpu, floor.cpu())], wall_only)
        limit = figure.counter("max_ratio")
        met = "-" if limit is None else ("met" if ratio <= limit else f"NOT (<= {limit:g})")
        shown = floor.wall() if how == "wall" else floor.cpu()
        rows.append(head + [f"floor {shown.show(fmt)}", f"{ratio:.2f}", how, met, wall.n])
        if figure.counter("limit_us") is not None:
            rows.append(goal_row(figure, ["  " + figure.name + " goal", "", ""], wall, cpu, wall_only))
    elif floor and floor.error is not None:
        rows.append(head + ["floor failed", "", "", "FAILED: floor: " + floor.error, wall.n])
    elif figure.counter("limit_us") is not None:
        rows.append(goal_row(figure, head, wall, cpu, wall_only))
    else:
        rows.append(head + ["", "", "", "", wall.n])
    for key in sorted(k for b in figure.runs[:1] for k in b if k.startswith("limit_") and k != "limit_us"):
        unit = key[len("limit_"):]
        for judged in sorted(k for k in figure.runs[0] if k.endswith("_" + unit) and k != key):
            value, goal = figure.counter_stat(judged), figure.counter(key)
            form = lambda v, unit=unit: fmt_value(v, unit)
            ratio = value.median / goal
            rows.append([f"  {figure.name} {judged}", value.show(form), "", "goal " + form(goal), f"{ratio:.2f}",
                         "", "met" if ratio <= 1 else "NOT", value.n])
    reference = data.get(companion(figure.name, "_Reference"))
    if reference and reference.runs:
        how, ratio = basis([(wall, reference.wall()), (cpu, reference.cpu())], wall_only)
        rows.append(["  vs " + reference.name, "", "", "ref " + reference.wall().show(fmt), f"{ratio:.2f}",
                     how, "(shown only)", reference.wall().n])
    return rows, False


def main(paths):
    data, unreadable = figures(paths)
    rows, failed = [], []
    for name, figure in data.items():
        if is_companion(name):
            if figure.error is not None and not figure.error.lower().startswith("skipped"):
                failed.append(name)
            continue
        figure_rows, fails = rows_of(figure, data)
        rows += figure_rows
        if fails or any(str(r[6]).startswith("FAILED") for r in figure_rows):
            failed.append(name)
    header = ("figure", "wall median (min-max)", "cpu median (min-max)", "floor or goal", "ratio", "on", "met", "runs")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    line = lambda r: "  ".join(str(c).rjust(w) if i in (4, 7) else str(c).ljust(w)
                               for i, (c, w) in enumerate(zip(r, widths))).rstrip()
    print(line(header))
    print("  ".join("-" * w for w in widths))
    for r in rows:
        print(line(r))
    for problem in unreadable:
        print(f"no results from {problem}")
    if failed:
        print("failed figures: " + ", ".join(failed))
    return 1 if failed or unreadable else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
