#pragma once

#include "tests/window/form_driver.h"
#include "window/qt/text_conversion.h"

#include <QApplication>
#include <QMimeData>
#include <QWidget>

// Drags `data` over the middle of `target` and drops it there, as the platform does, with Shift
// held, which proposes a move, offering the actions that `allowed` names: whether the window
// took it. A window that takes it as anything but a copy ends the test, since a source that sees
// a move may delete the original.
bool Drop(QWidget* target, const QMimeData& data, Allowed allowed = Allowed::CopyMoveOrLink);

// The control named `name` in `window`; the test ends at once when there is none.
template <class Control = QWidget>
Control* Find(std::u16string_view name, const QWidget* window = QApplication::activeWindow()) {
    auto* found = window ? window->findChild<Control*>(ToQString(name)) : nullptr;
    if (!found) {
        qFatal("no control %s", qPrintable(ToQString(name)));
    }
    return found;
}
