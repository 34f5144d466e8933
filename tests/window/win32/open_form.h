#pragma once

#include "tests/window/form_driver.h"
#include "window/win32/controls.h"
#include "window/win32/desktop.h"
#include "window/win32/form1.h"
#include "window/win32/message_loop.h"
#include "window/win32/text.h"
#include "window/win32/unique_handles.h"

#include <oleacc.h>
#include <shlobj.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using ClipboardFormats = std::vector<std::pair<UINT, std::u16string_view>>;

// The pixels of `bitmap`; none when it is null.
inline Pixels PixelsOf(HBITMAP bitmap) {
    BITMAP shape{};
    if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape)) {
        return {};
    }
    Pixels pixels{shape.bmWidth, shape.bmHeight,
                  std::vector<std::uint32_t>(std::size_t(shape.bmWidth) * shape.bmHeight)};
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof info.bmiHeader, shape.bmWidth, -shape.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const WindowDc screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.rgb.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

// The Windows the form runs on: this one, or with KARVOSEL_WINDOWS=7 one that lacks every
// function newer than Windows 7, as Windows 7 to 8.1 do; high contrast, the fonts and the text
// size are what a test sets. Wine has no file whose data is elsewhere: a test adds such
// attributes to every file's.
class TestDesktop final : public Desktop {
public:
    FARPROC Function(const char* name) const override {
        if (m_windows7) {
            return nullptr;
        }
        const FARPROC function = Desktop::Function(name);
        return function && name == std::string_view("SystemParametersInfoForDpi")
                   ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(ParametersForDpi))
                   : function;
    }
    bool HighContrast() const override { return highContrast; }

    DWORD FileAttributes(const std::wstring& path) const override {
        return Desktop::FileAttributes(path) | addedAttributes;
    }
    DWORD addedAttributes = 0;
    bool Cloaked(HWND window) const override {
        return window == cloaked || Desktop::Cloaked(window);
    }
    HWND cloaked = nullptr;  // as Windows 8 and later keep a closed Start menu's window

    bool highContrast = false;

    ~TestDesktop() override { messageFontPoints = 0; }
    // The faces another Windows lists; none: Wine's own. An -ExtB face, which has none of the
    // common ideographs, is drawn without Chinese glyphs; Wine draws any other listed face in
    // its Chinese one.
    std::vector<std::wstring> ChineseFaces() const override {
        return chineseFaces.value_or(Desktop::ChineseFaces());
    }
    UniqueFont Font(const LOGFONTW& font) const override {
        LOGFONTW drawn = font;
        if (std::wstring_view(drawn.lfFaceName).ends_with(L"-ExtB")) {
            drawn.lfCharSet = ANSI_CHARSET;
        }
        return Desktop::Font(drawn);
    }
    // The message font in points, as bigger text makes it, the Windows 7 way here and the
    // Windows 10 way in ParametersForDpi; 0: Wine's.
    BOOL Parameters(UINT action, UINT size, void* value) const override {
        const WindowDc screen(nullptr);
        return Desktop::Parameters(action, size, value) &&
               Enlarge(action, value, static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSX)));
    }

    std::optional<std::vector<std::wstring>> chineseFaces;
    // One for every desktop: the function that reads it has no desktop to ask.
    static inline int messageFontPoints = 0;

private:
    static BOOL Enlarge(UINT action, void* value, UINT dpi) {
        if (action == SPI_GETNONCLIENTMETRICS && messageFontPoints) {
            static_cast<NONCLIENTMETRICSW*>(value)->lfMessageFont.lfHeight =
                -MulDiv(messageFontPoints, static_cast<int>(dpi), 72);
        }
        return TRUE;
    }
    static BOOL WINAPI ParametersForDpi(UINT action, UINT size, void* value, UINT flags, UINT dpi) {
        using Function = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
        static const auto wine = reinterpret_cast<Function>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
        return wine(action, size, value, flags, dpi) && Enlarge(action, value, dpi);
    }

    const bool m_windows7 = [] {
        const char* windows = std::getenv("KARVOSEL_WINDOWS");
        return windows && std::string_view(windows) == "7";
    }();
};

// Takes Ctrl+A away from the edit box, which selects all by itself under Wine and not on every
// Windows: only the form's own handling can select the path then.
inline LRESULT CALLBACK WithoutOwnSelectAll(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// The Win32 form on this thread, driven through the messages a person's actions produce.
class Win32Form final : public FormDriver {
public:
    Win32Form() : m_form(GetModuleHandleW(nullptr), m_desktop) {
        m_form.Show(SW_SHOWNORMAL);
        // The frame takes drops once the window has painted; this property is how OLE, on
        // Windows as in Wine, marks a registered drop target's window.
        if (!form() || !waitFor([this] {
                return GetForegroundWindow() == form() &&
                       GetPropW(control(u"Frame1"), L"OleDropTargetInterface");
            })) {
            throw std::runtime_error("the form did not open");
        }
        SetWindowSubclass(control(u"Text1"), WithoutOwnSelectAll, 0, 0);
    }

    ~Win32Form() override {
        // The form ends the message loop when it is destroyed; here the next test's form follows.
        DestroyWindow(form());
        MSG quit{};
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    HWND control(std::u16string_view name) const { return FindControl(form(), name); }

    void pump() const {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DeliverMessage(form(), message);
        }
    }

    // Pumps this thread's messages until `condition` holds, for up to kPatience.
    bool waitFor(const std::function<bool()>& condition) const {
        for (const ULONGLONG deadline = GetTickCount64() + kPatience;
             GetTickCount64() < deadline;) {
            pump();
            if (condition()) {
                return true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return false;
    }

    std::u16string text(std::u16string_view name) const override {
        return ToU16(WindowText(control(name)));
    }

    std::u16string selectedText(std::u16string_view name) const override {
        const auto selection = static_cast<DWORD>(SendMessageW(control(name), EM_GETSEL, 0, 0));
        return text(name).substr(LOWORD(selection), HIWORD(selection) - LOWORD(selection));
    }

    std::u16string focused() const override {
        const auto focus = std::ranges::find_if(kFormLayout, [](const ControlSpec& spec) {
            return GetFocus() && GetDlgCtrlID(GetFocus()) == ControlId(spec.name);
        });
        return focus == std::end(kFormLayout) ? u"" : std::u16string(focus->name);
    }

    void click(std::u16string_view name) override {
        SetFocus(control(name));
        SendMessageW(control(name), BM_CLICK, 0, 0);  // edit boxes ignore it
        pump();
    }

    void doubleClick(std::u16string_view name) override {
        for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            SendMessageW(control(name), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                         MAKELPARAM(5, 5));
        }
        pump();
    }

    void type(std::u16string_view name, std::u16string_view text) override {
        const HWND box = control(name);
        SendMessageW(box, EM_SETSEL, 0, -1);
        for (const char16_t c : u"\b" + std::u16string(text)) {  // the selection erased first
            SendMessageW(box, WM_CHAR, c, 0);
        }
        pump();
    }

    void press(Key key) override {
        const HWND focus = GetFocus();
        // A key and the modifier held down with it; the thread's key state says it is held.
        constexpr std::pair<WORD, BYTE> kStrokes[] = {
            {VK_TAB, 0},       {VK_SPACE, 0},     {VK_RETURN, 0},
            {'A', VK_CONTROL}, {'V', VK_CONTROL}, {VK_INSERT, VK_SHIFT},
            {VK_END, 0},       {VK_LEFT, 0},      {'X', 0}};
        const auto [code, modifier] = kStrokes[static_cast<int>(key)];
        BYTE keys[256] = {};
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focus, WM_KEYDOWN, code, 1 | scan);
        PostMessageW(focus, WM_KEYUP, code, 1 | scan | LPARAM{3} << 30);
        pump();
        keys[modifier] = 0;
        SetKeyboardState(keys);
    }

    void copyElsewhere(const std::vector<std::u16string>& files,
                       std::u16string_view text) override {
        const DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};
        std::u16string list(sizeof header / sizeof(char16_t), u'\0');
        std::memcpy(list.data(), &header, sizeof header);
        for (const std::u16string& file : files) {
            list += file + u'\0';
        }
        const auto formats = files.empty()
                                 ? ClipboardFormats{{CF_UNICODETEXT, text}}
                                 : ClipboardFormats{{CF_HDROP, list}, {CF_UNICODETEXT, text}};
        // Each format's units, terminated, replace what the clipboard holds.
        bool placed = OpenClipboard(nullptr) && EmptyClipboard();
        for (const auto& [format, units] : formats) {
            const std::size_t size = (units.size() + 1) * sizeof(char16_t);
            UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
            void* const bytes = memory ? GlobalLock(memory.get()) : nullptr;
            if (bytes) {
                std::memcpy(bytes, units.data(), size - sizeof(char16_t));
                GlobalUnlock(memory.get());
            }
            // The clipboard owns what it took.
            placed = bytes && SetClipboardData(format, memory.get()) && memory.release() && placed;
        }
        CloseClipboard();
        if (!placed) {
            throw std::runtime_error("the copied data could not be put on the clipboard");
        }
    }

    Spoken spoken(std::u16string_view name) override {
        Microsoft::WRL::ComPtr<IAccessible> reader;
        if (FAILED(AccessibleObjectFromWindow(name == u"Form1" ? form() : control(name),
                                              static_cast<DWORD>(OBJID_CLIENT),
                                              IID_PPV_ARGS(&reader)))) {
            throw std::runtime_error("no accessible object");
        }
        VARIANT self{};
        self.vt = VT_I4;  // and CHILDID_SELF, 0
        std::array<BSTR, 2> texts{};
        reader->get_accName(self, &texts[0]);
        reader->get_accDescription(self, &texts[1]);
        const Spoken spoken{ToU16(texts[0] ? texts[0] : L""), ToU16(texts[1] ? texts[1] : L"")};
        std::for_each(texts.begin(), texts.end(), SysFreeString);
        return spoken;
    }

    Pixels preview() const override {
        return PixelsOf(reinterpret_cast<HBITMAP>(
            SendMessageW(control(u"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0)));
    }

    std::pair<int, int> previewRoom() const override {
        RECT room{};
        GetClientRect(control(u"Image1"), &room);
        return {room.right, room.bottom};
    }

    HWND form() const { return m_form.Handle(); }
    TestDesktop& desktop() { return m_desktop; }

    std::u16string clipboardText() const override {
        if (!OpenClipboard(nullptr)) {
            return u"(the clipboard could not be opened)";
        }
        const HANDLE data = GetClipboardData(CF_UNICODETEXT);
        std::u16string text = data ? static_cast<const char16_t*>(GlobalLock(data)) : u"";
        GlobalUnlock(data);
        CloseClipboard();
        return text;
    }

    std::optional<std::u16string> messageDuring(const std::function<void()>& action) override {
        ShownMessage().reset();
        const std::unique_ptr<HHOOK__, CallRelease<UnhookWindowsHookEx>> hook(
            SetWindowsHookExW(WH_CBT, CloseMessageBox, nullptr, GetCurrentThreadId()));
        if (!hook) {
            throw std::runtime_error("message boxes cannot be watched");
        }
        action();
        return ShownMessage();
    }

private:
    // Through OLE, as another program's drag.
    bool dragClipboard(std::u16string_view name, Allowed allowed) override {
        Microsoft::WRL::ComPtr<IDataObject> data;
        if (FAILED(OleGetClipboard(&data))) {
            throw std::runtime_error("the dragged data could not be made");
        }
        RECT target{};
        GetWindowRect(control(name), &target);
        SetCursorPos((target.left + target.right) / 2, (target.top + target.bottom) / 2);
        ImmediateDrop source;
        const auto shown = [this] {
            return std::pair(text(u"Text1"),
                             SendMessageW(control(u"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0));
        };
        const auto before = shown();
        DWORD effect = DROPEFFECT_NONE;
        const DWORD effects = allowed == Allowed::MoveOnly
                                  ? DROPEFFECT_MOVE
                                  : DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        if (FAILED(DoDragDrop(data.Get(), &source, effects, &effect))) {
            throw std::runtime_error("the drag did not start");
        }
        // A file manager waits until the drop returns, so the window reads nothing before.
        if (shown() != before) {
            throw std::runtime_error("the window loaded the drop before the drag ended");
        }
        pump();
        if (effect != DROPEFFECT_NONE && effect != DROPEFFECT_COPY) {
            throw std::runtime_error("the window took a drag as a move or a link");
        }
        return effect == DROPEFFECT_COPY;
    }

    static std::optional<std::u16string>& ShownMessage() {
        static thread_local std::optional<std::u16string> shown;
        return shown;
    }

    // Keeps the text of a message box as it is activated, and closes it.
    static LRESULT CALLBACK CloseMessageBox(int code, WPARAM window, LPARAM info) {
        const auto box = reinterpret_cast<HWND>(window);
        wchar_t type[8] = {};
        if (code == HCBT_ACTIVATE && GetClassNameW(box, type, 8) &&
            type == std::wstring_view(L"#32770")) {
            // The message's static control has the id 0xFFFF in every message box.
            ShownMessage() = ToU16(WindowText(GetDlgItem(box, 0xFFFF)));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, window, info);
    }

    // Lets go of the button at once, over wherever the cursor is.
    class ImmediateDrop final : public IDropSource {
    public:
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
            *object = id == IID_IUnknown || id == IID_IDropSource ? this : nullptr;
            return *object ? S_OK : E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives on the caller's stack
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
            return DRAGDROP_S_DROP;
        }
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
            return DRAGDROP_S_USEDEFAULTCURSORS;
        }
    };

    TestDesktop m_desktop;
    Form1 m_form;
};
