#include "tests/window/qt/open_form.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

const QString kDefaultLine = uR"(Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0])"_s;

bool Drop(QWidget* target, const QMimeData& data) {
    // Sent to the window, the drag finds its target as a real one does: the widget under the
    // pointer, or the nearest of its parents that accepts drops.
    QWidget* window = target->window();
    const QPointF point = target->mapTo(window, QRectF(target->rect()).center());
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &drop);
    return true;
}

std::unique_ptr<QMimeData> FileList(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    data->setUrls(urls);
    return data;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray Encoded(const QImage& picture, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, 95);
    return buffer.data();
}

QByteArray Picture(QColor colour, const char* format, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return Encoded(picture, format);
}

OpenForm::OpenForm() {
    QVERIFY(m_folder.isValid());
    QGuiApplication::clipboard()->setText(u"untouched"_s);
    m_form.show();
    m_form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_form));
}

QString OpenForm::copy() {
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    return QGuiApplication::clipboard()->text();
}

bool OpenForm::dropFile(const QString& path) {
    return Drop(control<QWidget>(u"Frame1"_s), *FileList({path}));
}

QImage OpenForm::shownPicture() const { return control<QLabel>(u"Image1"_s)->pixmap().toImage(); }
