#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// A picture as 0xAARRGGBB, top row first; the alpha byte means nothing.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};

// How long a check waits for what it expects, in milliseconds: the bound only decides how long a
// failing check takes.
inline constexpr int kPatience = 20000;

// The drivers index by it.
enum class Key { Tab, Space, Return, ControlA, ControlV, ShiftInsert, End, Left, X };

// What a drag's source lets the target do with what it drags.
enum class Allowed { CopyMoveOrLink, MoveOnly };

// What a screen reader says of a control.
struct Spoken {
    std::u16string name;
    std::u16string description;
};

// What the clipboard holds after a copy over "untouched", and the message the copy showed.
struct Copied {
    std::u16string clipboard;
    std::optional<std::u16string> message;
};

// A shown, active window of either front end with a scratch folder of its own, and what a
// person does to it and sees of it. Controls go by their names in the layout table.
class FormDriver {
public:
    FormDriver() {
        const auto temporary = std::filesystem::temp_directory_path();
        do {
            m_folder = temporary / ("karvosel-" + std::to_string(std::random_device()()));
        } while (!std::filesystem::create_directory(m_folder));
    }
    virtual ~FormDriver() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    // The native path of `name` in the scratch folder; a `/` in it separates folders.
    std::u16string path(std::u16string_view name) const {
        return (m_folder / name).make_preferred().u16string();
    }
    std::u16string write(std::u16string_view name, const std::string& bytes) const {
        const std::u16string written = path(name);
        std::filesystem::create_directories(std::filesystem::path(written).parent_path());
        std::ofstream(std::filesystem::path(written), std::ios::binary) << bytes;
        return written;
    }

    virtual std::u16string text(std::u16string_view control) const = 0;
    virtual std::u16string selectedText(std::u16string_view control) const = 0;
    virtual std::u16string focused() const = 0;
    // Clicks the middle of the control.
    virtual void click(std::u16string_view control) = 0;
    virtual void doubleClick(std::u16string_view control) = 0;
    // Replaces what the box holds with `text`, typed.
    virtual void type(std::u16string_view box, std::u16string_view text) = 0;
    // Presses `key` in the focused control.
    virtual void press(Key key) = 0;
    // Clicks the copy button, or presses `key` in the focused control, over a clipboard that
    // holds "untouched".
    Copied copy(std::optional<Key> key = std::nullopt) {
        copyElsewhere({}, u"untouched");
        const std::optional<std::u16string> message =
            messageDuring([&] { key ? press(*key) : click(u"Command1"); });
        return {clipboardText(), message};
    }
    // Puts `files` on the clipboard as a file manager copies them, with `text`, or `text` alone
    // when there are none.
    virtual void copyElsewhere(const std::vector<std::u16string>& files,
                               std::u16string_view text) = 0;
    // Drags `files` (as a file list, with the first one's name as text too) or, when empty, only a
    // text naming a file, from another program onto `control`: whether the window took it. A
    // window that takes a drag as anything but a copy ends the test: a source told that its file
    // moved may delete it.
    bool drop(const std::vector<std::u16string>& files, std::u16string_view control = u"Frame1",
              Allowed allowed = Allowed::CopyMoveOrLink) {
        copyElsewhere(files, files.empty() ? path(u"robot.model") : files.front());
        return dragClipboard(control, allowed);
    }

    // What the platform's accessibility interface reports of `control`, or of the window itself.
    virtual Spoken spoken(std::u16string_view control) = 0;

    virtual Pixels preview() const = 0;
    // The preview's size on screen, in device pixels.
    virtual std::pair<int, int> previewRoom() const = 0;

protected:
    virtual std::u16string clipboardText() const = 0;
    // Runs `action`, closing at once any message box it shows: that box's text, if one was shown.
    virtual std::optional<std::u16string> messageDuring(const std::function<void()>& action) = 0;
    // Drags what the clipboard offers onto `control`, as another program would: whether the
    // window took it, as drop() says.
    virtual bool dragClipboard(std::u16string_view control, Allowed allowed) = 0;

private:
    std::filesystem::path m_folder;
};

std::unique_ptr<FormDriver> OpenForm();
