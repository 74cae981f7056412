#!/ usr / bin / env python3
"""Writes a header with the names of the JNIEnv function table's slots, in order, read from
the JDK's jni.h: make_slot_names.py JNI_H OUTPUT_H"""
import os
import re
import sys

source = open(sys.argv[1], encoding="utf-8").read()
body = source[source.index("struct JNINativeInterface_ {"):]
body = body[:body.index("};")]
names = re.findall(r"\(JNICALL \*(\w+)\)|void \*(reserved\d)", body)
names = [a or b for a, b in names]
os.makedirs(os.path.dirname(sys.argv[2]), exist_ok=True)
with open(sys.argv[2], "w", encoding="utf-8") as out:
    out.write("// Generated from jni.h: the slots of the JNIEnv function table, in order.\n")
    out.write("static const char* const kJniSlotNames[] = {\n")
    for name in names:
        out.write(f'    "{name}",\n')
    out.write("};\n")
    out.write(f"static const int kJniSlotCount = {len(names)};\n")
