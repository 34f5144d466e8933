#pragma once

#include "window/win32/unique_handles.h"

#include <windows.h>

#include <string>
#include <vector>

// What the program asks of the Windows it runs on that differs between versions and settings:
// functions newer than Windows 7, found at run time, whether high contrast is on, the fonts
// installed, the message font and what the file system says of a file. A test answers for
// another Windows by overriding it.
class Desktop {
public:
    Desktop() = default;
    virtual ~Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The function `name` of user32, which the program imports; null where this Windows lacks it.
    virtual FARPROC Function(const char* name) const;
    virtual bool HighContrast() const;

    // The fonts and the text size differ with the language and a person's settings, which Wine
    // cannot show: it lists no Microsoft YaHei, and its message font keeps one size.
    // The faces with Simplified Chinese glyphs as GDI names and lists them, vertical ones too.
    virtual std::vector<std::wstring> ChineseFaces() const;
    virtual UniqueFont Font(const LOGFONTW& font) const;
    // SystemParametersInfoW, which answers at the system's DPI.
    virtual BOOL Parameters(UINT action, UINT size, void* value) const;

    // Marks of a file whose data is not on this computer, such as a cloud file not yet
    // downloaded, which a read fetches first; mingw-w64's headers lack the names of the first two.
    static constexpr DWORD kRecallOnOpen = 0x00040000;
    static constexpr DWORD kRecallOnDataAccess = 0x00400000;
    static constexpr DWORD kDataElsewhere =
        kRecallOnOpen | kRecallOnDataAccess | FILE_ATTRIBUTE_OFFLINE;
    // The attributes of the file at `path` as its folder lists them, without opening it; the
    // only place Windows reports recall-on-open, whose bit GetFileAttributesW gives another
    // meaning (extended attributes).
    virtual DWORD FileAttributes(const std::wstring& path) const;
    // Whether the shown `window` is cloaked, drawn nowhere; never on Windows 7, which has no
    // cloaking.
    virtual bool Cloaked(HWND window) const;
};

// The per-monitor DPI functions of Windows 10 1607 and later, looked up once. Older Windows run
// the program aware of the system's DPI alone, as its manifest asks: there every window has the
// system's DPI, and the classic functions give its sizes and fonts.
class DpiFunctions final {
public:
    explicit DpiFunctions(const Desktop& desktop);

    UINT System() const { return m_system; }
    // Has the title bar and borders of `window` follow its DPI, which they do by themselves from
    // Windows 10 1703; on 1607 they must be asked to, as the window is created (WM_NCCREATE).
    void ScaleNonClientArea(HWND window) const;
    UINT OfWindow(HWND window) const;
    // The size of a window of `style` whose client area is `client` at `dpi`.
    SIZE WindowSize(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi) const;
    // The font of message boxes at `dpi`.
    LOGFONTW MessageFont(UINT dpi) const;

private:
    using ForWindow = UINT(WINAPI*)(HWND);
    using ScaleNonClient = BOOL(WINAPI*)(HWND);
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

    const Desktop& m_desktop;
    const ForWindow m_forWindow;
    const ScaleNonClient m_scaleNonClient;
    const AdjustForDpi m_adjustForDpi;
    const ParametersForDpi m_parametersForDpi;
    const UINT m_system;
};
