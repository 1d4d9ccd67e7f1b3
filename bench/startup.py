#!/usr/bin/env python3
"""Time to a ready tray: Corvane with discovery off, on with an empty cache (first start) and on with
the cache of an earlier start, and a bare Qt Widgets program that only shows a tray icon (the floor).
One more variant, the floor with the shared libraries that Corvane loads and it does not preloaded,
prices what loading them costs before main. CORVANE_EARLIER="LABEL=PATH,..." adds earlier builds of
Corvane (discovery off), so that a change is measured against what came before in the same run.

Run by bench/startup.sh on a private X server with a tray. Each variant runs RUNS times, the variants
interleaved so that they meet the same moments of a shared machine; the table gives medians and the
ratios to the floor. A launch is timed from just before the program is started (CLOCK_MONOTONIC, passed
in CORVANE_LAUNCHED_AT) to the line the program logs when its tray and panel are ready; that line also
gives the process's CPU time so far, which depends less on what else the machine runs. Memory (RSS and
PSS from /proc) is read half a second after that line, or after the discovery's line where a variant
waits for it, when the program has settled.
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
        json.dump({"readInstalledApps": variant not in ("off", "off-dconf")}, f)
    if variant == "off-dconf":
        # A user's dconf database (GNOME, or any GTK program that stored a setting): GNOME's key
        # bindings are read from it after the ready line, which loads GIO.
        os.makedirs(os.path.join(env["XDG_CONFIG_HOME"], "dconf"), exist_ok=True)
        open(os.path.join(env["XDG_CONFIG_HOME"], "dconf", "user"), "wb").close()
    return env


def memory(pid):
    """(RSS, PSS) of a running process, in MB."""
    def field(path, name):
        with open(path) as f:
            for line in f:
                if line.startswith(name + ":"):
                    return int(line.split()[1]) / 1024
        return float("nan")
    return field(f"/proc/{pid}/status", "VmRSS"), field(f"/proc/{pid}/smaps_rollup", "Pss")


def shared_libraries(program):
    """The resolved paths of the libraries a program needs, from ldd."""
    found = set()
    for line in subprocess.run(["ldd", program], capture_output=True, text=True, check=True).stdout.splitlines():
        parts = line.split("=>")
        if len(parts) == 2 and parts[1].strip().startswith("/"):
            found.add(parts[1].split()[0])
    return found


def milestone(line, name):
    """(wall ms, CPU ms or None) of a line "NAME N ms after launch[, C ms CPU]"."""
    wall = float(line.split(name + " ")[1].split(" ms")[0])
    cpu = float(line.split("after launch, ")[1].split(" ms CPU")[0]) if " ms CPU" in line else None
    return wall, cpu


def launch(program, env, wait_for_discovery):
    """Starts the program, returns (ready ms, ready CPU ms, bindings ms, RSS MB, PSS MB); stops it
    afterwards. What the program does not report is None."""
    env = dict(env)
    env["CORVANE_LAUNCHED_AT"] = str(time.monotonic_ns())
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    ready = cpu = bindings = None
    rss = pss = float("nan")
    try:
        deadline = time.monotonic() + 60
        for line in proc.stderr:
            if "key bindings read" in line and "after launch" in line:
                bindings = milestone(line, "read")[0]
            if "ready" in line and "after launch" in line:
                ready, cpu = milestone(line, "ready")
                if not wait_for_discovery:
                    break
            if "installed applications in" in line:
                break
            if time.monotonic() > deadline:
                break
        time.sleep(0.5)
        rss, pss = memory(proc.pid)
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    if ready is None:
        sys.exit(f"startup.py: {program} never reported ready")
    return ready, cpu, bindings, rss, pss


# Earlier builds to compare with in the same run (discovery off only): "LABEL=PATH,LABEL=PATH".
earlier = [item.split("=", 1) for item in os.environ.get("CORVANE_EARLIER", "").split(",") if "=" in item]
preload_env = environment("floor")
preload_env["LD_PRELOAD"] = " ".join(sorted(shared_libraries(corvane) - shared_libraries(floor)))
variants = {
    "floor": (floor, environment("floor")),
    "floor + Corvane's libraries": (floor, preload_env),
    **{f"discovery off, {label}": (path, environment("off")) for label, path in earlier},
    "discovery off": (corvane, environment("off")),
    "discovery off, with a dconf database": (corvane, environment("off-dconf")),
    "discovery on, first start": (corvane, environment("first")),
    "discovery on, cached start": (corvane, environment("cached")),
}
# The cached variant's cache, written by one start that finishes its scan.
launch(corvane, variants["discovery on, cached start"][1], True)
first_cache = os.path.join(variants["discovery on, first start"][1]["XDG_CACHE_HOME"], "corvane")
results = {name: [] for name in variants}
for _ in range(runs):
    for name, (program, env) in variants.items():
        if name.endswith("first start"):
            shutil.rmtree(first_cache, ignore_errors=True)
        results[name].append(launch(program, env, name.startswith("discovery on")))


def median_of(name, column):
    values = [r[column] for r in results[name] if r[column] is not None]
    return statistics.median(values) if values else None


ready = {name: median_of(name, 0) for name in variants}
cpu = {name: median_of(name, 1) for name in variants}
rss = {name: median_of(name, 3) for name in variants}
pss = {name: median_of(name, 4) for name in variants}
floor_ready, floor_cpu, floor_rss = ready["floor"], cpu["floor"], rss["floor"]


def ratio(value, base):
    return "-" if value is None or not base else f"{value / base:.2f}"


def number(value):
    return "-" if value is None else f"{value:.1f}"


print(f"Start-up to a ready tray (median of {runs} runs; {count} generated application entries "
      f"plus those of /usr/share/applications)\n")
print("| program | ready, wall ms | × floor | ready, CPU ms | × floor | RSS MB | × floor | PSS MB "
      "| key bindings read, wall ms | wall ms of each run |")
print("|---|---:|---:|---:|---:|---:|---:|---:|---:|---|")
for name in variants:
    runs_text = " ".join(f"{r[0]:.0f}" for r in results[name])
    print(f"| {name} | {number(ready[name])} | {ratio(ready[name], floor_ready)} | {number(cpu[name])} | "
          f"{ratio(cpu[name], floor_cpu)} | {number(rss[name])} | {ratio(rss[name], floor_rss)} | "
          f"{number(pss[name])} | {number(median_of(name, 2))} | {runs_text} |")
print()
print("libraries preloaded into the floor: " + preload_env["LD_PRELOAD"])
off, off_cpu = ready["discovery off"], cpu["discovery off"]
cached = ready["discovery on, cached start"]
print(f"discovery off / floor = {off / floor_ready:.2f} wall, {ratio(off_cpu, floor_cpu)} CPU (goal ≤ 1.3): "
      f"{'met' if off <= 1.3 * floor_ready else 'NOT met'} (wall), "
      f"{'met' if off_cpu is not None and off_cpu <= 1.3 * floor_cpu else 'NOT met'} (CPU)")
print(f"discovery off RSS / floor RSS = {rss['discovery off'] / floor_rss:.2f} (goal ≤ 1.3): "
      f"{'met' if rss['discovery off'] <= 1.3 * floor_rss else 'NOT met'}")
print(f"cached start / discovery off = {cached / off:.2f} (goal ≤ 1.1): {'met' if cached <= 1.1 * off else 'NOT met'}")
shutil.rmtree(work, ignore_errors=True)
