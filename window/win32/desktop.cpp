#include "window/win32/desktop.h"

#include "window/win32/unique_handles.h"

#include <dwmapi.h>

namespace {

// `function` as the type it is declared with, from the pointer GetProcAddress gives.
template <class Function>
Function As(FARPROC function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

UINT SystemDpi(const Desktop& desktop) {
    if (const auto forSystem = As<UINT(WINAPI*)()>(desktop.Function("GetDpiForSystem"))) {
        return forSystem();
    }
    const WindowDc screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSX));
}

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::vector<std::wstring>*>(faces)->emplace_back(font->lfFaceName);
    return 1;
}

}  // namespace

FARPROC Desktop::Function(const char* name) const {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

bool Desktop::HighContrast() const {
    HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           contrast.dwFlags & HCF_HIGHCONTRASTON;
}

std::vector<std::wstring> Desktop::ChineseFaces() const {
    LOGFONTW query{};
    query.lfCharSet = GB2312_CHARSET;
    std::vector<std::wstring> faces;
    const WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.Get(), &query, AddFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

UniqueFont Desktop::Font(const LOGFONTW& font) const {
    return UniqueFont(CreateFontIndirectW(&font));
}

BOOL Desktop::Parameters(UINT action, UINT size, void* value) const {
    return SystemParametersInfoW(action, size, value, 0);
}

DWORD Desktop::FileAttributes(const std::wstring& path) const {
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return INVALID_FILE_ATTRIBUTES;
    }
    const UniqueFind searched(search);
    return found.dwFileAttributes;
}

bool Desktop::Cloaked(HWND window) const {
    DWORD cloaked = 0;
    return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked;
}

DpiFunctions::DpiFunctions(const Desktop& desktop)
    : m_desktop(desktop),
      m_forWindow(As<ForWindow>(desktop.Function("GetDpiForWindow"))),
      m_scaleNonClient(As<ScaleNonClient>(desktop.Function("EnableNonClientDpiScaling"))),
      m_adjustForDpi(As<AdjustForDpi>(desktop.Function("AdjustWindowRectExForDpi"))),
      m_parametersForDpi(As<ParametersForDpi>(desktop.Function("SystemParametersInfoForDpi"))),
      m_system(SystemDpi(desktop)) {}

void DpiFunctions::ScaleNonClientArea(HWND window) const {
    if (m_scaleNonClient) {
        m_scaleNonClient(window);
    }
}

UINT DpiFunctions::OfWindow(HWND window) const {
    return m_forWindow ? m_forWindow(window) : m_system;
}

SIZE DpiFunctions::WindowSize(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi) const {
    RECT frame{0, 0, client.cx, client.cy};
    if (m_adjustForDpi) {
        m_adjustForDpi(&frame, style, FALSE, extendedStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

LOGFONTW DpiFunctions::MessageFont(UINT dpi) const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (m_parametersForDpi) {
        m_parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    } else if (m_desktop.Parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics)) {
        // The classic function answers at the system's DPI.
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight,
                                                static_cast<int>(dpi), static_cast<int>(m_system));
    }
    return metrics.lfMessageFont;
}
