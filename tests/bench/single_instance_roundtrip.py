#!/usr/bin/env python3
"""Round trip of a later start in single-instance mode under Wine, with the stand-in VM.

    python3 tests/bench/single_instance_roundtrip.py [BUILD_FOLDER] [RUNS]

A first instance of jvmhost.exe runs scripted.ServeInt (single-instance mode on). Each run
starts a later instance with one argument and measures the wall time from its start to its
end (it hands the argument over, secondaryMain returns it, the later instance exits with it);
for comparison, the same for an ordinary launch of a program that only exits. Prints the
medians of RUNS runs (20 unless given). Needs an X display for Wine.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def make_app(folder, build, jre, main_class, extra=""):
    os.makedirs(folder, exist_ok=True)
    shutil.copyfile(os.path.join(build, "jvmhost.exe"), os.path.join(folder, "tool.exe"))
    with open(os.path.join(folder, "app.jar"), "w") as f:
        f.write("jar")
    with open(os.path.join(folder, "tool.ini"), "w", newline="") as f:
        f.write(f"[Java Runtime Environment]\r\nMain Class={main_class}\r\nJRE Path={windows_path(jre)}"
                f"\r\n[Class Path]\r\nClass Path=\\app.jar\r\n[Application]\r\n{extra}\r\n")


def timed(command):
    start = time.monotonic()
    result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, timeout=60)
    return (time.monotonic() - start) * 1000, result.returncode


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "windows"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    prefix = os.path.join(build, "wineprefix")
    wine = [os.path.join(ROOT, "tests", "wine", "wine-run.sh"), prefix]
    work = os.path.join(build, "bench-single")
    shutil.rmtree(work, ignore_errors=True)
    jre = os.path.join(work, "jre")
    os.makedirs(os.path.join(jre, "bin", "client"))
    shutil.copyfile(os.path.join(build, "tests", "bin", "fakejvm.dll"),
                    os.path.join(jre, "bin", "client", "jvm.dll"))
    serve = os.path.join(work, "serve")
    make_app(serve, build, jre, "scripted.ServeInt", "Single Instance=yes")
    plain = os.path.join(work, "plain")
    make_app(plain, build, jre, "scripted.Exit0")

    subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "start", prefix], check=True)
    first = subprocess.Popen(wine + [os.path.join(serve, "tool.exe")], stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        record = os.path.join(serve, "record.txt")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and not (
                os.path.exists(record) and "main-entered" in open(record).read()):
            time.sleep(0.05)
        later, ordinary = [], []
        for run in range(runs):
            elapsed, code = timed(wine + [os.path.join(serve, "tool.exe"), str(run + 1)])
            if code != run + 1:
                sys.exit(f"later start {run + 1} ended with {code}")
            later.append(elapsed)
            ordinary.append(timed(wine + [os.path.join(plain, "tool.exe")])[0])
    finally:
        with open(os.path.join(serve, "stop"), "w") as f:
            f.write("stop")
        first.wait(timeout=60)
        subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "stop", prefix])
    print(f"median ms from start to end, {runs} runs each:")
    print(f"  later start, answered by the first instance  {statistics.median(later):8.1f}")
    print(f"  ordinary launch of a program that only exits {statistics.median(ordinary):8.1f}")


if __name__ == "__main__":
    main()
