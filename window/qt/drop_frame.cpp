#include "window/qt/drop_frame.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

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

}  // namespace

DropFrame::DropFrame(QWidget* parent) : QGroupBox(parent) { setAcceptDrops(true); }

void DropFrame::dragEnterEvent(QDragEnterEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dragMoveEvent(QDragMoveEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dropEvent(QDropEvent* event) {
    if (const QString path = AcceptAsCopy(*event); !path.isEmpty()) {
        emit dropped(path);
    }
}
