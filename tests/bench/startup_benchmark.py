#!/usr/bin/env python3
"""Start-up benchmark of jvmhost.exe under Wine, with the stand-in VM.

    python3 tests/bench/startup_benchmark.py [BUILD_FOLDER] [RUNS]

BUILD_FOLDER is the Windows build (build/windows, after ./run-tests or a build); RUNS is 30
unless given. Each figure is the median time from process creation to the stand-in's
JNI_CreateJavaVM, measured inside the process (the stand-in writes it when FAKEJVM_TIMING
names a file). Runs of the different set-ups alternate, so that all are measured under the
same conditions:
  minimal      a program that only loads the stand-in and calls JNI_CreateJavaVM
  user32       the same after initialising user32, which Wine sets up for every GUI program;
               the launcher's own work is its time over this one (the ratio is printed)
  launcher     jvmhost.exe with a "JRE Path" and a one-jar class path
  2000 jars    the same with "\\lib\\*.jar" matching 2,000 jars
  registry     no "JRE Path": the runtime is chosen among 200 registry entries
  splash       the launcher's own splash window with a 400 x 300 GIF picture
Needs an X display for Wine (run it under xvfb-run when there is none).

    python3 tests/bench/startup_benchmark.py BUILD_FOLDER RUNS --real RUNTIME

times a real runtime of tests/runtimes/runtimes.txt (RUNTIME is its name, "java21"; the cache
as for the tests, $JVMHOST_RUNTIMES or /var/cache/jvmhost-test-runtimes) running probe.Report
from probes.jar: the median time from process start to the first line of main (which writes
the time) and to the process's end, for jvmhost.exe, for the runtime's own javaw.exe with the
same class path and options, and for child_launcher.exe starting that javaw.exe as a child
process and waiting for it, the runs interleaved.

    python3 tests/bench/startup_benchmark.py BUILD_FOLDER RUNS --window RUNTIME

times probe.FirstWindow, a Swing program that ends as soon as its first window is open, from
process start to the open window and to the process's end: the runtime's own javaw.exe,
jvmhost.exe with "Class Data Sharing" off, and with it on, on its first start (the archive
deleted before, so that this start makes it) and on the start after, the four in turn. A
runtime without a base archive (the test runtimes have none) is copied and given one with
"java -Xshare:dump", as a runtime that users install has it.
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


def write(path, text, encoding="utf-8"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding=encoding, newline="") as f:
        f.write(text.replace("\n", "\r\n"))


def make_app(folder, build, ini):
    os.makedirs(folder, exist_ok=True)
    shutil.copyfile(os.path.join(build, "jvmhost.exe"), os.path.join(folder, "tool.exe"))
    write(os.path.join(folder, "app.jar"), "jar")
    write(os.path.join(folder, "tool.ini"), ini)


def time_in_turns(build, work, setups, runs, clock, before=None):
    """Runs each set-up's command in turn, one round more than runs; for each set-up, the
    milliseconds from process start to the time the program wrote into clock, and to its end.
    before maps a set-up to what is done before each of its runs."""
    prefix = os.path.join(build, "wineprefix")
    wine = [os.path.join(ROOT, "tests", "wine", "wine-run.sh"), prefix]
    to_clock = {setup: [] for setup in setups}
    to_end = {setup: [] for setup in setups}
    subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "start", prefix], check=True)
    try:
        for _ in range(runs + 1):
            for setup, command in setups.items():
                (before or {}).get(setup, lambda: None)()
                if os.path.exists(clock):
                    os.remove(clock)
                start = time.time()
                subprocess.run(wine + command, cwd=work, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
                end = time.time()
                with open(clock) as f:
                    reached = int(f.read()) / 1000
                to_clock[setup].append((reached - start) * 1000)
                to_end[setup].append((end - start) * 1000)
    finally:
        subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "stop", prefix])
    return to_clock, to_end


def test_runtime(name):
    """The folder of a runtime of tests/runtimes/runtimes.txt, as the tests have it."""
    runtime = os.path.join(os.environ.get("JVMHOST_RUNTIMES", "/var/cache/jvmhost-test-runtimes"), name)
    if not os.path.isfile(os.path.join(runtime, "release")):
        sys.exit(f"no runtime {name} in {os.path.dirname(runtime)}: run ./setup-debian")
    return runtime


def real_runtime(build, runs, name):
    runtime = test_runtime(name)
    work = os.path.join(build, "bench-real")
    shutil.rmtree(work, ignore_errors=True)
    clock = os.path.join(work, "main-reached.txt")
    options = "-Dprobe.clock=" + windows_path(clock)
    make_app(work, build, "[Java Runtime Environment]\nMain Class=probe.Report\nJRE Path=" +
             windows_path(runtime) + "\nVirtual Machine Parameters=" + options +
             "\n[Class Path]\nClass Path=\\app.jar\n")
    shutil.copyfile(os.path.join(build, "tests", "bin", "probes.jar"), os.path.join(work, "app.jar"))
    javaw = [os.path.join(runtime, "bin", "javaw.exe"), "-Djava.class.path=" +
             windows_path(os.path.join(work, "app.jar")), options, "probe.Report"]
    setups = {
        "jvmhost.exe": [os.path.join(work, "tool.exe")],
        "javaw.exe": javaw,
        "child process": [os.path.join(build, "tests", "bin", "child_launcher.exe")] + javaw,
    }
    to_main, to_end = time_in_turns(build, work, setups, runs, clock)
    print(f"{name}: median ms from process start, {runs} runs each after one not counted:")
    print(f"  {'':14} {'to main':>8} {'to end':>8}")
    for setup in setups:
        print(f"  {setup:14} {statistics.median(to_main[setup][1:]):8.1f} "
              f"{statistics.median(to_end[setup][1:]):8.1f}")


def runtime_with_base_archive(build, name):
    """The runtime's folder; a copy with its base archive made when the runtime has none."""
    runtime = test_runtime(name)
    if os.path.exists(os.path.join(runtime, "bin", "server", "classes.jsa")):
        return runtime
    copy = os.path.join(build, "bench-runtimes", name)
    if not os.path.exists(os.path.join(copy, "bin", "server", "classes.jsa")):
        shutil.rmtree(copy, ignore_errors=True)
        shutil.copytree(runtime, copy, symlinks=True)
        subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-run.sh"), os.path.join(build, "wineprefix"),
                        os.path.join(copy, "bin", "java.exe"), "-Xshare:dump"],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return copy


def first_window(build, runs, name):
    prefix = os.path.join(build, "wineprefix")
    runtime = runtime_with_base_archive(build, name)
    work = os.path.join(build, "bench-window")
    shutil.rmtree(work, ignore_errors=True)
    clock = os.path.join(work, "window-open.txt")
    options = "-Dprobe.clock=" + windows_path(clock)
    ini = ("[Product Information]\nProduct Name=jvmhost-bench\n[Java Runtime Environment]\n"
           "Main Class=probe.FirstWindow\nJRE Path=" + windows_path(runtime) +
           "\nVirtual Machine Parameters=" + options + "\nClass Data Sharing={}\n"
           "[Class Path]\nClass Path=\\app.jar\n")
    for folder, sharing in (("off", "off"), ("auto", "auto")):
        make_app(os.path.join(work, folder), build, ini.format(sharing))
        shutil.copyfile(os.path.join(build, "tests", "bin", "probes.jar"),
                        os.path.join(work, folder, "app.jar"))
    # Wine gives its programs its own LOCALAPPDATA, whatever the Linux environment says.
    archives = os.path.join(prefix, "drive_c", "users", os.environ.get("USER", "root"), "AppData",
                            "Local", "jvmhost-bench")
    javaw = [os.path.join(runtime, "bin", "javaw.exe"), "-Djava.class.path=" +
             windows_path(os.path.join(work, "auto", "app.jar")), options, "probe.FirstWindow"]
    setups = {
        "javaw.exe": javaw,
        "jvmhost.exe, sharing off": [os.path.join(work, "off", "tool.exe")],
        "jvmhost.exe, first start": [os.path.join(work, "auto", "tool.exe")],
        "jvmhost.exe, later start": [os.path.join(work, "auto", "tool.exe")],
    }
    # The first start makes the archive: it finds none.
    before = {"jvmhost.exe, first start": lambda: shutil.rmtree(archives, ignore_errors=True)}
    to_window, to_end = time_in_turns(build, work, setups, runs, clock, before)
    base = statistics.median(to_window["javaw.exe"][1:])
    print(f"{name}: median ms from process start, {runs} runs each after one not counted:")
    print(f"  {'':26} {'to window':>9} {'to end':>8} {'window / javaw':>15}")
    for setup in setups:
        window = statistics.median(to_window[setup][1:])
        print(f"  {setup:26} {window:9.1f} {statistics.median(to_end[setup][1:]):8.1f} "
              f"{window / base:15.2f}")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "windows"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    if len(sys.argv) > 4 and sys.argv[3] == "--real":
        return real_runtime(build, runs, sys.argv[4])
    if len(sys.argv) > 4 and sys.argv[3] == "--window":
        return first_window(build, runs, sys.argv[4])
    prefix = os.path.join(build, "wineprefix")
    wine = [os.path.join(ROOT, "tests", "wine", "wine-run.sh"), prefix]
    tools = os.path.join(build, "tests", "bin")
    work = os.path.join(build, "bench")
    shutil.rmtree(work, ignore_errors=True)

    jre = os.path.join(work, "jre")
    os.makedirs(os.path.join(jre, "bin", "client"))
    shutil.copyfile(os.path.join(tools, "fakejvm.dll"), os.path.join(jre, "bin", "client", "jvm.dll"))
    base_ini = ("[Java Runtime Environment]\nMain Class=scripted.Exit0\nJRE Path=" + windows_path(jre) +
                "\n[Class Path]\nClass Path=\\app.jar\n")
    make_app(os.path.join(work, "launcher"), build, base_ini)
    make_app(os.path.join(work, "splash"), build, base_ini + "[Display]\nSplash Screen=splash.gif\n")
    shutil.copyfile(os.path.join(ROOT, "tests", "blackbox", "data", "quadrants.gif"),
                    os.path.join(work, "splash", "splash.gif"))
    make_app(os.path.join(work, "jars"), build, base_ini.replace("\\app.jar", "\\lib\\*.jar"))
    for index in range(2000):
        write(os.path.join(work, "jars", "lib", f"library{index:04}.jar"), "jar")
    make_app(os.path.join(work, "registry"), build,
             "[Java Runtime Environment]\nMain Class=scripted.Exit0\n[Class Path]\nClass Path=\\app.jar\n")
    reg = ["Windows Registry Editor Version 5.00", ""]
    for index in range(200):
        reg += [f"[HKEY_LOCAL_MACHINE\\Software\\JavaSoft\\Java Runtime Environment\\1.6.0_{index}]",
                '"JavaHome"="' + windows_path(jre).replace("\\", "\\\\") + '"', ""]
    write(os.path.join(work, "registry.reg"), "\n".join(reg), "utf-16")
    write(os.path.join(work, "clean.reg"), "Windows Registry Editor Version 5.00\n\n"
          "[-HKEY_LOCAL_MACHINE\\Software\\JavaSoft]\n", "utf-16")

    subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "start", prefix], check=True)
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        subprocess.run(wine + ["regedit", "/S", windows_path(os.path.join(work, "registry.reg"))],
                       check=True, **quiet)
        setups = {
            "minimal": [os.path.join(tools, "minimal_host.exe"),
                        windows_path(os.path.join(jre, "bin", "client", "jvm.dll"))],
            "user32": [os.path.join(tools, "minimal_host.exe"),
                       windows_path(os.path.join(jre, "bin", "client", "jvm.dll")), "--user32"],
            "launcher": [os.path.join(work, "launcher", "tool.exe")],
            "2000 jars": [os.path.join(work, "jars", "tool.exe")],
            "registry": [os.path.join(work, "registry", "tool.exe")],
            "splash": [os.path.join(work, "splash", "tool.exe")],
        }
        timings = {name: [] for name in setups}
        for _ in range(runs):
            for name, command in setups.items():
                timing = os.path.join(work, "timing.txt")
                if os.path.exists(timing):
                    os.remove(timing)
                environment = dict(os.environ, FAKEJVM_TIMING=windows_path(timing))
                subprocess.run(wine + command, env=environment, cwd=os.path.dirname(command[0]),
                               **quiet)
                with open(timing) as f:
                    timings[name].append(float(f.read().split()[0]))
    finally:
        subprocess.run(wine + ["regedit", "/S", windows_path(os.path.join(work, "clean.reg"))], **quiet)
        subprocess.run([os.path.join(ROOT, "tests", "wine", "wine-session.sh"), "stop", prefix])

    minimal = statistics.median(timings["minimal"])
    launcher = statistics.median(timings["launcher"])
    print(f"median ms from process start to JNI_CreateJavaVM, {runs} runs each:")
    for name, values in timings.items():
        median = statistics.median(values)
        extra = "" if name == "minimal" else f"  (+{median - minimal:.1f} over minimal)"
        if name in ("2000 jars", "registry", "splash"):
            extra += f"  (+{median - launcher:.1f} over launcher)"
        print(f"  {name:10} {median:8.1f}{extra}")
    user32 = statistics.median(timings["user32"])
    print(f"launcher / user32: {launcher / user32:.2f}")


if __name__ == "__main__":
    main()
