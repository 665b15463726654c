#pragma once
// One owner per handle: a move-only wrapper that closes its handle exactly once.
#include <windows.h>

#include <utility>

namespace qm {

template <typename T, auto Close, T Invalid = T{}> class UniqueAny {
  public:
    UniqueAny() = default;
    explicit UniqueAny(T value) : value_(value) {}
    ~UniqueAny() { reset(); }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Invalid; }
    void reset(T value = Invalid) {
        T old = std::exchange(value_, value);
        if (old != Invalid)
            Close(old);
    }
    T release() { return std::exchange(value_, Invalid); }
    // For a call that hands back a new handle through a pointer: the one held so far
    // is closed first, and the new one is owned from the moment the call writes it.
    T* put() {
        reset();
        return &value_;
    }

  private:
    T value_ = Invalid;
};

namespace detail {
inline void CloseHwnd(HWND h) {
    DestroyWindow(h);
}
inline void CloseHkey(HKEY h) {
    RegCloseKey(h);
}
inline void CloseKernelHandle(HANDLE h) {
    CloseHandle(h);
}
inline void CloseHicon(HICON h) {
    DestroyIcon(h);
}
inline void CloseHmenu(HMENU h) {
    DestroyMenu(h);
}
inline void CloseGdiObject(HGDIOBJ h) {
    DeleteObject(h);
}
inline void CloseHhook(HHOOK h) {
    UnhookWindowsHookEx(h);
}
} // namespace detail

using UniqueHwnd = UniqueAny<HWND, detail::CloseHwnd>;
using UniqueHkey = UniqueAny<HKEY, detail::CloseHkey>;
using UniqueHandle = UniqueAny<HANDLE, detail::CloseKernelHandle>;
using UniqueHicon = UniqueAny<HICON, detail::CloseHicon>;
using UniqueHmenu = UniqueAny<HMENU, detail::CloseHmenu>;
using UniqueHfont = UniqueAny<HFONT, detail::CloseGdiObject>;
using UniqueHbrush = UniqueAny<HBRUSH, detail::CloseGdiObject>;
using UniqueHbitmap = UniqueAny<HBITMAP, detail::CloseGdiObject>;
using UniqueHpen = UniqueAny<HPEN, detail::CloseGdiObject>;
using UniqueHhook = UniqueAny<HHOOK, detail::CloseHhook>;

// CreateFile reports a failure as INVALID_HANDLE_VALUE, not null: owned through
// this, a failed open is an empty owner like any other (GetLastError untouched).
inline UniqueHandle OwnFileHandle(HANDLE file) {
    return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

} // namespace qm
