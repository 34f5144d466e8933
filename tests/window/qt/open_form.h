#pragma once

#include "tests/window/form_driver.h"
#include "window/qt/form1.h"
#include "window/qt/text_conversion.h"

#include <QMimeData>

// Drags `data` over the middle of `target` and drops it there, as the platform does, with Shift
// held, which proposes a move: whether the window took it as a copy all the way, since a source
// that sees a move may delete the original.
bool Drop(QWidget* target, const QMimeData& data);

// The Qt window, driven through Qt Test's input events on the offscreen platform.
class QtForm final : public FormDriver {
public:
    QtForm();

    template <class Control>
    Control* control(std::u16string_view name) const {
        auto* found = m_form.findChild<Control*>(ToQString(name));
        if (!found) {
            qFatal("no control %s", qPrintable(ToQString(name)));
        }
        return found;
    }
    Form1& form() { return m_form; }

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
    Form1 m_form;
};
