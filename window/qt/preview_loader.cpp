#include "window/qt/preview_loader.h"

#include <QFileInfo>
#include <QImageReader>

QImage LoadPreview(const QString& path, QSize size) {
    // Opening a FIFO or a device would block the window, so only regular files are read.
    if (size.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // The scaled size applies before the EXIF rotation.
    if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) {
        size.transpose();
    }
    // Decoding at the shown size keeps large pictures fast and small in memory.
    reader.setScaledSize(size);
    return reader.read();
}
