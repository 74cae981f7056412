#!/usr/bin/env python3
"""Tests of macstub: bundles made under a temporary folder run the Linux build against the
stand-ins, and the macOS build is checked with the LLVM tools.

    macstub_test.py --build BUILD_FOLDER CASE     (BUILD_FOLDER: the macstub build)
    macstub_test.py --list
"""
import argparse
import hashlib
import os
import plistlib
import shutil
import struct
import subprocess
import sys
import tempfile

CASES = {}


def case(function):
    CASES[function.__name__] = function
    return function


def make_bundle(folder, name, build, java=None, runtime=False):
    """X.app with the Linux build of macstub as its executable, and with the JDK as its own
    runtime when asked; returns the executable's path. Paths are bytes, so that a bundle's name
    need not be valid UTF-8."""
    bundle = os.path.join(os.fsencode(folder), os.fsencode(name))
    macos = os.path.join(bundle, b"Contents", b"MacOS")
    os.makedirs(macos)
    if runtime:
        os.makedirs(os.path.join(bundle, b"Contents", b"runtime", b"Contents"))
        os.symlink(os.path.realpath(os.path.join(build, "tests", "JavaVirtualMachines",
                                                 "installed.jdk", "Contents", "Home")),
                   os.path.join(bundle, b"Contents", b"runtime", b"Contents", b"Home"))
    info = {"CFBundleExecutable": "Tool", "CFBundlePackageType": "APPL"}
    if java is not None:
        info["Java"] = java
    with open(os.path.join(bundle, b"Contents", b"Info.plist"), "wb") as f:
        plistlib.dump(info, f)
    executable = os.path.join(macos, b"Tool")
    shutil.copy(os.path.join(os.fsencode(build), b"tests", b"macstub_linux"), executable)
    shutil.copytree(os.path.join(os.fsencode(build), b"tests", b"classes"),
                    os.path.join(bundle, b"Contents", b"Resources", b"Java", b"classes"))
    return executable


def run(executable, cwd, *arguments):
    result = subprocess.run([executable, *arguments], cwd=cwd, capture_output=True, timeout=60)
    return result.returncode, result.stdout.decode(), result.stderr.decode()


def expect(condition, what, output):
    if not condition:
        raise AssertionError(f"{what}; the run gave {output!r}")


@case
def java_entry_runs_the_application_and_keeps_the_working_directory(folder, build):
    java = {"MainClass": "macstub.Hello", "ClassPath": ["$JAVAROOT/classes"],
            "VMOptions": "-Xmx48m", "Properties": {"macstub.property": "$APP_PACKAGE",
                                                   "macstub.exit": "5"},
            "Arguments": ["one", "two"]}
    executable = make_bundle(folder, "Tool.app", build, java)
    elsewhere = os.path.join(folder, "elsewhere")
    os.makedirs(elsewhere)
    status, out, err = run(executable, elsewhere, "three")
    lines = out.splitlines()
    expect(status == 5, "the application's exit status is the stub's", (status, out, err))
    expect(f"cwd={elsewhere}" in lines, "the working directory is unchanged", out)
    expect(f"property={folder}/Tool.app" in lines, "properties reach the VM", out)
    expect("maxMemory=48" in lines or "maxMemory=47" in lines, "VM options reach the VM", out)
    expect(["arg=one", "arg=two", "arg=three"] == [l for l in lines if l.startswith("arg=")],
           "the dictionary's arguments, then the command line's", out)


@case
def without_java_entry_the_bundles_folder_is_the_working_directory(folder, build):
    executable = make_bundle(folder, "Tool.app", build)
    with open(os.path.join(folder, "MRJApp.properties"), "w") as f:
        f.write("com.apple.mrj.application.main=macstub.Hello\n"
                "com.apple.mrj.application.classpath=Tool.app/Contents/Resources/Java/classes\n")
    elsewhere = os.path.join(folder, "elsewhere")
    os.makedirs(elsewhere)
    status, out, err = run(executable, elsewhere, "arg")
    expect(status == 0, "status 0 once the older entry point returns", (status, out, err))
    expect(f"cwd={folder}" in out.splitlines(), "the folder holding the bundle", (out, err))
    expect("arg=arg" in out.splitlines(), "the command line's arguments", out)


@case
def bundled_runtime_starts_through_its_libjli(folder, build):
    java = {"MainClass": "macstub.Hello", "ClassPath": "$JAVAROOT/classes",
            "VMOptions": ["-Xmx48m", "-Dmacstub.property=$APP_PACKAGE/a b"],
            "Properties": {"macstub.exit": "5"}, "Arguments": "one  two",
            "WorkingDirectory": "$APP_PACKAGE/Contents",
            # A key the stub does not read, which makes Info.plist larger than 64 KB.
            "Padding": "x" * 70000}
    executable = make_bundle(folder, "My Tool.app", build, java, runtime=True)
    status, out, err = run(executable, folder, "three", "-psn_0_42")
    lines = out.splitlines()
    expect(status == 5, "the application's exit status is the stub's", (status, out, err))
    expect(f"cwd={folder}/My Tool.app/Contents" in lines, "the working directory", out)
    expect(f"property={folder}/My Tool.app/a b" in lines, "an option with blanks", out)
    expect("maxMemory=48" in lines or "maxMemory=47" in lines, "VM options reach the VM", out)
    expect(["arg=one", "arg=two", "arg=three"] == [l for l in lines if l.startswith("arg=")],
           "the dictionary's arguments, then the command line's without -psn_", out)


@case
def bundled_runtime_refuses_what_it_cannot_start(folder, build):
    plist = f"{folder}/Tool.app/Contents/Info.plist"
    for java, message in (
            ("a text", f'ERROR: "Java" in {folder}/Tool.app/Contents/Info.plist is not a dictionary\n'),
            ({"MainClass": "macstub.Hello", "JVMVersion": "abc"},
             f"ERROR: JVMVersion abc in the Java dictionary of {plist} is not a version such as"
             " 17+ or 1.8*\n"),
            ({"MainClass": "macstub.Hello", "VMOptions": ["-Xmx48m", "Oops"]},
             f"ERROR: VMOptions in the Java dictionary of {plist} holds Oops, which is not an"
             " option (they start with -)\n")):
        executable = make_bundle(folder, "Tool.app", build, java, runtime=True)
        status, out, err = run(executable, folder)
        expect((status, err) == (1, message), f"the message for {java}", err)
        shutil.rmtree(os.path.join(folder, "Tool.app"))


@case
def without_the_framework_the_newest_installed_runtime_that_fits_starts(folder, build):
    # JavaVirtualMachines holds a 17 that runs and an 11 without libjli.
    executable = make_bundle(folder, "Tool.app", build, {
        "MainClass": "macstub.Hello", "ClassPath": ["$JAVAROOT/classes"], "JVMVersion": "11+"})
    shutil.copy(os.path.join(build, "tests", "macstub_linux_nolauncher"), executable)
    status, out, err = run(executable, folder, "arg")
    expect(status == 0 and "arg=arg" in out.splitlines(), "the application ran", (out, err))


@case
def without_the_framework_a_missing_runtime_is_said(folder, build):
    installed = os.path.join(build, "tests", "JavaVirtualMachines")
    for version, message in (
            ("99+", f"ERROR: No Java runtime 99+ in {folder}/Tool.app/Contents/runtime, "
                    f"{folder}/Tool.app/Contents/PlugIns or {installed}, and "
                    "JavaApplicationLauncher.framework is not on this Mac\n"),
            ("x17", f"ERROR: JVMVersion x17 in the Java dictionary of {folder}/Tool.app/"
                    "Contents/Info.plist is not a version such as 17+ or 1.8*\n")):
        executable = make_bundle(folder, "Tool.app", build,
                                 {"MainClass": "macstub.Hello", "JVMVersion": version})
        shutil.copy(os.path.join(build, "tests", "macstub_linux_nolauncher"), executable)
        status, out, err = run(executable, folder)
        expect((status, err) == (1, message), f"the message for JVMVersion {version}", err)
        shutil.rmtree(os.path.join(folder, "Tool.app"))


@case
def executable_outside_a_bundle_fails(folder, build):
    executable = os.path.join(folder, "Tool")
    shutil.copy(os.path.join(build, "tests", "macstub_linux"), executable)
    status, out, err = run(executable, folder)
    expect((status, err) == (1, "CFBundleGetMainBundle() failed\n"), "the bundle message", err)


@case
def missing_launcher_framework_is_said(folder, build):
    # Without a Java dictionary there is nothing to start a runtime with.
    executable = make_bundle(folder, "Tool.app", build)
    shutil.copy(os.path.join(build, "tests", "macstub_linux_nolauncher"), executable)
    status, out, err = run(executable, folder)
    expect((status, err) == (1, "ERROR: JavaApplicationLauncher.framework is not on this Mac\n"),
           "the framework message", err)


@case
def bundle_without_location_fails(folder, build):
    executable = make_bundle(folder, b"Bad\xff.app", build)
    status, out, err = run(executable, folder)
    expect((status, err) == (1, "CFBundleCopyBundleURL() failed on main bundle\n"),
           "the location message", err)


@case
def bundle_path_longer_than_the_buffer_fails(folder, build):
    deep = folder
    while len(deep.encode()) <= 2000:
        deep = os.path.join(deep, "d" * 200)
    executable = make_bundle(deep, "Tool.app", build)
    status, out, err = run(executable, folder)
    expect((status, err) == (1, "CFURLGetFileSystemRepresentation() failed on main bundle\n"),
           "the path message", err)


def signature_problems(data):
    """What is wrong with the ad-hoc code signature of a thin Mach-O: its code directory must
    hold the SHA-256 of every page of the file up to the signature."""
    ncmds = struct.unpack_from("<I", data, 16)[0]
    offset, signature = 32, None
    for _ in range(ncmds):
        cmd, size = struct.unpack_from("<II", data, offset)
        if cmd == 0x1D:  # LC_CODE_SIGNATURE
            signature = struct.unpack_from("<II", data, offset + 8)
        offset += size
    if signature is None:
        return ["no LC_CODE_SIGNATURE"]
    blob = data[signature[0]:signature[0] + signature[1]]
    magic, _, count = struct.unpack_from(">III", blob, 0)
    for start in [struct.unpack_from(">II", blob, 12 + 8 * i)[1] for i in range(count)]:
        if struct.unpack_from(">I", blob, start)[0] != 0xFADE0C02:
            continue
        hash_offset, _, _, slots, limit = struct.unpack_from(">IIIII", blob, start + 16)
        hash_size, hash_type, _, page_log = struct.unpack_from(">BBBB", blob, start + 36)
        if hash_type != 2 or hash_size != 32:
            return [f"hash type {hash_type}, size {hash_size}: not SHA-256"]
        page = 1 << page_log
        problems = [f"page {i}" for i in range(slots)
                    if hashlib.sha256(data[i * page:min((i + 1) * page, limit)]).digest()
                    != blob[start + hash_offset + 32 * i:start + hash_offset + 32 * (i + 1)]]
        if slots != (limit + page - 1) // page:
            problems.append(f"{slots} hashes for {limit} bytes")
        return problems if magic == 0xFADE0CC0 else problems + ["no embedded signature"]
    return ["no code directory"]


@case
def mach_o_executable_for_macos(folder, build):
    macho = os.path.join(build, "macstub")
    architectures = subprocess.run(["llvm-lipo-14", "-archs", macho], capture_output=True,
                                   text=True, check=True).stdout.split()
    expect(architectures == ["x86_64", "arm64"], "a universal binary for Intel and Apple silicon",
           architectures)
    for arch, cpu in (("x86_64", "X86_64"), ("arm64", "ARM64")):
        thin = os.path.join(folder, arch)
        subprocess.run(["llvm-lipo-14", macho, "-thin", arch, "-output", thin], check=True)
        headers = subprocess.run(["llvm-objdump-14", "--macho", "--private-headers", thin],
                                 capture_output=True, text=True, check=True).stdout
        lines = headers.splitlines()
        header = lines[lines.index(next(l for l in lines if "filetype" in l)) + 1].split()
        expect(header[0] == "MH_MAGIC_64" and header[1] == cpu and header[4] == "EXECUTE",
               f"a 64-bit {arch} executable", header)
        expect("cmd LC_MAIN" in headers, "an LC_MAIN entry", headers)
        loads = [(lines[i].split()[1], lines[i + 2].split()[1]) for i in range(len(lines))
                 if lines[i].strip() in ("cmd LC_LOAD_DYLIB", "cmd LC_LOAD_WEAK_DYLIB")]
        expect(loads == [
            ("LC_LOAD_DYLIB", "/usr/lib/libSystem.B.dylib"),
            ("LC_LOAD_DYLIB", "/System/Library/Frameworks/CoreFoundation.framework/Versions/A/CoreFoundation"),
            ("LC_LOAD_DYLIB", "/System/Library/Frameworks/Foundation.framework/Versions/C/Foundation"),
            ("LC_LOAD_WEAK_DYLIB", "/System/Library/PrivateFrameworks/JavaApplicationLauncher.framework/Versions/A/JavaApplicationLauncher"),
        ], "the four libraries, the Java launcher weakly", loads)
        imports = subprocess.run(["llvm-nm-14", "-u", thin], capture_output=True, text=True,
                                 check=True).stdout.split()
        directory = ["_opendir$INODE64", "_readdir$INODE64"] if arch == "x86_64" else [
            "_opendir", "_readdir"]
        expected = [
            "_CFArrayGetCount", "_CFArrayGetTypeID", "_CFArrayGetValueAtIndex",
            "_CFBundleCopyBundleURL", "_CFBundleGetInfoDictionary", "_CFBundleGetMainBundle",
            "_CFDictionaryGetCount", "_CFDictionaryGetKeysAndValues", "_CFDictionaryGetTypeID",
            "_CFDictionaryGetValue", "_CFGetTypeID", "_CFStringGetCString", "_CFStringGetLength",
            "_CFStringGetMaximumSizeForEncoding", "_CFStringGetTypeID",
            "_CFURLGetFileSystemRepresentation", "___CFConstantStringClassReference",
            "_MRJApplicationMainArgs", "_launchJavaApplication", "___stack_chk_fail",
            "___stack_chk_guard", "___stderrp", "_access", "_chdir", "_closedir", "_dlerror",
            "_dlopen", "_dlsym", "_exit", "_fclose", "_fgets", "_fopen", "_fprintf", "_fputs",
            "_free", "_fwrite", "_malloc", "_memcpy", "_perror", "_realloc", "_snprintf",
            "_strcmp", "_strlen", "_strncmp", "dyld_stub_binder", *directory]
        expect(sorted(imports) == sorted(expected), "exactly the expected imports", imports)
        # libjli on macOS calls main again on a thread of its own, found by name.
        exports = subprocess.run(["llvm-objdump-14", "--macho", "--exports-trie", thin],
                                 capture_output=True, text=True, check=True).stdout.split()
        expect("_main" in exports, "main is exported", exports)
        if arch == "arm64":
            with open(thin, "rb") as f:
                problems = signature_problems(f.read())
            expect(not problems, "an ad-hoc signature whose page hashes match", problems)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--build")
    parser.add_argument("case", nargs="?")
    args = parser.parse_args()
    if args.list:
        print("\n".join(CASES))
        return 0
    with tempfile.TemporaryDirectory(prefix="macstub-") as folder:
        try:
            CASES[args.case](os.path.realpath(folder), os.path.abspath(args.build))
        except AssertionError as problem:
            print("FAIL:", problem)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
