#include "window/win32/clipboard.h"

#include "window/win32/unique_handles.h"

#include <cstring>

namespace {

class OpenedClipboard final {
public:
    explicit OpenedClipboard(HWND owner) : m_open(OpenClipboard(owner)) {}
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
