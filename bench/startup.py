#!/usr/bin/env python3
"""Time to a ready tray: Corvane with discovery off, on with an empty cache (first start) and on with
the cache of an earlier start, and a bare Qt Widgets program that only shows a tray icon (the floor).

Run by bench/startup.sh on a private X server with a tray. Each variant runs RUNS times, the variants
interleaved so that they meet the same moments of a shared machine; the table gives medians and the
ratios to the floor. A launch is timed from just before the program is started (CLOCK_MONOTONIC, passed
in CORVANE_LAUNCHED_AT) to the line the program logs when its tray and panel are ready.
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

corvane, floor = sys.argv[1], sys.argv[2]
runs = int(os.environ.get("RUNS", "9"))
programs_to_list = int(os.environ.get("PROGRAMS", "150"))

work = tempfile.mkdtemp(prefix="corvane-startup.")
data_home = os.path.join(work, "data")
apps = os.path.join(data_home, "applications")
os.makedirs(apps)

# The installed applications: those of the system, and desktop entries for real ELF programs of
# /usr/bin, so that the first start has programs to read.
count = 0
for name in sorted(os.listdir("/usr/bin")):
    path = os.path.join("/usr/bin", name)
    if count >= programs_to_list or not os.path.isfile(path) or not os.access(path, os.X_OK):
        continue
    with open(path, "rb") as f:
        if f.read(4) != b"\x7fELF":
            continue
    with open(os.path.join(apps, f"org.bench.P{count}.desktop"), "w") as f:
        f.write(f"[Desktop Entry]\nType=Application\nName=Program {count}\nExec={path}\n")
    count += 1


def environment(variant):
    env = dict(os.environ)
    env["XDG_DATA_HOME"] = data_home
    env["XDG_DATA_DIRS"] = "/usr/local/share:/usr/share"
    env["XDG_CONFIG_HOME"] = os.path.join(work, "config-" + variant)
    env["XDG_CACHE_HOME"] = os.path.join(work, "cache-" + variant)
    env["QT_QPA_PLATFORM"] = "xcb"
    os.makedirs(os.path.join(env["XDG_CONFIG_HOME"], "corvane"), exist_ok=True)
    with open(os.path.join(env["XDG_CONFIG_HOME"], "corvane", "corvane.json"), "w") as f:
        json.dump({"readInstalledApps": variant != "off"}, f)
    return env


def launch(program, env, wait_for_discovery):
    """Starts the program, returns the ready time in ms; stops it afterwards."""
    env = dict(env)
    env["CORVANE_LAUNCHED_AT"] = str(time.monotonic_ns())
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    ready = None
    try:
        deadline = time.monotonic() + 60
        for line in proc.stderr:
            if "ready" in line and "after launch" in line:
                ready = float(line.split("ready ")[1].split(" ms")[0])
                if not wait_for_discovery:
                    break
            if "installed applications in" in line:
                break
            if time.monotonic() > deadline:
                break
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    if ready is None:
        sys.exit(f"startup.py: {program} never reported ready")
    return ready


variants = {
    "floor": (floor, environment("floor")),
    "discovery off": (corvane, environment("off")),
    "discovery on, first start": (corvane, environment("first")),
    "discovery on, cached start": (corvane, environment("cached")),
}
# The cached variant's cache, written by one start that finishes its scan.
launch(corvane, variants["discovery on, cached start"][1], True)
first_cache = os.path.join(variants["discovery on, first start"][1]["XDG_CACHE_HOME"], "corvane")
times = {name: [] for name in variants}
for _ in range(runs):
    for name, (program, env) in variants.items():
        if name.endswith("first start"):
            shutil.rmtree(first_cache, ignore_errors=True)
        times[name].append(launch(program, env, name != "floor" and name != "discovery off"))

medians = {name: statistics.median(values) for name, values in times.items()}
print(f"Start-up to a ready tray (median of {runs} runs, ms; {count} generated application entries "
      f"plus those of /usr/share/applications)\n")
print("| program | median ms | × floor | runs (ms) |")
print("|---|---:|---:|---|")
for name, median in medians.items():
    runs_text = " ".join(f"{v:.0f}" for v in times[name])
    print(f"| {name} | {median:.1f} | {median / medians['floor']:.2f} | {runs_text} |")
off = medians["discovery off"]
cached = medians["discovery on, cached start"]
print()
print(f"discovery off / floor = {off / medians['floor']:.2f} (goal ≤ 1.5): "
      f"{'met' if off <= 1.5 * medians['floor'] else 'NOT met'}")
print(f"cached start / discovery off = {cached / off:.2f} (goal ≤ 1.1): "
      f"{'met' if cached <= 1.1 * off else 'NOT met'}")
shutil.rmtree(work, ignore_errors=True)
