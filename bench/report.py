#!/usr/bin/env python3
"""One table over the benchmark programs' JSON outputs: figure, ours, floor or
goal, ratio, and whether it is met.

A benchmark named X is paired with X_Floor (the same work done directly in
SQLite); the figure X may carry a counter max_ratio, the ratio it must stay
within. X_Reference is a further comparison, shown but not judged. A benchmark
without a floor may carry a counter limit_us (its goal). Figures that ran with
repetitions are taken as their median, so a ratio is median over median.
"""
import json, re, sys


def fmt(ns):
    if ns >= 1e9:
        return f"{ns / 1e9:.2f} s"
    if ns >= 1e6:
        return f"{ns / 1e6:.1f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.1f} us"
    return f"{ns:.0f} ns"


def to_ns(b):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


def figures(paths):
    """Name -> (time in ns, counters, repetitions) over all files, medians preferred."""
    out, runs = {}, {}
    for path in paths:
        # Interleaved repetitions come in any order: the figures of a program by name.
        for b in sorted(json.load(open(path))["benchmarks"], key=lambda b: b.get("run_name", b["name"])):
            name = re.sub(r"/(repeats|iterations):\d+|/manual_time", "", b.get("run_name", b["name"]))
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    out[name] = (to_ns(b), b, b.get("repetitions", 1))
            elif "error_occurred" not in b:
                runs.setdefault(name, []).append(b)
            else:
                out[name] = (float("nan"), b, 0)
    for name, bs in runs.items():
        if name not in out:   # no repetitions: the median of whatever ran
            times = sorted(to_ns(b) for b in bs)
            out[name] = (times[len(times) // 2], bs[0], len(bs))
    return out


def main(paths):
    data = figures(paths)
    rows = []
    for name, (ours, b, reps) in data.items():
        if name.endswith("_Floor") or name.endswith("_Reference"):
            continue
        floor = data.get(name + "_Floor")
        if floor:
            ratio = ours / floor[0]
            limit = b.get("max_ratio")
            met = "-" if limit is None else ("met" if ratio <= limit else f"NOT (<= {limit:g})")
            rows.append((name, fmt(ours), "floor " + fmt(floor[0]), f"{ratio:.2f}", met, reps))
        elif "limit_us" in b:
            goal = b["limit_us"] * 1e3
            ratio = ours / goal
            rows.append((name, fmt(ours), "goal " + fmt(goal), f"{ratio:.2f}", "met" if ratio <= 1 else "NOT", reps))
        else:
            rows.append((name, fmt(ours), "", "", "", reps))
        reference = data.get(name + "_Reference")
        if reference:
            rows.append(("  vs " + name + "_Reference", "", "ref " + fmt(reference[0]),
                         f"{ours / reference[0]:.2f}", "(shown only)", reference[2]))
    header = ("figure", "ours", "floor or goal", "ratio", "met", "runs")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    line = lambda r: "  ".join(str(c).ljust(w) if i in (0, 2, 4) else str(c).rjust(w)
                               for i, (c, w) in enumerate(zip(r, widths)))
    print(line(header))
    print("  ".join("-" * w for w in widths))
    for r in rows:
        print(line(r))


if __name__ == "__main__":
    main(sys.argv[1:])
