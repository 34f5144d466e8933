#include "window/win32/controls.h"

#include "window/win32/check_states.h"
#include "window/win32/fonts.h"
#include "window/win32/frame_control.h"
#include "window/win32/text.h"

#include <algorithm>

namespace {

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

// Every child clips its overlapping neighbours away, so the stacking order decides.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

WindowKind KindOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {kFrameClass, kChild, 0};
        case ControlKind::Image:
            // Stretched to the control's size, and told of double-clicks.
            return {L"STATIC", kChild | SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY, 0};
        case ControlKind::Label:
            // A dropped file's name is shown as it is: an & in it is no mnemonic.
            return {L"STATIC", kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::CheckBox:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::Button:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::Timer:
            break;
    }
    return {nullptr, 0, 0};
}

void CreateControl(const ControlSpec& spec, HWND form, HINSTANCE instance, UINT dpi,
                   const FormFonts& fonts, const Desktop& desktop) {
    const WindowKind kind = KindOf(spec.kind);
    if (!kind.windowClass) {
        return;
    }
    FrameLook look{static_cast<COLORREF>(spec.value), &desktop};
    void* parameter = spec.kind == ControlKind::Frame ? &look : nullptr;
    const PixelRect place = ToPixels(spec.twips, static_cast<int>(dpi));
    const HWND control = CreateWindowExW(
        kind.extendedStyle, kind.windowClass, ToWide(spec.caption).c_str(), kind.style, place.left,
        place.top, place.width, place.height, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(spec.name))), instance, parameter);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Of(spec.font)), FALSE);
    if (spec.kind == ControlKind::CheckBox) {
        SendMessageW(control, BM_SETCHECK, ToCheckState(spec.value, kWin32CheckStates), 0);
    }
}

}  // namespace

const ControlSpec& SpecOf(std::u16string_view name) {
    return *std::find_if(kFormLayout.begin(), kFormLayout.end(),
                         [name](const ControlSpec& spec) { return spec.name == name; });
}

int ControlId(std::u16string_view name) {
    // Clear of IDOK and IDCANCEL, which Enter and Escape send to the form.
    constexpr int kFirstId = 100;
    return kFirstId + static_cast<int>(&SpecOf(name) - kFormLayout.data());
}

HWND FindControl(HWND form, std::u16string_view name) { return GetDlgItem(form, ControlId(name)); }

void CreateControls(HWND form, HINSTANCE instance, UINT dpi, const FormFonts& fonts,
                    const Desktop& desktop) {
    for (const ControlSpec* spec : TabOrder()) {
        CreateControl(*spec, form, instance, dpi, fonts, desktop);
    }
    for (const ControlSpec& spec : kFormLayout) {
        if (spec.tabIndex == kNoTabIndex) {
            CreateControl(spec, form, instance, dpi, fonts, desktop);
        }
    }
}

void PlaceControls(HWND form, UINT dpi, const FormFonts& fonts) {
    for (const ControlSpec& spec : kFormLayout) {
        if (const HWND control = FindControl(form, spec.name)) {
            const PixelRect place = ToPixels(spec.twips, static_cast<int>(dpi));
            SetWindowPos(control, nullptr, place.left, place.top, place.width, place.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Of(spec.font)), TRUE);
        }
    }
}

SIZE FormClientSize(UINT dpi) {
    const PixelRect client = ToPixels(kFormClientTwips, static_cast<int>(dpi));
    return {client.width, client.height};
}
