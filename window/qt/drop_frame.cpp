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

DropFrame::DropFrame(QWidget* parent) : QGroupBox(parent) { setAcceptDrops(true); }

void DropFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void DropFrame::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit dropped(*event->mimeData());
}
