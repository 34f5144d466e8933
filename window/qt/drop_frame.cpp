#include "window/qt/drop_frame.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

QString FirstLocalFile(const QMimeData& data) {
    // A uri-list may also hold comments and remote links: skip to the first local file.
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
// was moved may delete it. A source that offers no copy is refused.
bool AcceptAsCopy(QDropEvent& event) {
    if (!event.possibleActions().testFlag(Qt::CopyAction) ||
        FirstLocalFile(*event.mimeData()).isEmpty()) {
        return false;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
}

}  // namespace

DropFrame::DropFrame(QWidget* parent) : QGroupBox(parent) { setAcceptDrops(true); }

void DropFrame::dragEnterEvent(QDragEnterEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dragMoveEvent(QDragMoveEvent* event) { AcceptAsCopy(*event); }

void DropFrame::dropEvent(QDropEvent* event) {
    if (AcceptAsCopy(*event)) {
        emit dropped(*event->mimeData());
    }
}
