#include "window/win32/frame_control.h"

#include "window/win32/text.h"

namespace {

// Extra window bytes: the background colour, the desktop asked about high contrast, then the
// font that WM_SETFONT gave.
constexpr int kColourSlot = 0;
constexpr int kDesktopSlot = sizeof(LONG_PTR);
constexpr int kFontSlot = 2 * sizeof(LONG_PTR);

class PaintSession final {
public:
    explicit PaintSession(HWND window) : m_window(window) { BeginPaint(window, &m_paint); }
    ~PaintSession() { EndPaint(m_window, &m_paint); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC Dc() const { return m_paint.hdc; }

private:
    HWND m_window = nullptr;
    PAINTSTRUCT m_paint{};
};

void Paint(HWND frame) {
    const PaintSession paint(frame);
    const HDC dc = paint.Dc();
    const auto* desktop = reinterpret_cast<const Desktop*>(GetWindowLongPtrW(frame, kDesktopSlot));
    const auto colour = desktop->HighContrast()
                            ? GetSysColor(COLOR_WINDOW)
                            : static_cast<COLORREF>(GetWindowLongPtrW(frame, kColourSlot));
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(frame, kFontSlot));
    const HGDIOBJ previousFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));

    RECT client{};
    GetClientRect(frame, &client);
    SetDCBrushColor(dc, colour);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    const std::wstring caption = WindowText(frame);
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT border = client;
    border.top = text.cy / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);

    // The caption interrupts the top edge, with a little of the background on either side.
    const int inset = text.cy / 2;
    const int gap = text.cy / 6;
    RECT label{inset, 0, inset + text.cx + 2 * gap, text.cy};
    SetBkColor(dc, colour);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutW(dc, inset + gap, 0, ETO_OPAQUE | ETO_CLIPPED, &label, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
    SelectObject(dc, previousFont);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* look = static_cast<const FrameLook*>(
                reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(frame, kColourSlot, static_cast<LONG_PTR>(look->colour));
            SetWindowLongPtrW(frame, kDesktopSlot, reinterpret_cast<LONG_PTR>(look->desktop));
            break;
        }
        case WM_SETFONT:
            SetWindowLongPtrW(frame, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) {
                InvalidateRect(frame, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(frame, kFontSlot);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(frame);
            return 0;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

}  // namespace

void RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.cbWndExtra = 3 * sizeof(LONG_PTR);
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassExW(&frameClass);
}
