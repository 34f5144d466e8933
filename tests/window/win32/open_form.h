#pragma once

#include "tests/window/form_driver.h"
#include "window/win32/form1.h"

#include <windows.h>

#include <functional>

// The Win32 form on this thread, driven through the messages a person's actions produce.
class Win32Form final : public FormDriver {
public:
    Win32Form();
    ~Win32Form() override;

    HWND form() const { return m_form.Handle(); }
    HWND control(std::u16string_view name) const;
    // Pumps this thread's messages until `condition` holds, for up to five seconds.
    bool waitFor(const std::function<bool()>& condition) const;

    std::u16string text(std::u16string_view control) const override;
    std::u16string selectedText(std::u16string_view control) const override;
    std::u16string focused() const override;
    void click(std::u16string_view control) override;
    void doubleClick(std::u16string_view control) override;
    void type(std::u16string_view box, std::u16string_view text) override;
    void press(Key key) override;
    Copied copy(std::optional<Key> key) override;
    bool drop(const std::vector<std::u16string>& files, std::u16string_view control) override;
    Pixels preview() const override;
    std::pair<int, int> previewRoom() const override;
    std::size_t peakBytes() const override;

private:
    void pump() const;

    Form1 m_form;
};

std::u16string ClipboardText();
using ClipboardFormats = std::vector<std::pair<UINT, std::u16string_view>>;
// Replaces what the clipboard holds with each format's units, terminated: whether it could.
bool PutClipboard(const ClipboardFormats& formats);

// Runs `action`, closing at once any message box it shows: that box's text, if one was shown.
std::optional<std::u16string> MessageBoxDuring(const std::function<void()>& action);
