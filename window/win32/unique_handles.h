#pragma once

#include <windows.h>

#include <memory>

// Owners of the Windows handles the form holds, each released by its own function.
template <auto Release>
struct CallRelease {
    template <class Handle>
    void operator()(Handle* handle) const {
        Release(handle);
    }
};

using UniqueFont = std::unique_ptr<HFONT__, CallRelease<DeleteObject>>;
using UniqueBitmap = std::unique_ptr<HBITMAP__, CallRelease<DeleteObject>>;
using UniqueBrush = std::unique_ptr<HBRUSH__, CallRelease<DeleteObject>>;
using UniqueGlobal = std::unique_ptr<void, CallRelease<GlobalFree>>;
using UniqueHandle = std::unique_ptr<void, CallRelease<CloseHandle>>;
using UniqueFind = std::unique_ptr<void, CallRelease<FindClose>>;

// A window's device context, given back to the window at the end of its scope.
class WindowDc final {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(m_window, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window = nullptr;
    HDC m_dc = nullptr;
};
