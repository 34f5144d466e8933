#include "tests/window/win32/open_form.h"

#include "tests/window/win32/drag_source.h"
#include "window/win32/controls.h"
#include "window/win32/message_loop.h"
#include "window/win32/text.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

OpenForm::OpenForm() : m_form(GetModuleHandleW(nullptr)) {
    if (!form()) {
        throw std::runtime_error("the form could not be created");
    }
    m_form.Show(SW_SHOWNORMAL);
    if (!waitFor([this] { return GetForegroundWindow() == form(); })) {
        throw std::runtime_error("the form did not become the active window");
    }
}

OpenForm::~OpenForm() {
    // The form ends the message loop when it is destroyed; here the next test's form follows.
    MSG quit{};
    DestroyWindow(form());
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

HWND OpenForm::control(std::u16string_view name) const { return FindControl(form(), name); }

void OpenForm::pump() const {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DeliverMessage(form(), message);
    }
}

bool OpenForm::waitFor(const std::function<bool()>& condition) const {
    for (int tries = 0; tries < 500; ++tries) {
        pump();
        if (condition()) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

void OpenForm::press(WORD key) const {
    const HWND focus = GetFocus();
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, key, static_cast<LPARAM>(1 | scan << 16));
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(1 | scan << 16 | 3u << 30));
    pump();
}

void OpenForm::click(std::u16string_view name) const {
    SendMessageW(control(name), BM_CLICK, 0, 0);
    pump();
}

void OpenForm::type(std::u16string_view name, std::wstring_view text) const {
    const HWND box = control(name);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 0);
    for (const wchar_t c : text) {
        SendMessageW(box, WM_CHAR, c, 0);
    }
    pump();
}

OpenForm::Copied OpenForm::copy() const {
    if (!PutClipboardText(L"untouched")) {
        throw std::runtime_error("the clipboard could not be prepared");
    }
    Copied copied;
    copied.message = MessageBoxDuring([this] { click(u"Command1"); });
    copied.clipboard = ClipboardText();
    return copied;
}

DWORD OpenForm::drop(const std::vector<std::wstring>& files, std::u16string_view name) const {
    RECT target{};
    GetWindowRect(control(name), &target);
    SetCursorPos((target.left + target.right) / 2, (target.top + target.bottom) / 2);
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(DraggedData(files).Get(), DropAtCursor().Get(),
               DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    pump();
    return effect;
}

std::wstring TextOf(HWND control) { return WindowText(control); }

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return L"(the clipboard could not be opened)";
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool PutClipboardText(std::wstring_view text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    text.copy(static_cast<wchar_t*>(GlobalLock(memory)), text.size());
    GlobalUnlock(memory);
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return placed;
}

std::optional<std::wstring> MessageBoxDuring(const std::function<void()>& action) {
    struct Search {
        HWND box = nullptr;
    };
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::optional<std::wstring> text;
    std::thread watcher([&] {
        while (!done) {
            Search search;
            EnumThreadWindows(
                thread,
                [](HWND window, LPARAM found) {
                    wchar_t name[16] = {};
                    GetClassNameW(window, name, 16);
                    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
                        reinterpret_cast<Search*>(found)->box = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.box) {
                // The message's static control has the id 0xFFFF in every message box.
                text = WindowText(GetDlgItem(search.box, 0xFFFF));
                PostMessageW(search.box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    action();
    done = true;
    watcher.join();
    return text;
}

TemporaryFolder::TemporaryFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (unsigned attempt = GetTickCount(); m_path.empty(); ++attempt) {
        const std::filesystem::path candidate = base / (L"karvosel-" + std::to_wstring(attempt));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate.wstring();
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::wstring TemporaryFolder::file(std::wstring_view name,
                                   const std::vector<unsigned char>& bytes) const {
    const std::wstring written = path(name);
    WriteBytes(written, bytes);
    return written;
}

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
