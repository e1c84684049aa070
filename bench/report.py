#!/usr/bin/env python3
"""Prints one line per figure: name, our time, the floor's time and their ratio.

A benchmark named X is paired with X_Floor (the same work in plain SQLite).
A benchmark without a floor may carry a counter limit_us (the goal) instead.
"""
import json, sys

def fmt(ns):
    if ns >= 1e6:
        return f"{ns / 1e6:.2f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.2f} us"
    return f"{ns:.0f} ns"

def to_ns(b):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    return b["real_time"] * scale

data = json.load(open(sys.argv[1]))
runs = {b["name"]: b for b in data["benchmarks"] if b.get("run_type", "iteration") == "iteration"}
for name, b in runs.items():
    if name.endswith("_Floor"):
        continue
    ours = to_ns(b)
    floor = runs.get(name + "_Floor")
    if floor:
        f = to_ns(floor)
        print(f"{name:55s} ours {fmt(ours):>12s}  floor {fmt(f):>12s}  ratio {ours / f:6.2f}")
    elif "limit_us" in b:
        f = b["limit_us"] * 1e3
        print(f"{name:55s} ours {fmt(ours):>12s}  limit {fmt(f):>12s}  ratio {ours / f:6.2f}")
    else:
        print(f"{name:55s} ours {fmt(ours):>12s}")
