#!/usr/bin/env python3
"""Turns the runs of scripts/bench into one table and build/bench/results.json."""
import json
import os
import platform
import statistics
import sys
from datetime import datetime, timezone

out_dir = sys.argv[1]

def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{model}, {os.cpu_count()} cores, {platform.system()} {platform.release()}"

runs = {"game": [], "reference": []}
with open(os.path.join(out_dir, "startup-runs.jsonl")) as f:
    for line in f:
        if line.strip():
            run = json.loads(line)
            runs[run["program"]].append(run)

def median(program, key):
    values = [r[key] for r in runs[program] if r[key] >= 0]
    return statistics.median(values) if values else None

def worst(program, key):
    values = [r[key] for r in runs[program] if r.get(key, -1) >= 0]
    return max(values) if values else None

benchmarks = {}
for program in ("tazumeki_bench", "tazumeki_screen_bench"):
    with open(os.path.join(out_dir, program + ".json")) as f:
        for b in json.load(f)["benchmarks"]:
            # Repeated runs give their median; a single run gives itself.
            median_of_runs = b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median"
            if not (median_of_runs or b.get("run_type", "iteration") == "iteration") or b.get("error_occurred"):
                continue
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b["time_unit"]]
            benchmarks[b["run_name"] if median_of_runs else b["name"]] = {
                "real_time_us": b["real_time"] * scale,
                "cpu_time_us": b["cpu_time"] * scale,
                "bytes_per_second": b.get("bytes_per_second"),
            }

targets = []

def target(name, value, limit, unit, met, note=""):
    # The relation the value must keep to the limit, read off the check itself.
    relation = ">=" if unit == "x" and limit == 0.5 else "<" if unit in ("us", "% of a core") else "<="
    targets.append({"target": name, "value": value, "relation": relation, "limit": limit, "unit": unit,
                    "met": bool(met) if value is not None else False, "note": note})

game_start, ref_start = median("game", "startup_ms"), median("reference", "startup_ms")
ratio = game_start / ref_start if game_start and ref_start else None
target("start-up to first frame, game / bare window", ratio, 1.25, "x", ratio is not None and ratio <= 1.25,
       f"medians {game_start:.1f} ms / {ref_start:.1f} ms" if ratio else "")
game_rss, ref_rss = median("game", "peak_rss_kib"), median("reference", "peak_rss_kib")
extra = (game_rss - ref_rss) / 1024 if game_rss and ref_rss else None
target("peak resident memory over the bare window", extra, 12, "MiB", extra is not None and extra <= 12,
       f"medians {game_rss / 1024:.1f} MiB / {ref_rss / 1024:.1f} MiB" if extra is not None else "")
idle = worst("game", "rested_idle_cpu_percent")
blinking = worst("game", "idle_cpu_percent")
target("idle CPU after the title animation, left alone (worst run)", idle, 0.1, "% of a core",
       idle is not None and idle < 0.1,
       (f"bare window {worst('reference', 'rested_idle_cpu_percent'):.4f} %; the first 10 s after the focus, "
        f"caret blinking: {blinking:.4f} %") if idle is not None and blinking is not None else "")

def time_target(label, name, limit_us):
    b = benchmarks.get(name)
    value = b["real_time_us"] if b else None
    target(label, value, limit_us, "us", value is not None and value < limit_us)

time_target("right Enter through the refreshed board", "rightEnter", 1000)
time_target("one burst frame of a 7-cell word", "explosionTick", 500)
time_target("one key through the romaji conversion, to the repainted box", "romajiKey", 100)
time_target("one key through the conversion and the key log", "keyConversionAndLog", 100)
time_target("Form_Load (whole main screen made) with data2.dat", "mainWindowCreated", 20000)
time_target("first game's end on a history of 10,000 games, the game's thread", "historyFirstAppend/10000", 16000)
time_target("a 180 s game's end with its 1,800 keys", "historySaveTypedGame/1800", 20000)
time_target("the 苦手 page opened on 100,000 keys kept", "weakPageOpens/100000", 200000)

sizes = {1024: "1 KB", 102400: "100 KB", 10485760: "10 MB"}
for step in ("packFromText", "unpackToText"):
    for size, label in sizes.items():
        own = benchmarks.get(f"{step}/{size}")
        base = benchmarks.get(f"cp932RoundTrip/{size}")
        share = own["bytes_per_second"] / base["bytes_per_second"] if own and base else None
        target(f"{step} {label}, share of the code page 932 conversion alone", share, 0.5, "x",
               share is not None and share >= 0.5,
               f"{own['bytes_per_second'] / 1e6:.1f} MB/s against {base['bytes_per_second'] / 1e6:.1f} MB/s" if share else "")
    small, large = benchmarks.get(f"{step}/102400"), benchmarks.get(f"{step}/10485760")
    growth = large["bytes_per_second"] / small["bytes_per_second"] if small and large else None
    target(f"{step} linear: 10 MB throughput / 100 KB throughput", growth, 0.5, "x",
           growth is not None and growth >= 0.5)

results = {
    "machine": machine(),
    "date": datetime.now(timezone.utc).isoformat(timespec="seconds"),
    "runs": {p: len(r) for p, r in runs.items()},
    "startup": {
        p: {"median_startup_ms": median(p, "startup_ms"), "median_peak_rss_kib": median(p, "peak_rss_kib"),
            "worst_idle_cpu_percent": worst(p, "idle_cpu_percent"),
            "worst_rested_idle_cpu_percent": worst(p, "rested_idle_cpu_percent"), "runs": runs[p]}
        for p in runs
    },
    "benchmarks": benchmarks,
    "targets": targets,
}
os.makedirs("build/bench", exist_ok=True)
with open("build/bench/results.json", "w") as f:
    json.dump(results, f, indent=2)

def fmt(v, unit):
    if v is None:
        return "n/a"
    if unit == "us":
        return f"{v / 1000:.2f} ms" if v >= 1000 else f"{v:.1f} us"
    if unit == "x":
        return f"{v:.2f} x"
    return f"{v:.2f} {unit}" if unit != "% of a core" else f"{v:.4f} %"

print(f"\nTazumeki performance, {results['date']}\n{results['machine']}\n")
print(f"{'target':<62} {'measured':>12} {'limit':>12}  met")
print("-" * 92)
for t in targets:
    limit = t["relation"] + " " + fmt(t["limit"], t["unit"])
    print(f"{t['target']:<62} {fmt(t['value'], t['unit']):>12} {limit:>12}  {'yes' if t['met'] else 'NO'}")
    if t["note"]:
        print(f"    {t['note']}")
print("\nother figures")
for name in ("loadShippedPuzzles", "drawAllArt", "loadStoredArt", "endGame/disk", "endGame/memory", "loadPuzzleSet",
             "saveSingleRecords", "loadBattleRecords", "historyFirstAppend/10000", "historyIntegrityCheck/10000", "historySaveTypedGame/1800",
             "weakPageOpens/100000"):
    if name in benchmarks:
        print(f"  {name:<60} {fmt(benchmarks[name]['real_time_us'], 'us'):>12}")
for size, label in sizes.items():
    row = [benchmarks.get(f"{s}/{size}") for s in ("cp932RoundTrip", "packFromText", "unpackToText")]
    if all(row):
        print(f"  {label:>6}: code page 932 alone {row[0]['bytes_per_second'] / 1e6:7.1f} MB/s, "
              f"PackFromText {row[1]['bytes_per_second'] / 1e6:7.1f} MB/s, UnpackToText {row[2]['bytes_per_second'] / 1e6:7.1f} MB/s")
print("\nwritten: build/bench/results.json")
