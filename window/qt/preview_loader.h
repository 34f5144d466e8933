#pragma once

#include <QImage>
#include <QSize>

class QString;

// Decodes the picture at `path` straight to `size` device pixels (upright, as its EXIF
// orientation says; the format from its content). A null image when `path` is not a regular
// file or holds no picture that can be read.
QImage LoadPreview(const QString& path, QSize size);
