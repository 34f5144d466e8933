#include "window/win32/form1.h"

#include "compose/dropped_path.h"
#include "compose/paste_safety.h"
#include "window/messages.h"
#include "window/win32/check_states.h"
#include "window/win32/clipboard.h"
#include "window/win32/controls.h"
#include "window/win32/frame_control.h"
#include "window/win32/preview_loader.h"
#include "window/win32/text.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace {

constexpr wchar_t kFormClass[] = L"KarvoselForm1";
constexpr wchar_t kIconName[] = L"IDI_ICON1";
// The size is fixed, so there is no maximise button.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// On top from the first paint, not only from the timer's first tick.
constexpr DWORD kFormExtendedStyle = WS_EX_TOPMOST;
// Below the controls' ids, which the layout's timer shares.
constexpr UINT_PTR kTakeDropsTimer = 1;
// Posted for a file that was dropped or pasted.
constexpr UINT kFileTakenMessage = WM_APP;

void RegisterFormClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = windowProc;
    formClass.hInstance = instance;
    formClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, kIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    formClass.hIconSm = static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kFormClass;
    RegisterClassExW(&formClass);
}

// Whether a shown, caption-less topmost window of another thread, as a menu, a tooltip or an
// input method's or a drag's window is, lies above `form` over part of it. Another program's
// always-on-top window has a caption. The taskbar has none and lies above the form after each
// click on it: only a window over the form counts, so that the form still rises above others.
// Windows 8 and later keep the windows of closed system surfaces (Start, the touch keyboard)
// shown but cloaked, drawn nowhere: they do not count either.
bool BelowAnotherThreadsPopup(HWND form, const Desktop& desktop) {
    RECT place{};
    GetWindowRect(form, &place);
    for (HWND above = GetWindow(form, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT popup{};
        RECT overlap{};
        if (IsWindowVisible(above) && GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST &&
            (GetWindowLongPtrW(above, GWL_STYLE) & WS_CAPTION) != WS_CAPTION &&
            GetWindowThreadProcessId(above, nullptr) != GetCurrentThreadId() &&
            GetWindowRect(above, &popup) && IntersectRect(&overlap, &place, &popup) &&
            !desktop.Cloaked(above)) {
            return true;
        }
    }
    return false;
}

// The command prompt a person pastes into inherits the environment this program has, from
// Explorer.
bool IsEnvironmentVariable(std::u16string_view name) {
    return GetEnvironmentVariableW(ToWide(name).c_str(), nullptr, 0) != 0;
}

}  // namespace

Form1::Form1(HINSTANCE instance, const Desktop& desktop) : m_desktop(desktop) {
    RegisterFormClass(instance, WindowProc);
    RegisterFrameClass(instance);
    // Made at its size for the system's DPI, which most new windows open at; its own DPI is
    // known only once it exists on a monitor.
    const UINT systemDpi = m_dpi.System();
    const SIZE systemSize = WindowSize(systemDpi);
    CreateWindowExW(kFormExtendedStyle, kFormClass, L"Karvosel", kFormStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, systemSize.cx, systemSize.cy, nullptr, nullptr, instance, this);
    if (!m_form) {
        return;
    }
    if (const UINT dpi = m_dpi.OfWindow(m_form); dpi != systemDpi) {
        const SIZE size = WindowSize(dpi);
        SetWindowPos(m_form, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The resize may have moved most of the window onto a monitor of yet another DPI.
    const UINT dpi = m_dpi.OfWindow(m_form);
    m_fonts = std::make_unique<FormFonts>(dpi, m_dpi, m_desktop);
    CreateControls(m_form, instance, dpi, *m_fonts, m_desktop);

    const HWND text1 = Control(u"Text1");
    SetWindowSubclass(text1, Text1Proc, 0, reinterpret_cast<DWORD_PTR>(this));
    m_focus = text1;
    Form_Load();
    SetTimer(m_form, static_cast<UINT_PTR>(ControlId(u"Timer1")),
             static_cast<UINT>(SpecOf(u"Timer1").value), nullptr);
}

// A person can drop a file only on a shown window, so the frame takes drops once it is.
void Form1::TakeDrops() {
    KillTimer(m_form, kTakeDropsTimer);
    if (m_dropTarget) {
        return;  // shown again
    }
    m_dropTarget.Attach(new DropTarget([this](const std::wstring& path) { TakeFile(path); }));
    // Without OLE the frame takes no drops, and no previews or pasted files load either.
    if (FAILED(RegisterDragDrop(Control(u"Frame1"), m_dropTarget.Get()))) {
        m_dropTarget.Reset();
    }
}

Form1::~Form1() {
    if (m_form) {
        DestroyWindow(m_form);
    }
}

void Form1::Show(int showCommand) {
    ShowWindow(m_form, showCommand);
    UpdateWindow(m_form);
    // After the first paint, which OLE's start-up and the screen readers' names would delay.
    if (!m_ole) {
        m_ole.emplace();
        m_annotations.emplace(m_form);
    }
    // A timer's message comes after this thread's pending paints, so the milliseconds that
    // registering the drop target takes do not delay the first.
    SetTimer(m_form, kTakeDropsTimer, USER_TIMER_MINIMUM, nullptr);
}

HWND Form1::Control(std::u16string_view name) const { return FindControl(m_form, name); }

// The window size whose client area is the form's at `dpi`.
SIZE Form1::WindowSize(UINT dpi) const {
    return m_dpi.WindowSize(FormClientSize(dpi), kFormStyle, kFormExtendedStyle, dpi);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->m_form = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->m_dpi.ScaleNonClientArea(window);
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->m_form = nullptr;
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTakeDropsTimer) {
                TakeDrops();
            } else {
                Timer1_Timer();
            }
            return 0;
        case DM_GETDEFID:
            return FocusedPushButton();
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_PASTE:
            OnPaste();
            return 0;
        case kFileTakenMessage:
            if (m_takenFile) {
                Frame1_OLEDragDrop(*std::exchange(m_takenFile, std::nullopt));
            }
            return 0;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // The frame follows a switch of high contrast.
            RedrawWindow(m_form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcW(m_form, message, wParam, lParam);
}

void Form1::OnCommand(int id, int notification) {
    struct Command {
        std::u16string_view control;
        int notification;
        void (Form1::*handler)();
    };
    static constexpr std::array<Command, 11> kCommands{{
        {u"Check1", BN_CLICKED, &Form1::Check1_Click},
        {u"Check2", BN_CLICKED, &Form1::Check2_Click},
        {u"Check3", BN_CLICKED, &Form1::Check3_Click},
        {u"Check4", BN_CLICKED, &Form1::Check4_Click},
        {u"Check5", BN_CLICKED, &Form1::Check5_Click},
        {u"Check6", BN_CLICKED, &Form1::Check6_Click},
        {u"Text2", EN_CHANGE, &Form1::Text2_Change},
        {u"Text3", EN_CHANGE, &Form1::Text3_Change},
        {u"Command1", BN_CLICKED, &Form1::Command1_Click},
        {u"Text1", EN_SETFOCUS, &Form1::Text1_GotFocus},
        {u"Image1", STN_DBLCLK, &Form1::Image1_DblClick},
    }};
    for (const Command& command : kCommands) {
        if (ControlId(command.control) == id && command.notification == notification) {
            (this->*command.handler)();
            return;
        }
    }
}

// Each activation gives the focus back to the control that last had it, as a dialog does.
void Form1::OnActivate(bool active) {
    if (!active) {
        if (const HWND focus = GetFocus(); IsChild(m_form, focus)) {
            m_focus = focus;
        }
    } else if (m_focus) {
        SetFocus(m_focus);
    }
}

// As in a dialog, Enter presses the push button that has the focus; nothing is pressed when
// another control has it.
LRESULT Form1::FocusedPushButton() const {
    const HWND focus = GetFocus();
    if (IsChild(m_form, focus) && SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    return 0;
}

void Form1::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // The new fonts are set before the old ones are deleted.
    auto fonts = std::make_unique<FormFonts>(dpi, m_dpi, m_desktop);
    PlaceControls(m_form, dpi, *fonts);
    m_fonts = std::move(fonts);
    const SIZE size = WindowSize(dpi);
    SetWindowPos(m_form, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Files copied in Explorer load as if they were dropped on the frame.
void Form1::OnPaste() {
    Microsoft::WRL::ComPtr<IDataObject> copied;
    if (SUCCEEDED(OleGetClipboard(&copied))) {
        if (const std::optional<std::wstring> file = FirstDroppedFile(*copied.Get())) {
            TakeFile(*file);
        }
    }
}

// The file loads from the window's own queue: the program that dropped it, Explorer among
// them, waits until the drop returns, and a picture may take long to read.
void Form1::TakeFile(const std::wstring& path) {
    m_takenFile = path;
    PostMessageW(m_form, kFileTakenMessage, 0, 0);
}

void Form1::OnDestroy() {
    m_annotations.reset();
    KillTimer(m_form, kTakeDropsTimer);
    KillTimer(m_form, static_cast<UINT_PTR>(ControlId(u"Timer1")));
    if (m_dropTarget) {
        RevokeDragDrop(Control(u"Frame1"));
    }
    RemoveWindowSubclass(Control(u"Text1"), Text1Proc, 0);
    SetPreview(nullptr);
    PostQuitMessage(0);
}

LRESULT CALLBACK Form1::Text1Proc(HWND text1, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR form) {
    if (message == WM_CHAR) {
        reinterpret_cast<Form1*>(form)->Text1_KeyPress(wParam);
    }
    const LRESULT result = DefSubclassProc(text1, message, wParam, lParam);
    // With the focus, the box makes and shows a new caret for each font it is given, as on a
    // move to a monitor of another DPI.
    if (message == WM_SETFONT && GetFocus() == text1) {
        HideCaret(text1);
    }
    return result;
}

void Form1::Form_Load() {
    compose::ControlValues values;
    for (std::size_t i = 0; i < values.checks.size(); ++i) {
        values.checks[i] = CheckValue(static_cast<int>(i) + 1);
    }
    values.width = ToU16(WindowText(Control(u"Text2")));
    values.height = ToU16(WindowText(Control(u"Text3")));
    compose::RefreshAll(m_fragments, values);
}

std::int16_t Form1::CheckValue(int box) const {
    const std::u16string name = u"Check" + std::u16string(1, static_cast<char16_t>(u'0' + box));
    return ToCheckValue(static_cast<WPARAM>(SendMessageW(Control(name), BM_GETCHECK, 0, 0)),
                        kWin32CheckStates);
}

void Form1::RefreshBox(int box) { compose::RefreshFragment(m_fragments, box, CheckValue(box)); }

void Form1::Check1_Click() { RefreshBox(1); }
void Form1::Check2_Click() { RefreshBox(2); }
void Form1::Check3_Click() { RefreshBox(3); }
void Form1::Check4_Click() { RefreshBox(4); }
void Form1::Check5_Click() { RefreshBox(5); }
void Form1::Check6_Click() { RefreshBox(6); }

void Form1::Text2_Change() {
    compose::RefreshWH(m_fragments, ToU16(WindowText(Control(u"Text2"))),
                       ToU16(WindowText(Control(u"Text3"))));
}

void Form1::Text3_Change() { Text2_Change(); }

void Form1::Command1_Click() {
    // The Windows program's line is pasted into a command prompt.
    if (const auto unsafe = compose::FindUnsafeCharacter(m_fragments.modelpath,
                                                         compose::PasteTarget::WindowsCommandPrompt,
                                                         IsEnvironmentVariable)) {
        ShowWarning(UnsafePathMessage(*unsafe));
        return;
    }
    if (!PutOnClipboard(m_form, ToWide(compose::BuildCommandLine(m_fragments)))) {
        ShowWarning(kClipboardFailedMessage);
    }
}

void Form1::Frame1_OLEDragDrop(const std::wstring& path) {
    const compose::DroppedPathParts parts = compose::SplitDroppedPath(ToU16(path), u'\\');
    SetText(Control(u"Label1"), parts.displayname);
    SetText(Control(u"Text1"), parts.fullpath);
    m_fragments.modelpath = parts.fullpath;

    RECT image{};
    GetClientRect(Control(u"Image1"), &image);
    if (UniqueBitmap preview =
            LoadPreview(m_desktop, ToWide(parts.previewpath), {image.right, image.bottom})) {
        SetPreview(std::move(preview));
    }
}

void Form1::Timer1_Timer() {
    // Such a popup is what the person uses; it goes away by itself.
    if (BelowAnotherThreadsPopup(m_form, m_desktop)) {
        return;
    }
    // Without SWP_NOACTIVATE every tick would activate the window, taking the focus from its
    // own message boxes and from whatever the person types into.
    SetWindowPos(m_form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form1::Text1_GotFocus() { HideCaret(Control(u"Text1")); }

void Form1::Text1_KeyPress(WPARAM code) {
    // Code 1 is what Ctrl+A types.
    if (code == 1) {
        const HWND text1 = Control(u"Text1");
        SendMessageW(text1, EM_SETSEL, 0, GetWindowTextLengthW(text1));
    }
}

void Form1::Image1_DblClick() {
    SetText(Control(u"Text2"), u"400");
    SetText(Control(u"Text3"), u"600");
}

void Form1::SetPreview(UniqueBitmap bitmap) {
    // The control may show a copy of a bitmap with alpha; that copy comes back here to delete.
    const auto shown = reinterpret_cast<HBITMAP>(SendMessageW(
        Control(u"Image1"), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
    if (shown && shown != m_preview.get()) {
        DeleteObject(shown);
    }
    m_preview = std::move(bitmap);
}

void Form1::ShowWarning(std::u16string_view text) const {
    MessageBoxW(m_form, ToWide(text).c_str(), L"Karvosel", MB_OK | MB_ICONWARNING);
}
