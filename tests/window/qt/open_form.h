#pragma once

#include "window/qt/form1.h"

#include <QImage>
#include <QLabel>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QMimeData;

// The line a fresh window copies.
extern const QString kDefaultLine;

// Sends a drag-enter and, when `target` accepts it, the drop, as the platform does. True when
// the drop was accepted.
bool Drop(QWidget* target, const QMimeData& data);

// A drag's data listing `paths` as local files.
std::unique_ptr<QMimeData> FileList(const QStringList& paths);

void WriteFile(const QString& path, const QByteArray& content);

// `picture` encoded in `format` ("JPG", "PNG").
QByteArray Encoded(const QImage& picture, const char* format);

// A picture of one colour, encoded in `format`.
QByteArray Picture(QColor colour, const char* format = "JPG", QSize size = {64, 48});

// A shown, active window with a scratch folder of its own, and what a person does to it.
class OpenForm final {
public:
    OpenForm();

    template <class Control>
    Control* control(const QString& name) const {
        auto* found = m_form.findChild<Control*>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }

    Form1& form() { return m_form; }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    // Clicks the copy button and gives what the clipboard then holds.
    QString copy();
    // Drops one local file on the drop frame.
    bool dropFile(const QString& path);
    QImage shownPicture() const;

private:
    QTemporaryDir m_folder;
    Form1 m_form;
};
