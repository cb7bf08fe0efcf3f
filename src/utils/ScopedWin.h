// Tiny owners for Win32 handles: each closes its handle when it goes out of scope and cannot
// be copied (only moved), so a handle never outlives the routine that opened it by accident.
#pragma once
#include <windows.h>

#include <utility>

template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;
    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : h_(h) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Empty())) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, Traits::Empty());
        }
        return *this;
    }

    bool IsValid() const { return Traits::IsValid(h_); }
    Handle Get() const { return h_; }
    Handle Release() { return std::exchange(h_, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty()) {
        if (Traits::IsValid(h_)) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Empty();
};

struct KernelHandleTraits {  // files, processes, threads, events: NULL and INVALID_HANDLE_VALUE are empty
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct GdiObjectTraits {  // fonts, brushes, pens, bitmaps
    using Handle = HGDIOBJ;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct GlobalAtomTraits {
    using Handle = ATOM;
    static Handle Empty() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static void Close(Handle h) { GlobalDeleteAtom(h); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
struct ScreenDCTraits {  // the screen's device context from GetDC(nullptr)
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ReleaseDC(nullptr, h); }
};

using AutoCloseHandle = ScopedHandle<KernelHandleTraits>;
using AutoFindHandle = ScopedHandle<FindHandleTraits>;
using AutoRegKey = ScopedHandle<RegKeyTraits>;
using AutoGdiObject = ScopedHandle<GdiObjectTraits>;
using AutoGlobalAtom = ScopedHandle<GlobalAtomTraits>;
using AutoLibrary = ScopedHandle<LibraryTraits>;
using AutoScreenDC = ScopedHandle<ScreenDCTraits>;
