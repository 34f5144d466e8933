#include "window/qt/drop_frame.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QUrl>

#include <algorithm>
#include <array>

// A uri-list may also hold comments and remote links: they are skipped.
QString FirstLocalFile(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty()) {
            return QDir::toNativeSeparators(path);
        }
    }
    return {};
}

namespace {

// The frame only reads the path, so it answers every drag as a copy: a source told the file
// was moved may delete it. A source that offers no copy is refused. Gives the path taken.
QString AcceptAsCopy(QDropEvent& event) {
    if (!event.possibleActions().testFlag(Qt::CopyAction)) {
        return {};
    }
    const QString path = FirstLocalFile(*event.mimeData());
    if (!path.isEmpty()) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    }
    return path;
}

// Qt tells nothing of a desktop's high-contrast setting; such themes give their windows, fields
// and buttons pure black or pure white, which ordinary themes soften.
bool IsHighContrast(const QPalette& palette) {
    return std::ranges::all_of(std::array{QPalette::Window, QPalette::Base, QPalette::Button},
                               [&](QPalette::ColorRole role) {
                                   const QRgb colour = palette.color(role).rgb() & RGB_MASK;
                                   return colour == 0 || colour == RGB_MASK;
                               });
}

}  // namespace

DropFrame::DropFrame(QWidget* parent) : QGroupBox(parent) { setAcceptDrops(true); }

void DropFrame::dragEnterEvent(QDragEnterEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dragMoveEvent(QDragMoveEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dropEvent(QDropEvent* event) {
    if (const QString path = AcceptAsCopy(*event); !path.isEmpty()) {
        emit dropped(path);
    }
}

// The palette is read at each paint, so the frame follows a switch of the desktop's palette. On
// its own light colour the caption is black whatever the palette: a dark palette's light text
// would not read there.
void DropFrame::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (!IsHighContrast(option.palette)) {
        option.palette.setColor(QPalette::Window, m_colour);
        option.palette.setColor(QPalette::WindowText, Qt::black);
        option.textColor = Qt::black;
    }
    painter.fillRect(rect(), option.palette.window());
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
