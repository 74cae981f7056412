#!/usr/bin/env python3
"""Tests of jvmhost-pack and its Maven plugin: an application description made under a temporary
folder is packed with the build's launchers, and the outputs are read with tools of their own:
pefile, icoutils' wrestool, osslsigncode, libplist's plistutil, Python's zipfile, Windows itself
under Wine, and macstub; the example Maven project is built with the plugin the build installed.
The ARM64 launchers, which no machine here can run, are read back against the x64 ones.

    pack_test.py --build BUILD [--prefix WINE_PREFIX] [--maven MVN --repository REPO
                 --runtimes RUNTIMES] CASE   (BUILD: the 64-bit build)
    pack_test.py --build BUILD --prepare FOLDER   (packs the example into FOLDER)
    pack_test.py --list
"""
import argparse
import json
import os
import plistlib
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

import pefile

CASES = {}
JAVA = "java"
ARGS = None
HERE = os.path.dirname(os.path.abspath(__file__))
DESCRIPTION = """# The example application
Name = Hello World
Version = 1.2.0.7
Company = Example Ltd
Copyright = \u00a9 2026 Example Ltd
Description = Hello, the example application
Identifier = com.example.hello
Icon = hello.ico
Main Class = probe.Report
Jars = probes.jar
Minimum Version = 17
Console = also
VM Options = "-Dprobe.one=a b" "-Dprobe.props=probe.one"
"""
STRINGS = {"CompanyName": "Example Ltd", "FileDescription": "Hello, the example application",
           "FileVersion": "1.2.0.7", "InternalName": "Hello World",
           "LegalCopyright": "\u00a9 2026 Example Ltd", "ProductName": "Hello World",
           "ProductVersion": "1.2.0.7"}
WINDOWS = os.path.join("windows", "Hello World")
ARCHIVES = ["Hello World-1.2.0.7-macos.zip", "Hello World-1.2.0.7-windows-x64.zip"]


def case(function):
    CASES[function.__name__] = function
    return function


def png(size, rgb):
    """A square PNG of one colour."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\0" + bytes(rgb + (255,)) * size for _ in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def icon_images(data):
    """The images of a .ico, with their directory entries."""
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    return [(entry[:7], data[entry[7]:entry[7] + entry[6]]) for entry in entries]


def make_icon():
    images = [png(16, (200, 30, 30)), png(32, (30, 30, 200))]
    offset, entries = 6 + 16 * len(images), b""
    for size, image in zip((16, 32), images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images)


def stage(folder, build):
    """The description, its icon and jar, and stripped launchers as a release has them."""
    source = os.path.join(folder, "app")
    launchers = os.path.join(folder, "launchers")
    os.makedirs(source)
    os.makedirs(launchers)
    with open(os.path.join(source, "hello.pack"), "w", encoding="utf-8") as f:
        f.write(DESCRIPTION)
    with open(os.path.join(source, "hello.ico"), "wb") as f:
        f.write(make_icon())
    shutil.copy(os.path.join(build, "tests", "bin", "probes.jar"), source)
    for arch, built in (("x86_64", "jvmhost.exe"), ("i686", os.path.join("win32", "jvmhost32.exe")),
                        ("x86_64", "jvmhostc.exe"), ("i686", os.path.join("win32", "jvmhostc32.exe"))):
        subprocess.run([f"{arch}-w64-mingw32-objcopy", "--strip-all", os.path.join(build, built),
                        os.path.join(launchers, os.path.basename(built))], check=True)
    for built in ("jvmhost-arm64.exe", "jvmhostc-arm64.exe"):
        shutil.copy(os.path.join(build, "zig-aarch64", built), launchers)
    shutil.copy(os.path.join(build, "macstub", "macstub"), launchers)
    # Runtimes that are no Windows x64 runtime: none, one for 32 bits, one for ARM64.
    for runtime, library in (("rt32", os.path.join(build, "tests", "bin", "pe32.dll")),
                             ("arm64", None)):
        os.makedirs(os.path.join(source, runtime, "bin", "server"))
        target = os.path.join(source, runtime, "bin", "server", "jvm.dll")
        if library:
            shutil.copy(library, target)
        else:
            with open(target, "wb") as f:
                f.write(b"MZ" + bytes(58) + struct.pack("<I", 64) + b"PE\0\0\x64\xaa")
    os.makedirs(os.path.join(source, "empty"))
    return source, launchers


def pack(build, source, launchers, output):
    result = subprocess.run([JAVA, "-jar", os.path.join(build, "jvmhost-pack.jar"),
                             os.path.join(source, "hello.pack"), "--launchers", launchers,
                             "--output", output], capture_output=True, text=True, timeout=120)
    return result.returncode, result.stderr


def packed(folder, build):
    source, launchers = stage(folder, build)
    output = os.path.join(folder, "out")
    status, err = pack(build, source, launchers, output)
    expect(status == 0, "the pack succeeds", err)
    return source, launchers, output


def expect(condition, what, seen):
    if not condition:
        raise AssertionError(f"{what}; seen: {seen!r}")


def expect_icon(executable, icon):
    extracted = subprocess.run(["wrestool", "-x", "-t14", executable], capture_output=True,
                               check=True).stdout
    expect(icon_images(extracted) == icon_images(icon), f"{executable}: wrestool finds the icon",
           len(extracted))


def contents(folder):
    """Every file under the folder with its bytes."""
    found = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def resources(pe, kind):
    """The resources of one type, by their number."""
    return {entry.id: pe.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size)
            for t in pe.DIRECTORY_ENTRY_RESOURCE.entries if t.id == kind
            for entry in t.directory.entries for leaf in entry.directory.entries}


def version_texts(pe):
    return {key.decode(): value.decode() for info in pe.FileInfo[0]
            if info.Key == b"StringFileInfo" for entries in info.StringTable
            for key, value in entries.entries.items()}


# What the ARM64 launchers may import: Windows' own DLLs and the API sets of the Universal C
# Runtime, which Windows 10 and 11 have on ARM64 too.
ARM64_IMPORTS = {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "ADVAPI32.dll"} | {
    f"api-ms-win-crt-{part}-l1-1-0.dll" for part in
    ("convert", "environment", "heap", "locale", "math", "private", "runtime", "stdio", "string")}


@case
def arm64_launchers_are_the_x64_ones_for_another_processor(folder, build, prefix):
    for name, x64, subsystem in (("jvmhost-arm64.exe", "jvmhost.exe", 2),
                                 ("jvmhostc-arm64.exe", "jvmhostc.exe", 3)):
        # The x64 launcher of the same toolchain, which the black-box cases run: zig's resource
        # compiler writes a dialog control's class as its number where windres writes its name.
        arm64 = pefile.PE(os.path.join(build, "zig-aarch64", name))
        twin = pefile.PE(os.path.join(build, "zig-x86_64", x64))
        seen = (hex(arm64.FILE_HEADER.Machine), arm64.OPTIONAL_HEADER.Subsystem,
                arm64.sections[-1].Name.rstrip(b"\0"), arm64.OPTIONAL_HEADER.SizeOfStackReserve)
        expect(seen == ("0xaa64", subsystem, b".rsrc", twin.OPTIONAL_HEADER.SizeOfStackReserve),
               f"{name}: ARM64, subsystem {subsystem}, resources last, the x64 stack", seen)
        for kind in (3, 5, 6, 14):
            expect(resources(arm64, kind) == resources(twin, kind),
                   f"{name}: the resources of type {kind} are the x64 launcher's", kind)
        manifest = resources(twin, 24)[1].replace(b'"amd64"', b'"arm64"')
        expect(resources(arm64, 24)[1] == manifest, f"{name}: the manifest says arm64",
               resources(arm64, 24))
        texts = {**version_texts(twin), "OriginalFilename": "jvmhost-arm64.exe"}
        expect(version_texts(arm64) == texts, f"{name}: the version texts", version_texts(arm64))
        imports = {entry.dll.decode() for entry in arm64.DIRECTORY_ENTRY_IMPORT}
        expect(imports <= ARM64_IMPORTS, f"{name} imports only what Windows on ARM has", imports)


@case
def stamped_launchers_hold_the_applications_resources(folder, build, prefix):
    source, launchers, output = packed(folder, build)
    with open(os.path.join(source, "hello.ico"), "rb") as f:
        icon = f.read()
    # Console = also: the console launchers beside the windowed ones, each from its launcher.
    for name, original, architecture in (("Hello World.exe", "jvmhost.exe", "amd64"),
                                         ("Hello World32.exe", "jvmhost32.exe", "x86"),
                                         ("Hello World-arm64.exe", "jvmhost-arm64.exe", "arm64"),
                                         ("Hello World-console.exe", "jvmhostc.exe", "amd64"),
                                         ("Hello World-console32.exe", "jvmhostc32.exe", "x86"),
                                         ("Hello World-console-arm64.exe", "jvmhostc-arm64.exe",
                                          "arm64")):
        stamped = pefile.PE(os.path.join(output, WINDOWS, name))
        subsystem = 3 if "console" in name else 2
        expect(stamped.OPTIONAL_HEADER.Subsystem == subsystem, f"{name}: subsystem {subsystem}",
               stamped.OPTIONAL_HEADER.Subsystem)
        expect(stamped.OPTIONAL_HEADER.CheckSum == stamped.generate_checksum(),
               f"{name}: the checksum is right", hex(stamped.OPTIONAL_HEADER.CheckSum))
        expect(stamped.sections[-1].Name.rstrip(b"\0") == b".rsrc", f"{name}: resources last",
               stamped.sections[-1].Name)
        launcher = pefile.PE(os.path.join(launchers, original))

        for kind in (5, 6):
            expect(resources(stamped, kind) == resources(launcher, kind),
                   f"{name}: the dialogs and strings stay", sorted(resources(stamped, kind)))
        manifest = resources(stamped, 24)[1].decode()
        for part in ('name="com.example.hello" version="1.2.0.7"',
                     f'processorArchitecture="{architecture}"', "Microsoft.Windows.Common-Controls",
                     ">true/pm</dpiAware>", ">true</longPathAware>",
                     "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "<description>Hello, the example"):
            expect(part in manifest, f"{name}: the manifest holds {part}", manifest)
        table = version_texts(stamped)
        expect(table == {**STRINGS, "OriginalFilename": name}, f"{name}: the version texts", table)
        fixed = stamped.VS_FIXEDFILEINFO[0]
        expect((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10002, 0x7),
               f"{name}: the version numbers", (fixed.FileVersionMS, fixed.FileVersionLS))
        expect_icon(os.path.join(output, WINDOWS, name), icon)
    ini = open(os.path.join(output, WINDOWS, "Hello World.ini"), encoding="utf-16").read()
    for line in ("Product Name=Hello World", "Main Class=probe.Report", "Minimum Version=17",
                 "Modern Runtimes=yes", "Class Data Sharing=auto", "Class Path=\\probes.jar",
                 "App User Model ID=com.example.hello", "Pair Product=Hello World32.exe",
                 'Virtual Machine Parameters=""-Dprobe.one=a b" "-Dprobe.props=probe.one""'):
        expect(line in ini.splitlines(), f"the settings file has {line}", ini)
    arm64 = open(os.path.join(output, WINDOWS, "Hello World-arm64.ini"), encoding="utf-16").read()
    expect(arm64.splitlines()[1:] == ini.splitlines()[1:], "the ARM64 twin's settings are the same",
           arm64)
    console = open(os.path.join(output, WINDOWS, "Hello World-console.ini"), encoding="utf-16").read()
    expect("Pair Product=Hello World-console32.exe" in console.splitlines(),
           "the console launcher's pair product is the console one", console)
    companion = open(os.path.join(output, WINDOWS, "Hello World32.ini"), encoding="utf-16").read()
    expect("Main Class=probe.Report" in companion.splitlines() and "Pair Product" not in companion,
           "the companion's settings file names no companion", companion)
    first = contents(output)
    status, err = pack(build, source, launchers, output)
    expect(status == 0 and contents(output) == first, "the same input gives the same bytes", err)


@case
def windows_reads_the_version_and_the_icon(folder, build, prefix):
    _, _, output = packed(folder, build)
    for name in ("Hello World.exe", "Hello World32.exe"):
        result = subprocess.run(
            [os.path.join(HERE, "..", "wine", "wine-run.sh"), prefix,
             os.path.join(build, "tests", "bin", "file_version.exe"),
             os.path.join(output, WINDOWS, name)],
            capture_output=True, timeout=60)
        lines = result.stdout.decode("utf-8").splitlines()
        wanted = ["numbers=1.2.0.7", *[f"{k}={v}" for k, v in
                                       {**STRINGS, "OriginalFilename": name}.items()],
                  "icons=1", "large=32"]
        expect(sorted(lines) == sorted(wanted), f"{name}: what Windows reads", lines)


def make_keystore(folder):
    """A throwaway code-signing key, issued by a throwaway CA (a self-signed certificate is left
    out of the signature as a root would be); the keystore, its password file and the CA."""
    def openssl(*arguments):
        subprocess.run(["openssl", *arguments], check=True, capture_output=True, cwd=folder)
    with open(os.path.join(folder, "code.cnf"), "w") as f:
        f.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature\nextendedKeyUsage=codeSigning\n")
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Test CA",
            "-keyout", "ca.key", "-out", "ca.pem")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=Example Ltd", "-keyout",
            "code.key", "-out", "code.csr")
    openssl("x509", "-req", "-in", "code.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
            "-CAcreateserial", "-days", "2", "-extfile", "code.cnf", "-out", "code.pem")
    openssl("pkcs12", "-export", "-inkey", "code.key", "-in", "code.pem", "-certfile", "ca.pem",
            "-name", "code", "-passout", "pass:secret words", "-out", "code.p12")
    with open(os.path.join(folder, "password.txt"), "w") as f:
        f.write("secret words\n")
    return os.path.join(folder, "ca.pem")


@case
def signing_keeps_what_was_stamped_and_a_signed_launcher_is_refused(folder, build, prefix):
    source, launchers = stage(folder, build)
    ca = make_keystore(source)
    with open(os.path.join(source, "hello.pack"), "a", encoding="utf-8") as f:
        f.write("Sign Keystore = code.p12\nSign Alias = code\nSign Password File = password.txt\n")
    output = os.path.join(folder, "out")
    status, err = pack(build, source, launchers, output)
    expect(status == 0, "the signed pack succeeds", err)
    with open(os.path.join(source, "hello.ico"), "rb") as f:
        icon = f.read()
    with zipfile.ZipFile(os.path.join(output, ARCHIVES[1])) as archive:
        archive.extractall(os.path.join(folder, "unzipped"))
    for name in ("Hello World.exe", "Hello World32.exe"):
        signed = os.path.join(folder, "unzipped", "Hello World", name)
        verified = subprocess.run(["osslsigncode", "verify", "-CAfile", ca, "-in", signed],
                                  capture_output=True, text=True)
        expect(verified.returncode == 0, f"{name} in the archive is signed and verifies",
               verified.stdout + verified.stderr)
        table = version_texts(pefile.PE(signed))
        expect(table == {**STRINGS, "OriginalFilename": name}, f"{name}: still its version", table)
        expect_icon(signed, icon)
    shutil.copy(os.path.join(output, WINDOWS, "Hello World.exe"), os.path.join(launchers, "jvmhost.exe"))
    again = os.path.join(folder, "again")
    status, err = pack(build, source, launchers, again)
    expect((status, err) == (1, f"jvmhost-pack: {launchers}/jvmhost.exe is signed, and stamping it"
                                " would break the signature: stamp the unsigned release executable,"
                                " then sign the result\n"), "the signed launcher is refused", err)
    expect(os.listdir(again) == [], "nothing is written", os.listdir(again))


@case
def bad_input_is_refused_and_nothing_written(folder, build, prefix):
    for argument, status, said in (("--version", 0, "jvmhost-pack 1.0.0\n"),
                                   ("--help", 0, "  Sign Password File\n"), ("--what", 1, "")):
        result = subprocess.run([JAVA, "-jar", os.path.join(build, "jvmhost-pack.jar"), argument],
                                capture_output=True, text=True, timeout=60)
        expect(result.returncode == status and said in result.stdout and
               (status == 0 or "unknown argument --what" in result.stderr),
               f"{argument} ends with {status}", result)
    source, launchers = stage(folder, build)
    output = os.path.join(folder, "out")
    os.makedirs(output)
    with open(os.path.join(output, "Hello World.exe"), "w") as f:
        f.write("an older build")
    description = os.path.join(source, "hello.pack")
    make_keystore(source)
    sign = "Sign Keystore = code.p12\nSign Alias = code\nSign Password File = "
    damaged = bytearray(png(16, (1, 2, 3)))
    damaged[-5] ^= 0xFF
    with open(os.path.join(source, "damaged.png"), "wb") as f:
        f.write(damaged)
    with open(os.path.join(launchers, "jvmhost.exe"), "rb") as f:
        windows = f.read()
    with open(os.path.join(launchers, "macstub"), "rb") as f:
        macstub = f.read()
    # Each row: the description's change, the message, and launchers put in their place (None:
    # taken away) for that row.
    for change, message, *swap in (
            (("Icon = hello.ico", "Icon = probes.jar"),
             f"The icon {source}/probes.jar is not a Windows icon (.ico) or a PNG"),
            (("Version = 1.2.0.7", "Version = 1.2.3"),
             "Version 1.2.3 is not four numbers from 0 to 65535, such as 1.2.0.7"),
            (("Name = Hello World", "Name = Hello/World"),
             "Name Hello/World cannot be a file name: it must not hold < > : \" / \\ | ? * or"
             " control characters, end with a dot or a blank, or be a device name such as CON"
             " (with an extension too: CON.txt)"),
            (("Jars = ", "Windows Runtime = empty\nJars = "),
             f"Windows Runtime {source}/empty holds no bin\\server\\jvm.dll: name the folder of"
             " a Windows Java runtime"),
            (("Jars = ", "Windows Runtime = arm64\nJars = "),
             f"Windows Runtime {source}/arm64 is a runtime for ARM64, not for 64-bit (x64) Windows"),
            (("Jars = ", "Windows Runtime = rt32\nJars = "),
             f"Windows Runtime {source}/rt32 is a runtime for 32-bit (x86), not for 64-bit (x64)"
             " Windows"),
            (("Jars = ", sign.replace("code.p12", "none.p12") + "password.txt\nJars = "),
             f"The keystore {source}/none.p12 cannot be opened: it is not there"),
            (("Jars = ", sign + "ca.pem\nJars = "),
             f"The keystore {source}/code.p12 cannot be opened with the password in"
             f" {source}/ca.pem"),
            (("Console = also", "Console = maybe"), "Console is maybe, not yes, no or also"),
            (("Console = also", "App User Model ID = Hello World"),
             "App User Model ID Hello World must have at most 128 characters and no blanks"),
            (("Name = Hello World", "Name = con.txt"),
             "Name con.txt cannot be a file name: it must not hold < > : \" / \\ | ? * or control"
             " characters, end with a dot or a blank, or be a device name such as CON (with an"
             " extension too: CON.txt)"),
            (("Minimum Version = 17", "Minimum Version = abc"),
             "Minimum Version abc is not a Java version such as 17, 1.8 or 1.6.0_45"),
            (("Main Class = probe.Report", "Main Class = a b;c"),
             "Main Class a b;c is not a Java class name such as com.example.hello.Main"),
            (("Minimum Version = 17", "Minimum Version = 17\nminimum version = 11"),
             f"{description} line 12: minimum version is given on line 11 already"),
            (("Jars = probes.jar", "Jars = probes.jar probes.jar"), "Jars: probes.jar is named twice"),
            (("Description = Hello, the example application", "Description = " + "x" * 40000),
             "Description has 40000 characters; the version information holds at most 4000"),
            (("Icon = hello.ico", "Icon = damaged.png"),
             f"The icon {source}/damaged.png is a damaged PNG: a chunk's checksum is wrong"),
            (("Icon = hello.ico", "Icon = missing.ico"),
             f"The icon {source}/missing.ico cannot be read: it is not there"),
            (("Jars = ", "macOS Runtime = ..\nJars = "),
             f"The runtime {source}/.. holds the output folder {output}: name an output folder"
             " outside it"),
            (("", ""), f"{launchers}/jvmhost32.exe is an executable for amd64; this launcher must"
             " be one for x86", {"jvmhost32.exe": windows}),
            (("", ""), f"{launchers}/jvmhost-arm64.exe is an executable for amd64; this launcher"
             " must be one for arm64", {"jvmhost-arm64.exe": windows}),
            (("", ""), f"{launchers}/macstub is not a macOS executable (a Mach-O file), or is cut"
             " short", {"macstub": macstub[:1000]}),
            (("", ""), f"The launcher {launchers}/jvmhost32.exe cannot be read (name the release's"
             " folder with --launchers)", {"jvmhost32.exe": None})):
        with open(description, "w", encoding="utf-8") as f:
            f.write(DESCRIPTION.replace(*change))
        kept = {}
        for name, replacement in (swap[0] if swap else {}).items():
            path = os.path.join(launchers, name)
            with open(path, "rb") as f:
                kept[path] = f.read()
            os.remove(path)
            if replacement is not None:
                with open(path, "wb") as f:
                    f.write(replacement)
        status, err = pack(build, source, launchers, output)
        for path, data in kept.items():
            with open(path, "wb") as f:
                f.write(data)
        # The keystore's own reason follows its message in brackets.
        said = err.startswith(f"jvmhost-pack: {message} (") if "keystore" in message else (
            err == f"jvmhost-pack: {message}\n")
        expect(status == 1 and said, f"the message for {change[1]}", err)
        expect(contents(output) == {"Hello World.exe": b"an older build"},
               "the output folder stays as it was", sorted(contents(output)))
    # A folder of the user's where an output file goes; an output folder that is a file.
    with open(description, "w", encoding="utf-8") as f:
        f.write(DESCRIPTION)
    in_the_way = os.path.join(output, "Hello World-1.2.0.7-macos.zip")
    os.makedirs(in_the_way)
    with open(os.path.join(in_the_way, "mine.txt"), "w") as f:
        f.write("mine")
    for target, message in ((output, f"{in_the_way} is a folder where the pack writes a file:"
                                     " move it away"),
                            (os.path.join(output, "Hello World.exe"),
                             f"The output folder {output}/Hello World.exe is a file")):
        status, err = pack(build, source, launchers, target)
        expect(status == 1 and err == f"jvmhost-pack: {message}\n", f"the message: {message}", err)
    expect(contents(output) == {"Hello World.exe": b"an older build",
                                os.path.join("Hello World-1.2.0.7-macos.zip", "mine.txt"): b"mine"},
           "the folder in the way stays", sorted(contents(output)))


@case
def the_bundle_is_complete_and_runs_its_application(folder, build, prefix):
    _, _, output = packed(folder, build)
    bundle = os.path.join(output, "macos", "Hello World.app", "Contents")
    info_file = os.path.join(bundle, "Info.plist")
    converted = os.path.join(folder, "Info.bin")
    subprocess.run(["plistutil", "-i", info_file, "-o", converted, "-f", "bin"], check=True)
    with open(converted, "rb") as f:
        info = plistlib.load(f)
    expect({k: info[k] for k in ("CFBundleExecutable", "CFBundleIdentifier", "CFBundleIconFile",
                                 "CFBundleShortVersionString", "CFBundleVersion",
                                 "CFBundlePackageType")}
           == {"CFBundleExecutable": "Hello World", "CFBundleIdentifier": "com.example.hello",
               "CFBundleIconFile": "Hello World.icns", "CFBundleShortVersionString": "1.2.0",
               "CFBundleVersion": "1.2.0.7", "CFBundlePackageType": "APPL"},
           "the bundle keys", info)
    expect(info["Java"] == {"MainClass": "probe.Report", "ClassPath": ["$JAVAROOT/probes.jar"],
                            "VMOptions": ["-Dprobe.one=a b", "-Dprobe.props=probe.one"],
                            "JVMVersion": "17+"}, "the Java dictionary", info["Java"])
    with open(os.path.join(bundle, "Resources", "Hello World.icns"), "rb") as f:
        icns = f.read()
    expect(icns[:4] == b"icns" and struct.unpack(">I", icns[4:8])[0] == len(icns), "an icns file",
           icns[:8])
    sizes, at = {}, 8
    while at < len(icns):
        kind, length = icns[at:at + 4].decode(), struct.unpack(">I", icns[at + 4:at + 8])[0]
        sizes[kind] = struct.unpack(">II", icns[at + 8 + 16:at + 8 + 24])  # the PNG's IHDR
        at += length
    expect(sizes == {"icp4": (16, 16), "icp5": (32, 32), "icp6": (64, 64), "ic07": (128, 128),
                     "ic08": (256, 256), "ic09": (512, 512), "ic10": (1024, 1024)},
           "the icon's sizes", sizes)
    # The Linux build of macstub in the bundle's place finds the runtime installed for its tests.
    executable = os.path.join(bundle, "MacOS", "Hello World")
    shutil.copy(os.path.join(build, "macstub", "tests", "macstub_linux_nolauncher"), executable)
    result = subprocess.run([executable, "one"], capture_output=True, text=True, timeout=60)
    expect(result.returncode == 0 and "arg: one" in result.stdout.splitlines(),
           "the bundle runs its application", (result.stdout, result.stderr))


def maven(project, *arguments):
    """Builds the project offline with the plugin the build installed: its status and output."""
    result = subprocess.run([ARGS.maven, "-B", "-o", f"-Dmaven.repo.local={ARGS.repository}",
                             *arguments], cwd=project, capture_output=True, text=True, timeout=150,
                            env=dict(os.environ, SOURCE_DATE_EPOCH="1767225600"))
    return result.returncode, result.stdout


def unzip_with_modes(archive, folder):
    """Unpacks as a Mac does: the stored modes kept, links made as links."""
    with zipfile.ZipFile(archive) as z:
        for info in z.infolist():
            target, mode = os.path.join(folder, info.filename), info.external_attr >> 16
            os.makedirs(os.path.dirname(target), exist_ok=True)
            if stat.S_ISLNK(mode):
                os.symlink(z.read(info).decode(), target)
            elif not info.is_dir():
                with open(target, "wb") as f:
                    f.write(z.read(info))
                os.chmod(target, stat.S_IMODE(mode))


@case
def the_maven_example_packs_runs_and_repeats(folder, build, prefix):
    mac_runtime = os.path.join(folder, "mac-runtime")
    os.makedirs(os.path.join(mac_runtime, "lib"))
    os.symlink("libjli.dylib", os.path.join(mac_runtime, "lib", "libjli-link.dylib"))
    archives = {}
    for copy, goal in (("first", "package"), ("second", "install")):
        project = os.path.join(folder, copy)
        shutil.copytree(os.path.join(HERE, "..", "..", "examples", "hello-maven"), project)
        status, log = maven(project, goal, f"-Djvmhost.macosRuntime={mac_runtime}",
                            "-Djvmhost.windowsRuntime=" + os.path.join(ARGS.runtimes, "java17"))
        expect(status == 0, f"the {copy} build succeeds", log[-3000:])
        made = os.path.join(project, "target", "jvmhost")
        archives[copy] = {name: open(os.path.join(made, name), "rb").read()
                          for name in os.listdir(made) if name.endswith(".zip")}
    expect(len(archives["first"]) == 2 and archives["first"] == archives["second"],
           "two builds give the same archives", sorted(archives["second"]))
    installed = os.path.join(ARGS.repository, "com", "example", "hello-maven", "1.4-SNAPSHOT")
    for classifier in ("windows-x64", "macos"):
        with open(os.path.join(installed, f"hello-maven-1.4-SNAPSHOT-{classifier}.zip"), "rb") as f:
            expect(f.read() == archives["second"][f"Hello Maven-1.4-SNAPSHOT-{classifier}.zip"],
                   f"the {classifier} archive is attached and installed", classifier)
    target = os.path.join(folder, "second", "target", "jvmhost")
    unzip_with_modes(os.path.join(target, "Hello Maven-1.4-SNAPSHOT-macos.zip"), folder)
    contents_folder = os.path.join(folder, "Hello Maven.app", "Contents")
    expect(os.access(os.path.join(contents_folder, "MacOS", "Hello Maven"), os.X_OK) and
           os.readlink(os.path.join(contents_folder, "runtime", "Contents", "Home", "lib",
                                    "libjli-link.dylib")) == "libjli.dylib",
           "the bundle's executable and the runtime's link survive the archive",
           os.listdir(contents_folder))
    with zipfile.ZipFile(os.path.join(target, "Hello Maven-1.4-SNAPSHOT-windows-x64.zip")) as z:
        z.extractall(folder)
    def windows(path):
        return "Z:" + path.replace("/", "\\")
    with open(os.path.join(folder, "cmdline.txt"), "w", encoding="utf-8") as f:
        f.write(f'"{windows(os.path.join(folder, "Hello Maven", "Hello Maven.exe"))}" --print one')
    report = os.path.join(folder, "report.json")
    ran = subprocess.run([os.path.join(HERE, "..", "wine", "wine-run.sh"), prefix,
                          os.path.join(build, "tests", "bin", "boxwatch.exe"), windows(report),
                          windows(os.path.join(folder, "cmdline.txt")), "60"],
                         capture_output=True, text=True, timeout=90, cwd=folder)
    with open(report, encoding="ascii") as f:
        seen = json.load(f)
    expect((seen["exit"], seen["boxes"]) == (2, []) and
           '{"hello":["--print","one"]}' in ran.stdout.splitlines(),
           "the unzipped folder starts the application on its own runtime", (seen, ran.stdout))
    project = os.path.join(folder, "first")
    shutil.rmtree(os.path.join(project, "target"))
    status, log = maven(project, "package", "-Djvmhost.version=abc")
    expect(status != 0 and "jvmhost: Version abc cannot be made into four numbers" in log and
           not os.path.exists(os.path.join(project, "target", "jvmhost")),
           "a version that is no four numbers fails the build, and nothing is written", log[-3000:])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--build")
    parser.add_argument("--prefix", default="")
    parser.add_argument("--prepare")
    parser.add_argument("--java", default="java")
    parser.add_argument("--maven", default="mvn")
    parser.add_argument("--repository", default="")
    parser.add_argument("--runtimes", default="")
    parser.add_argument("case", nargs="?")
    args = parser.parse_args()
    if args.list:
        print("\n".join(CASES))
        return 0
    global JAVA, ARGS
    JAVA, ARGS = args.java, args
    build = os.path.abspath(args.build)
    with tempfile.TemporaryDirectory(prefix="pack-") as folder:
        try:
            if args.prepare:
                _, _, output = packed(os.path.realpath(folder), build)
                shutil.rmtree(args.prepare, ignore_errors=True)
                shutil.copytree(output, args.prepare, symlinks=True)
            else:
                CASES[args.case](os.path.realpath(folder), build, args.prefix)
        except AssertionError as problem:
            print("FAIL:", problem)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
