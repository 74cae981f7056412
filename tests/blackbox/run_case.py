#!/usr/bin/env python3
"""Runs one black-box case of jvmhost.exe under Wine.

A case file (TOML) holds [[case]] tables, and may hold one [defaults] table whose keys every
case of the file has unless it gives them itself:
  name    the case's name
  exe     where the copy of jvmhost.exe goes, relative to the case folder; "tool.exe" unless
          the case says otherwise
  ini     the text of the settings file beside the exe (its name with "ini"), after the
          file's "preamble" (a [defaults] key: the settings lines that its cases share)
  files   {relative path = text} written before the run (UTF-8, or see "encodings")
  encodings  {relative path = "utf-8-sig" | "utf-16" | "cp1252"} for some of those files
  copies  {relative path = name of a built test tool or stand-in library}
  args    text appended to the quoted program path on the command line
  boxes   the message boxes expected, in order: {text, caption, owner, icon, buttons,
          steps}; a field left out is not checked. The launcher's dialogs count as boxes (their
          text is the message or the stack trace); "steps" holds what the dialog steps saw,
          each checked for the fields given (in nested tables too)
  steps   [[step, ...], ...] the steps that drive the launcher's dialogs, one list per dialog
          as it appears (see tests/tools/dialog_driver.h); a dialog without steps is
          cancelled. A "shot FILE.bmp" step's picture is also written as FILE.png
  user_registry  {key below HKEY_CURRENT_USER = {value name = text}} set for the run ("" is
          the key's default value); the keys are removed again afterwards
  exit    the expected exit code (-1 or 4294967295 for -1); a case that expects boxes and
          names no exit code ends with -1
  expect_files  {relative path = text} files the run must leave with exactly that content
  registry  registered runtimes for the case: {key = 'JavaSoft\Java Runtime Environment\1.6',
          home = ..., view = 64 | 32, value = "Path"}; the key is below
          HKEY_LOCAL_MACHINE\Software, "home" is stored as "value" ("JavaHome" unless given)
          unless left out. The vendor keys are removed before and after.
  env     {NAME = value} environment variables for the program
  expect_lines  {relative path = [lines]} lines the file must hold, in this order (others may
          stand between them); a line starting with "re:" is a regular expression for a
          whole line, in which {work_re} stands for the case folder, escaped; the file
          "(output)" is what the program wrote on its standard output and error
  reject_lines  {relative path = [lines]} lines the file must not hold ("re:" as above)
  dotless true when the case needs a work folder path without any dot (else it is skipped)
  timeout seconds before the program is ended (60)
  generate  {relative path with "{n}" = count} files numbered 0000, 0001, ... (text "jar")
  later   later starts of the same executable while the first one runs: [{args, exit}], one
          after the other, each expected to show the "boxes" given (none unless given); then the file "stop" is
          written beside the executable (the stand-in's scripted.Serve* programs end on it).
          With "wait = false" a start is only collected after "stop" (one that waits for the
          first instance's end); "within" bounds the seconds a start may take; "exe" starts
          the executable through another path.
  later_together  N: N later starts at once, start i with the arguments "i n<i>", each
          expected to end with exit code i
  later_early  true: the later starts begin at "vm-creating" in record.txt rather than at
          "main-entered"
  data    {relative path = name of a file under tests/blackbox/data} copied before the run
  links   {relative path = relative path of a file laid out} a second name of that file (a hard
          link); the folders are case sensitive, and Wine takes an exact match of a name first
  copies32  {relative path = "jvmhost32.exe" or a 32-bit test tool or stand-in library} from the
          32-bit companion build; without one (no wine32 to run it) the case is skipped
  runtime  the real Java runtime the case runs on, by its name in tests/runtimes/runtimes.txt
          ("java21"); a list makes one case of each, named "<name>.<runtime>". {runtime}
          stands for its folder, and a case that does not set JAVA_TOOL_OPTIONS itself runs
          with -Xcheck:jni through it and fails on a JNI warning in its output
  runtime_at  a relative path where the case's runtime is also found (a link to it)
  window  the class of a window of the Java program that counts as a dialog: its title is
          the caption, the next steps run on it, and it is closed
  splash  the launcher's own splash window: false when none may appear, else {x, y, width,
          height, shadow, shows}, each checked when given; "shows" is the colours ("rrggbb")
          that the centres of its four quadrants must show together at some moment (left to
          right, top to bottom; within 48 per channel, for JPEG)

In every text, {work} stands for the case folder as a Windows path (no trailing backslash), and
{repeat:N:TEXT} for TEXT written N times.
The case folder is made anew under --work; boxwatch.exe starts the program there, answers
each box with OK and reports what it saw.
"""
import argparse
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import time
import tomllib

SKIPPED = 77
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
CS_DROPSHADOW = 0x00020000


# What a case does not say.
CASE_DEFAULTS = {"exe": "tool.exe", "preamble": ""}
EXIT_FAILURE = 4294967295


def with_defaults(written, defaults):
    """The case with what its file and the format give by default."""
    case = dict(defaults, **written)
    if "ini" in case:
        name = os.path.splitext(case["exe"])[0] + ".ini"
        case["files"] = dict({name: case["preamble"] + case["ini"]}, **case.get("files", {}))
    if case.get("exit") == -1 or (case.get("boxes") and "exit" not in case):
        case["exit"] = EXIT_FAILURE
    return case


def load_cases(path):
    with open(path, "rb") as f:
        data = tomllib.load(f)
        defaults = dict(CASE_DEFAULTS, **data.get("defaults", {}))
        cases = []
        for written in data.get("case", []):
            case = with_defaults(written, defaults)
            runtimes = case.get("runtime")
            if isinstance(runtimes, list):
                cases += [dict(case, name=f"{case['name']}.{runtime}", runtime=runtime)
                          for runtime in runtimes]
            else:
                cases.append(case)
        return cases


JNI_WARNING = "re:.*WARNING.*(in native method|JNI).*"


def with_runtime(case, runtimes):
    """The case with its real runtime's folder for {runtime}; None when it is not there."""
    folder = os.path.join(runtimes, case["runtime"])
    if not os.path.isfile(os.path.join(folder, "release")):
        return None
    case = expand(case, folder, "{runtime}")
    if "JAVA_TOOL_OPTIONS" not in case.get("env", {}):
        case["env"] = dict(case.get("env", {}), JAVA_TOOL_OPTIONS="-Xcheck:jni")
        reject = case.setdefault("reject_lines", {})
        reject["(output)"] = reject.get("(output)", []) + [JNI_WARNING]
    return case


VENDOR_KEYS = ["JavaSoft", "JRockit", "IBM", "Eclipse Adoptium", "Eclipse Foundation",
               "AdoptOpenJDK", "Semeru", "Microsoft\\JDK", "Azul Systems", "BellSoft"]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def expand(value, work, name="{work}"):
    """Replaces {work} (or the name given) and its "_re" form in every text of a case value."""
    if isinstance(value, str):
        value = re.sub(r"\{repeat:(\d+):([^}]*)\}", lambda m: m.group(2) * int(m.group(1)), value)
        return (value.replace(name[:-1] + "_re}", re.escape(windows_path(work)))
                .replace(name, windows_path(work)))
    if isinstance(value, list):
        return [expand(item, work, name) for item in value]
    if isinstance(value, dict):
        return {expand(k, work, name): expand(v, work, name) for k, v in value.items()}
    return value


def reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def registry_file(entries):
    lines = ["Windows Registry Editor Version 5.00", ""]
    for root in ["Software", "Software\\Wow6432Node"]:
        for vendor in VENDOR_KEYS:
            lines.append(f"[-HKEY_LOCAL_MACHINE\\{root}\\{vendor}]")
    lines.append("")
    for entry in entries:
        root = "Software\\Wow6432Node" if entry.get("view", 64) == 32 else "Software"
        lines.append(f"[HKEY_LOCAL_MACHINE\\{root}\\{entry['key']}]")
        if "home" in entry:
            lines.append(f'{reg_string(entry.get("value", "JavaHome"))}={reg_string(entry["home"])}')
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def apply_registry(args, work, name, entries):
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-16") as f:
        f.write(registry_file(entries))
    subprocess.run([args.wine, args.prefix, "regedit", "/S", windows_path(path)],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True)


def matches(want, got):
    """Whether got holds what want gives: tables field by field, lists item by item."""
    if isinstance(want, dict):
        return isinstance(got, dict) and all(k in got and matches(v, got[k])
                                             for k, v in want.items())
    if isinstance(want, list):
        return (isinstance(got, list) and len(want) == len(got)
                and all(matches(w, g) for w, g in zip(want, got)))
    return want == got


def check_boxes(expected, seen):
    problems = []
    if len(expected) != len(seen):
        problems.append(f"expected {len(expected)} message box(es), saw {len(seen)}")
    for index, (want, got) in enumerate(zip(expected, seen), start=1):
        for field, value in want.items():
            if not matches(value, got.get(field)):
                problems.append(f"box {index}: {field} is {got.get(field)!r}, expected {value!r}")
    return problems


def bmp_to_png(path):
    """Writes a 24-bit BMP file's picture as a PNG file beside it."""
    import struct
    import zlib
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rows += b"\0" + bytes(b for i in range(0, len(row), 3) for b in (row[i + 2], row[i + 1], row[i]))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
    with open(path[:-4] + ".png", "wb") as f:
        f.write(png)


def user_registry_file(keys, remove):
    lines = ["Windows Registry Editor Version 5.00", ""]
    for key, values in keys.items():
        lines.append(f"[-HKEY_CURRENT_USER\\{key}]" if remove else f"[HKEY_CURRENT_USER\\{key}]")
        if not remove:
            lines += [("@" if name == "" else reg_string(name)) + "=" + reg_string(text)
                      for name, text in values.items()]
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def apply_user_registry(args, work, name, keys, remove):
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-16") as f:
        f.write(user_registry_file(keys, remove))
    subprocess.run([args.wine, args.prefix, "regedit", "/S", windows_path(path)],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True)


def check_lines(path, relative, wanted, encoding="utf-8"):
    if not os.path.exists(path):
        return [f"{relative} was not written"]
    with open(path, "rb") as f:
        data = f.read()
    # Settings files the launcher writes are UTF-16 with a byte-order mark.
    encoding = "utf-16" if data.startswith(b"\xff\xfe") else encoding
    lines = data.decode(encoding, errors="replace").splitlines()
    position = 0
    for line in wanted:
        pattern = re.compile(line[3:]) if line.startswith("re:") else None
        while position < len(lines):
            got = lines[position]
            position += 1
            if (pattern.fullmatch(got) if pattern else got == line):
                break
        else:
            return [f"{relative} lacks {line!r} (in this order); it holds:\n" + "\n".join(lines)]
    return []


def check_splash(expected, seen):
    if expected is False or seen is None:
        return [] if expected is False and seen is None else [
            f"splash window: saw {seen!r}, expected {expected!r}"]
    problems = [f"splash window: {field} is {seen[field]}, expected {expected[field]}"
                for field in ["x", "y", "width", "height"]
                if field in expected and seen[field] != expected[field]]
    if "shadow" in expected and bool(seen["class_style"] & CS_DROPSHADOW) != expected["shadow"]:
        problems.append(f"splash window: class style {seen['class_style']:#x}, expected "
                        f"shadow {expected['shadow']}")
    if "shows" in expected:
        def close(reading):
            return all(abs(int(a[i:i + 2], 16) - int(b[i:i + 2], 16)) <= 48
                       for a, b in zip(reading, expected["shows"]) for i in (0, 2, 4))
        if not any(len(reading) == 4 and close(reading) for reading in seen["readings"]):
            problems.append(f"splash window never showed {expected['shows']}; it showed "
                            f"{seen['readings']}")
    return problems


def prepare(case, work, jvmhost, tools):
    if os.path.exists(work):
        shutil.rmtree(work)
    os.makedirs(work)
    exe = os.path.join(work, case["exe"])
    os.makedirs(os.path.dirname(exe), exist_ok=True)
    shutil.copyfile(jvmhost, exe)
    encodings = case.get("encodings", {})
    for relative, text in case.get("files", {}).items():
        target = os.path.join(work, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        encoding = encodings.get(relative, "utf-8")
        with open(target, "w", encoding=encoding, newline="") as f:
            f.write(text.replace("\r\n", "\n").replace("\n", "\r\n"))
    for pattern, count in case.get("generate", {}).items():
        for number in range(count):
            target = os.path.join(work, pattern.replace("{n}", f"{number:04d}"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "w") as f:
                f.write("jar")
    for relative, name in case.get("data", {}).items():
        target = os.path.join(work, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(os.path.join(DATA, name), target)
    for relative, tool in case.get("copies", {}).items():
        target = os.path.join(work, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(os.path.join(tools, tool), target)
    for relative, original in case.get("links", {}).items():
        os.link(os.path.join(work, original), os.path.join(work, relative))
    return exe


def run(case, args):
    work = os.path.abspath(args.work)
    if case.get("dotless") and "." in work:
        print(f"skipped: the case needs a folder path without dots, {work} has one")
        return SKIPPED
    if "copies32" in case and not args.companion_build:
        print("skipped: the case runs the 32-bit companion, and 32-bit Windows programs need "
              "Debian's wine32 (wine32:i386), which is not installed")
        return SKIPPED
    if "runtime" in case:
        runtime = case["runtime"]
        case = with_runtime(case, args.runtimes)
        if case is None:
            print(f"FAIL: the real Java runtime {runtime} is not in {args.runtimes}: run "
                  "./setup-debian (or tests/runtimes/fetch-runtimes) to fetch it")
            return 1
    case = expand(case, work)
    # The console launcher is built beside the windowed one.
    launcher = (os.path.join(os.path.dirname(args.jvmhost), "jvmhostc.exe") if case.get("console")
                else args.jvmhost)
    exe = prepare(case, work, launcher, args.tools)
    if "runtime_at" in case:
        os.symlink(os.path.join(args.runtimes, case["runtime"]),
                   os.path.join(work, case["runtime_at"]))
    for relative, name in case.get("copies32", {}).items():
        source = os.path.join(args.companion_build, name if name.endswith("32.exe")
                              else os.path.join("tests", "bin", name))
        os.makedirs(os.path.dirname(os.path.join(work, relative)), exist_ok=True)
        shutil.copyfile(source, os.path.join(work, relative))
    registry = case.get("registry")
    if registry is not None:
        apply_registry(args, work, "registry.reg", registry)
    user_registry = case.get("user_registry")
    if user_registry is not None:
        apply_user_registry(args, work, "user-registry.reg", user_registry, False)
    try:
        return (run_console if case.get("console") else run_prepared)(case, args, work, exe)
    finally:
        if registry is not None:
            apply_registry(args, work, "registry-clean.reg", [])
        if user_registry is not None:
            apply_user_registry(args, work, "user-registry-clean.reg", user_registry, True)


def start_watched(case, args, work, exe, name, arguments):
    """Starts boxwatch.exe on the program with these arguments; returns (process, report path)."""
    command_line = '"' + windows_path(exe) + '"' + arguments
    with open(os.path.join(work, name + ".cmdline"), "w", encoding="utf-8", newline="") as f:
        f.write(command_line)
    report_path = os.path.join(work, name + ".json")
    assignments = [f"{key}={value}" for key, value in case.get("env", {}).items()]
    if "steps" in case and name == "report":
        steps_path = os.path.join(work, "steps.txt")
        with open(steps_path, "w", encoding="utf-8", newline="") as f:
            f.write("\n---\n".join("\n".join(group) for group in case["steps"]) + "\n")
        assignments.insert(0, "--steps=" + windows_path(steps_path))
    if "window" in case:
        assignments.insert(0, "--window=" + case["window"])
    log = open(os.path.join(work, name + ".log"), "wb")
    process = subprocess.Popen(
        [args.wine, args.prefix, os.path.join(args.tools, "boxwatch.exe"),
         windows_path(report_path), windows_path(os.path.join(work, name + ".cmdline")),
         str(case.get("timeout", 60))] + assignments,
        cwd=work, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    process.log = log
    process.started = time.monotonic()
    return process, report_path


def finish_watched(process, report_path, limit):
    """The report of a boxwatch.exe run, or a text that says what went wrong."""
    try:
        # boxwatch ends the program after its timeout; this bounds boxwatch itself, well
        # inside ctest's limit.
        returncode = process.wait(timeout=limit)
    except subprocess.TimeoutExpired:
        process.kill()
        return f"boxwatch.exe did not end within {limit} s; see {process.log.name}"
    finally:
        process.log.close()
    if returncode != 0 or not os.path.exists(report_path):
        return f"boxwatch failed with {returncode}; see {process.log.name}"
    with open(report_path, encoding="ascii") as f:
        return json.load(f)


def wait_for_line(path, line, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if os.path.exists(path):
            with open(path, encoding="utf-8", errors="replace") as f:
                if line in f.read().splitlines():
                    return True
        time.sleep(0.05)
    return False


def run_later_starts(case, args, work, exe):
    """The later starts of a single-instance case; the problems they showed."""
    problems = []
    # Later starts come once the first instance has entered main or, with "later_early", while
    # its VM is still being created (the stand-in's -Dfakejvm.createdelay).
    marker = "vm-creating" if case.get("later_early") else "main-entered"
    if not wait_for_line(os.path.join(work, "record.txt"), marker, 30):
        problems.append(f"the first instance did not record {marker!r} within 30 s")
    limit = case.get("timeout", 60) + 20

    def check(index, later, process, report_path):
        report = finish_watched(process, report_path, limit)
        if isinstance(report, str):
            problems.append(f"later start {index}: {report}")
        elif (check_boxes(later.get("boxes", []), report["boxes"])
              or report["exit"] != later["exit"]):
            problems.append(f"later start {index}: exit {report['exit']}, expected "
                            f"{later['exit']}; boxes {report['boxes']}")
        elif time.monotonic() - process.started > later.get("within", limit):
            problems.append(f"later start {index} took more than {later['within']} s")

    waiting = []
    for index, later in enumerate(case.get("later", []), start=1):
        program = os.path.join(work, later["exe"]) if "exe" in later else exe
        started = start_watched(case, args, work, program, f"later{index}", later.get("args", ""))
        if later.get("wait", True):
            check(index, later, *started)
        else:
            waiting.append((index, later) + started)
    together = case.get("later_together", 0)
    started = [start_watched(case, args, work, exe, f"together{i}", f" {i} n{i}")
               for i in range(1, together + 1)]
    for i, (process, report_path) in enumerate(started, start=1):
        report = finish_watched(process, report_path, limit)
        if isinstance(report, str):
            problems.append(f"later start {i} of {together}: {report}")
        elif report["exit"] != i:
            problems.append(f"later start {i} of {together}: exit {report['exit']}, expected {i}")
    if together:
        # Each request's own arguments, in whatever order the requests were served.
        with open(os.path.join(work, "record.txt"), encoding="utf-8") as f:
            lines = set(f.read().splitlines())
        problems += [f"record.txt lacks 'secondary: {i}|n{i}'" for i in range(1, together + 1)
                     if f"secondary: {i}|n{i}" not in lines]
    if waiting:
        # Time for the first instance to have taken the requests before it is told to end.
        time.sleep(1)
    with open(os.path.join(os.path.dirname(exe), "stop"), "w") as f:
        f.write("stop")
    for started in waiting:
        check(*started)
    return problems


def run_next_starts(case, args, work, exe):
    """The starts that follow the first one's end, in order; the problems they showed. Each may
    first give a file a later time ("touch"), set variables of its own ("env") and start
    several at once ("together"); its output is thenN.log (thenN-K.log)."""
    problems = []
    limit = case.get("timeout", 60) + 20
    for index, then in enumerate(case.get("then", []), start=1):
        if "touch" in then:
            later = time.time() + 60
            os.utime(os.path.join(work, then["touch"]), (later, later))
        started_case = dict(case, env=dict(case.get("env", {}), **then.get("env", {})))
        count = then.get("together", 1)
        names = [f"then{index}" + (f"-{k}" if count > 1 else "") for k in range(1, count + 1)]
        started = [start_watched(started_case, args, work, exe, name, then.get("args", ""))
                   for name in names]
        for name, (process, report_path) in zip(names, started):
            report = finish_watched(process, report_path, limit)
            if isinstance(report, str):
                problems.append(f"{name}: {report}")
            elif report["exit"] != then.get("exit", 0) or report["boxes"]:
                problems.append(f"{name}: exit {report['exit']}, expected "
                                f"{then.get('exit', 0)}; boxes {report['boxes']}")
    return problems


def run_console(case, args, work, exe):
    """A console launcher's case: the program runs twice with the case's "stdin" (in
    "stdin_encoding"), its streams once pipes (pipe-out.txt, pipe-err.txt) and once files
    (file-out.txt, file-err.txt, read in "output_encoding"); each run ends with the case's exit
    code (Wine passes its low 8 bits on)."""
    problems = []
    command = [args.wine, args.prefix, exe] + shlex.split(case.get("args", ""))
    env = dict(os.environ, **case.get("env", {}))
    # Standard input is a file: Java's System.in asks a pipe how much it holds, which Wine
    # cannot answer for a Linux pipe ("Request not supported").
    stdin = os.path.join(work, "stdin.txt")
    with open(stdin, "wb") as f:
        f.write(case.get("stdin", "").encode(case.get("stdin_encoding", "utf-8")))
    limit = case.get("timeout", 60)
    for mode in ("pipe", "file"):
        out, err = (os.path.join(work, f"{mode}-{stream}.txt") for stream in ("out", "err"))
        try:
            with open(stdin, "rb") as given:
                if mode == "pipe":
                    ran = subprocess.run(command, cwd=work, env=env, stdin=given,
                                         capture_output=True, timeout=limit)
                    for path, data in ((out, ran.stdout), (err, ran.stderr)):
                        with open(path, "wb") as f:
                            f.write(data)
                else:
                    with open(out, "wb") as stdout, open(err, "wb") as stderr:
                        ran = subprocess.run(command, cwd=work, env=env, stdin=given,
                                             stdout=stdout, stderr=stderr, timeout=limit)
        except subprocess.TimeoutExpired:
            problems.append(f"{mode}: the program did not end within {limit} s")
            continue
        if ran.returncode != case["exit"] & 0xFF:
            problems.append(f"{mode}: exit code {ran.returncode}, expected {case['exit'] & 0xFF}")
    for relative, wanted in case.get("expect_lines", {}).items():
        problems += check_lines(os.path.join(work, relative), relative, wanted,
                                case.get("output_encoding", "utf-8"))
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


def run_prepared(case, args, work, exe):
    single_instance = "later" in case or "later_together" in case
    process, report_path = start_watched(case, args, work, exe, "report", case.get("args", ""))
    wine_log = process.log.name
    problems = run_later_starts(case, args, work, exe) if single_instance else []
    report = finish_watched(process, report_path, case.get("timeout", 60) + 20)
    if isinstance(report, str):
        print("FAIL:", report)
        return 1
    problems += run_next_starts(case, args, work, exe)

    if report["timeout"]:
        problems.append("the program did not end in time")
    problems += check_boxes(case.get("boxes", []), report["boxes"])
    if "splash" in case:
        problems += check_splash(case["splash"], report["splash"])
    if "exit" in case and report["exit"] != case["exit"]:
        problems.append(f"exit code {report['exit']}, expected {case['exit']}")
    for relative, text in case.get("expect_files", {}).items():
        target = os.path.join(work, relative)
        if not os.path.exists(target):
            problems.append(f"{relative} was not written")
            continue
        with open(target, encoding="utf-8") as f:
            content = f.read()
        if content != text:
            problems.append(f"{relative} holds {content!r}, expected {text!r}")

    for relative, wanted in case.get("expect_lines", {}).items():
        path = wine_log if relative == "(output)" else os.path.join(work, relative)
        problems += check_lines(path, relative, wanted)
    for relative, unwanted in case.get("reject_lines", {}).items():
        path = wine_log if relative == "(output)" else os.path.join(work, relative)
        problems += [f"{relative} holds {line!r}" for line in unwanted
                     if not check_lines(path, relative, [line])]

    for name in os.listdir(work):
        if name.endswith(".bmp"):
            bmp_to_png(os.path.join(work, name))

    print("report:", json.dumps(report, ensure_ascii=False))
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", metavar="CASE_FILE")
    parser.add_argument("--case-file")
    parser.add_argument("--case")
    parser.add_argument("--wine")
    parser.add_argument("--prefix")
    parser.add_argument("--jvmhost")
    parser.add_argument("--tools")
    parser.add_argument("--work")
    parser.add_argument("--companion-build", default="")
    parser.add_argument("--runtimes", default="")
    args = parser.parse_args()
    if args.list:
        for case in load_cases(args.list):
            print(case["name"])
        return 0
    cases = {case["name"]: case for case in load_cases(args.case_file)}
    if args.case not in cases:
        print(f"no case {args.case!r} in {args.case_file}")
        return 2
    return run(cases[args.case], args)


if __name__ == "__main__":
    sys.exit(main())
