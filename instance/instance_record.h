// The record a first instance shares with later starts of the same executable, and the
// argument area in it that carries a later start's arguments.
#ifndef JVMHOST_INSTANCE_RECORD_H
#define JVMHOST_INSTANCE_RECORD_H

#include <windows.h>

#include <string>

#include "base/argument_list.h"

const size_t kInstanceArgumentAreaSize = 1040;

struct InstanceRecord
{
    DWORD dwListenerThreadId;
    DWORD dwProcessId;
    UINT uMessage;
    unsigned char abArguments[kInstanceArgumentAreaSize];
};

static_assert(sizeof(InstanceRecord) == 1052, "the record is shared with other builds");

// The name of the shared objects and of the registered message: the executable's path with
// every backslash made an underscore, nothing else changed; for a path of more than 240
// characters, a name made from its hash, because a registered message's name may have 255 at
// the most and an object's name, with its prefix and suffix, MAX_PATH.
std::wstring GetInstanceObjectName(const std::wstring& modulePath);

// Packs the arguments into the area: each in UTF-8 (ASCII byte for byte; an empty one as the
// byte 0xFF, which UTF-8 never holds) with a zero byte after it, and one more zero byte at the
// end; the rest of the area is zero. False, with the area untouched, when they need more than
// its size.
bool WriteInstanceArguments(const CArgumentList& arguments, unsigned char* pArea);

// The arguments of the area; no arguments at all read as one empty argument.
void ReadInstanceArguments(const unsigned char* pArea, CArgumentList& arguments);

// What a request's message carries beside the requester's thread: a hash of the area and that
// thread, so that the listener takes the area only for the request that wrote it.
DWORD HashInstanceRequest(const unsigned char* pArea, DWORD requesterThreadId);

#endif
