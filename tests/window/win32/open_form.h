#pragma once

#include "window/win32/form1.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::wstring_view kDefaultLine =
    LR"(Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0])";

// A shown Form1 on this thread with what a test does to it, as a person's actions would.
class OpenForm final {
public:
    OpenForm();
    ~OpenForm();
    OpenForm(const OpenForm&) = delete;
    OpenForm& operator=(const OpenForm&) = delete;

    HWND form() const { return m_form.Handle(); }
    HWND control(std::u16string_view name) const;

    // Delivers every message waiting for this thread as the program's message loop does.
    void pump() const;
    // Pumps until `condition` holds, for up to five seconds; whether it came to hold.
    bool waitFor(const std::function<bool()>& condition) const;
    // Posts a key press and its release to the focused control, then pumps.
    void press(WORD key) const;
    void click(std::u16string_view name) const;
    // Types `text` into the box after selecting all it holds.
    void type(std::u16string_view name, std::wstring_view text) const;

    // Clicks the copy button over a clipboard holding "untouched": what the clipboard holds
    // afterwards, and the text of the message box the click showed, if it showed one.
    struct Copied {
        std::wstring clipboard;
        std::optional<std::wstring> message;
    };
    Copied copy() const;

    // Drags a data object holding `files` (no file list when empty) from outside the window and
    // drops it on the centre of the control `name`: the effect the window reported.
    DWORD drop(const std::vector<std::wstring>& files, std::u16string_view name = u"Frame1") const;
    // Drops `file` on the frame; true when the window took it.
    bool dropFile(const std::wstring& file) const { return drop({file}) == DROPEFFECT_COPY; }

private:
    Form1 m_form;
};

// The text of a control.
std::wstring TextOf(HWND control);

// The clipboard's Unicode text; "untouched" is put there by OpenForm::copy.
std::wstring ClipboardText();
bool PutClipboardText(std::wstring_view text);

// Runs `action` while a watcher on another thread waits for a message box of this thread,
// reads its text and closes it: that text, if a box was shown.
std::optional<std::wstring> MessageBoxDuring(const std::function<void()>& action);

// A folder of its own under the temporary folder, removed with what it holds.
class TemporaryFolder final {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::wstring path(std::wstring_view name) const { return m_path + L"\\" + std::wstring(name); }
    // Writes the file `name` with `bytes`, and gives its path.
    std::wstring file(std::wstring_view name, const std::vector<unsigned char>& bytes = {}) const;

private:
    std::wstring m_path;
};

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
