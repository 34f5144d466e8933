// The floor for the Windows program's start-up: the least a Win32 program shows, one label in
// a window of the form's size, in the Chinese face the form finds for its captions.
#include "window/layout_table.h"
#include "window/win32/controls.h"
#include "window/win32/fonts.h"
#include "window/win32/unique_handles.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    constexpr wchar_t kClass[] = L"KarvoselFloor";
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClass;
    const SIZE client = FormClientSize(96);
    RECT frame{0, 0, client.cx, client.cy};
    if (!RegisterClassExW(&windowClass) || !AdjustWindowRect(&frame, kStyle, FALSE)) {
        return 1;
    }
    const HWND window = CreateWindowExW(0, kClass, L"Floor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                        nullptr, instance, nullptr);
    const PixelRect place = ToPixels(SpecOf(u"Label2").twips);
    const HWND label =
        CreateWindowExW(0, L"STATIC", L"模型名：", WS_CHILD | WS_VISIBLE, place.left, place.top,
                        place.width, place.height, window, nullptr, instance, nullptr);
    if (!label) {
        return 1;
    }
    const FontSpec& spec = FontOf(FontRole::Font1);
    const Desktop desktop;
    const UniqueFont font = LayoutFont(spec, ChineseFace(spec, desktop), 96, desktop);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ShowWindow(window, showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
