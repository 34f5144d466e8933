#include "window/win32/clipboard.h"

#include "window/win32/unique_handles.h"

#include <algorithm>
#include <cstring>

namespace {

// Clipboard history, clipboard managers and remote desktop open the clipboard right after each
// change and hold it for a moment, so a copy then waits for it, for up to about a second.
constexpr ULONGLONG kClipboardPatience = 1000;
constexpr ULONGLONG kRetryWait = 20;

// Meanwhile what other programs send the window, a screen reader's questions among them, is
// answered; clicks, keys, timers and drops wait, so that nothing the window does starts in the
// middle of a copy.
bool OpenWhenFree(HWND owner) {
    for (const ULONGLONG deadline = GetTickCount64() + kClipboardPatience;;) {
        if (OpenClipboard(owner)) {
            return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        const auto wait = static_cast<DWORD>(std::min(kRetryWait, deadline - now));
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_SENDMESSAGE) == WAIT_OBJECT_0) {
            MSG sent{};
            PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

class OpenedClipboard final {
public:
    explicit OpenedClipboard(HWND owner) : m_open(OpenWhenFree(owner)) {}
    ~OpenedClipboard() {
        if (m_open) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    explicit operator bool() const { return m_open; }

private:
    bool m_open = false;
};

UniqueGlobal TextInGlobalMemory(std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        return memory;
    }
    void* target = GlobalLock(memory.get());
    if (!target) {
        return nullptr;
    }
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(target)[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    return memory;
}

}  // namespace

bool PutOnClipboard(HWND owner, std::wstring_view text) {
    // The text is ready before the clipboard is emptied: no memory, no change.
    UniqueGlobal memory = TextInGlobalMemory(text);
    const OpenedClipboard clipboard(owner);
    if (!memory || !clipboard || !EmptyClipboard()) {
        return false;
    }
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) {
        return false;
    }
    // The clipboard owns the memory now.
    memory.release();
    return true;
}
