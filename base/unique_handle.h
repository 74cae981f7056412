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

// GDI objects: bitmaps, fonts, brushes.
template <typename TObject> struct SGdiObjectTraits
{
    using Type = TObject;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { DeleteObject(value); }
};

// Memory device contexts made with CreateCompatibleDC.
struct SMemoryDcTraits
{
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { DeleteDC(value); }
};

struct SWindowTraits
{
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { DestroyWindow(value); }
};

struct SGlobalMemoryTraits
{
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { GlobalFree(value); }
};

struct SCursorTraits
{
    using Type = HCURSOR;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { DestroyCursor(value); }
};

// A reference to a COM object, released once.
template <typename TInterface> struct SInterfaceTraits
{
    using Type = TInterface*;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { value->Release(); }
};

using CUniqueHandle = CUniqueResource<SKernelHandleTraits>;
using CUniqueFile = CUniqueResource<SFileHandleTraits>;
using CUniqueFind = CUniqueResource<SFindHandleTraits>;
using CUniqueRegistryKey = CUniqueResource<SRegistryKeyTraits>;
using CUniqueMappedView = CUniqueResource<SMappedViewTraits>;
using CUniqueModule = CUniqueResource<SModuleTraits>;
using CUniqueBitmap = CUniqueResource<SGdiObjectTraits<HBITMAP>>;
using CUniqueFont = CUniqueResource<SGdiObjectTraits<HFONT>>;
using CUniqueMemoryDc = CUniqueResource<SMemoryDcTraits>;
using CUniqueWindow = CUniqueResource<SWindowTraits>;
using CUniqueGlobalMemory = CUniqueResource<SGlobalMemoryTraits>;
using CUniqueCursor = CUniqueResource<SCursorTraits>;
template <typename TInterface>
using CUniqueInterface = CUniqueResource<SInterfaceTraits<TInterface>>;

// The device context of a window (of the whole screen for a null window), released again.
class CWindowDc
{
public:
    explicit CWindowDc(HWND hWnd) : m_hWnd(hWnd), m_hDc(GetDC(hWnd)) {}
    ~CWindowDc()
    {
        if (m_hDc != nullptr)
            ReleaseDC(m_hWnd, m_hDc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return m_hDc; }

private:
    HWND m_hWnd;
    HDC m_hDc;
};

// An object selected into a device context until the end of the scope.
class CSelection
{
public:
    CSelection(HDC hDc, HGDIOBJ hObject) : m_hDc(hDc), m_hPrevious(SelectObject(hDc, hObject)) {}
    ~CSelection()
    {
        if (m_hPrevious != nullptr)
            SelectObject(m_hDc, m_hPrevious);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC m_hDc;
    HGDIOBJ m_hPrevious;
};

#endif
