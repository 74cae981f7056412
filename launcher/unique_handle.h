// Small owners for the system resources the launcher opens: each closes its resource when it
// goes out of scope, on every path, and can be moved but not copied.
#ifndef JVMHOST_UNIQUE_HANDLE_H
#define JVMHOST_UNIQUE_HANDLE_H

#include <windows.h>

template <typename TTraits> class CUniqueResource
{
public:
    using Type = typename TTraits::Type;

    CUniqueResource() : m_value(TTraits::Invalid()) {}
    explicit CUniqueResource(Type value) : m_value(value) {}
    ~CUniqueResource() { Reset(); }

    CUniqueResource(const CUniqueResource&) = delete;
    CUniqueResource& operator=(const CUniqueResource&) = delete;
    CUniqueResource(CUniqueResource&& other) noexcept : m_value(other.Release()) {}
    CUniqueResource& operator=(CUniqueResource&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Type Get() const { return m_value; }
    bool IsValid() const { return m_value != TTraits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Gives up ownership without closing.
    Type Release()
    {
        const Type value = m_value;
        m_value = TTraits::Invalid();
        return value;
    }

    // Closes what is owned now and takes value instead.
    void Reset(Type value = TTraits::Invalid())
    {
        if (m_value != TTraits::Invalid())
            TTraits::Close(m_value);
        m_value = value;
    }

    // For functions that hand a resource back through a pointer; what was owned is closed.
    Type* Receive()
    {
        Reset();
        return &m_value;
    }

private:
    Type m_value;
};

// Kernel objects whose absence is null: threads, processes, events, file mappings.
struct SKernelHandleTraits
{
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { CloseHandle(value); }
};

// Files, whose absence is INVALID_HANDLE_VALUE.
struct SFileHandleTraits
{
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { CloseHandle(value); }
};

struct SFindHandleTraits
{
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { FindClose(value); }
};

struct SRegistryKeyTraits
{
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { RegCloseKey(value); }
};

struct SMappedViewTraits
{
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { UnmapViewOfFile(value); }
};

struct SModuleTraits
{
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { FreeLibrary(value); }
};

using CUniqueHandle = CUniqueResource<SKernelHandleTraits>;
using CUniqueFile = CUniqueResource<SFileHandleTraits>;
using CUniqueFind = CUniqueResource<SFindHandleTraits>;
using CUniqueRegistryKey = CUniqueResource<SRegistryKeyTraits>;
using CUniqueMappedView = CUniqueResource<SMappedViewTraits>;
using CUniqueModule = CUniqueResource<SModuleTraits>;

#endif
