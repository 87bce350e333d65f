"""Runs one of the benchmarks briefly and checks the JSON it writes; no timing is judged.

Usage: check_bench_output.py game|simulation JSON_PATH COMMAND [ARGS...]
"""

import json
import os
import subprocess
import sys

GAME_STARTUP = ["settings", "window and context", "GLSL programs", "HUD and font", "level import"]
GAME_STAGES = ["events", "input", "peashooters", "physics step and collisions", "pea update", "video update",
               "countdown", "audio", "camera uniforms", "shadow pass", "scene pass", "bloom", "tone mapping",
               "HUD", "buffer swap"]
GL_STAGES = {"video update", "camera uniforms", "shadow pass", "scene pass", "bloom", "tone mapping", "HUD",
             "buffer swap"}
PEA_COUNTS = [0, 100, 1000]


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def frames_asked(command):
    return int(command[command.index("--frames") + 1])


def check_series(series, samples, what):
    check(series["samples"] == samples, f"{what}: {series['samples']} samples, expected {samples}")
    check(0 <= series["median_ms"] <= series["p95_ms"] <= series["max_ms"], f"{what}: statistics out of order")
    check(series["cpu_mean_ms"] >= 0, f"{what}: negative CPU time")


def check_game(report, command):
    frames = frames_asked(command)
    phases = [phase["phase"] for phase in report["startup"]]
    for phase in GAME_STARTUP:
        check(phase in phases, f"start-up phase '{phase}' missing from {phases}")
    check(phases[0] == "settings" and phases[-1].startswith("first frame"),
          f"start-up phases not from settings to the first frame: {phases}")
    startup_ms = sum(phase["ms"] for phase in report["startup"])
    # The process starts before the first phase; its start time is known to 10 ms.
    check(report["first_presented_frame_ms"] >= startup_ms - 10,
          f"first presented frame at {report['first_presented_frame_ms']} ms, before the start-up's {startup_ms} ms")
    phases_and_stages = report["startup"] + report["first_frame"] + report["shutdown"]
    check(all(phase["ms"] >= 0 and phase["cpu_ms"] >= 0 for phase in phases_and_stages), "negative phase time")
    first_frame = [stage["phase"] for stage in report["first_frame"]]
    check(first_frame == GAME_STAGES, f"first frame stages {first_frame}, expected {GAME_STAGES}")
    stages = [stage["stage"] for stage in report["stages"]]
    check(stages == GAME_STAGES, f"frame stages {stages}, expected {GAME_STAGES}")
    for stage in report["stages"]:
        check(stage["gl"] == (stage["stage"] in GL_STAGES), f"stage '{stage['stage']}' marked gl={stage['gl']}")
        check_series(stage, frames, stage["stage"])
    check_series(report["staged_frame"], frames, "staged frame")
    check_series(report["whole_frame"], frames, "whole frame")
    check(report["whole_frame"]["fps"] > 0, "no frames per second")
    check(0.0 <= report["gl_share"] <= 1.0, f"GL share {report['gl_share']}")
    check(report["peak_resident_kib"] > 0, "no peak resident memory")
    check(report["width"] > 0 and report["height"] > 0, "no window size")


def check_simulation(report, _command):
    results = {entry["name"]: entry for entry in report["benchmarks"]}
    step = {n: f"BM_PhysicsStep/peas:{n}" for n in PEA_COUNTS}
    update = {n: f"BM_PeaUpdate/peas:{n}/iterations:600" for n in PEA_COUNTS}
    expected = [*step.values(), *update.values(), "BM_ProcessKeyboard/grounded", "BM_ProcessKeyboard/airborne"]
    for name in expected:
        check(name in results, f"benchmark {name} missing from {sorted(results)}")
        check(not results[name].get("error_occurred", False),
              f"{name} failed: {results[name].get('error_message')}")
        check(results[name]["iterations"] > 0, f"{name} ran no iterations")
    for n in PEA_COUNTS:
        for name in (step[n], update[n]):
            live = results[name]["live_peas"]
            check(0.8 * n <= live <= min(1.1 * n, 1000), f"{name} ran with {live} live peas")


def main():
    kind, json_path, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    if os.path.exists(json_path):
        os.remove(json_path)
    completed = subprocess.run(command, stdin=subprocess.DEVNULL, timeout=540)
    check(completed.returncode == 0, f"{command[0]} exited with {completed.returncode}")
    check(os.path.exists(json_path), f"{json_path} was not written")
    with open(json_path, encoding="utf-8") as file:
        report = json.load(file)
    {"game": check_game, "simulation": check_simulation}[kind](report, command)
    print(f"OK: {json_path}")


if __name__ == "__main__":
    main()
