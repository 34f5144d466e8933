#include "tests/window/qt/open_form.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

bool Drop(QWidget* target, const QMimeData& data) {
    // Sent to the window, the drag finds its target as a real one does: the widget under the
    // pointer, or the nearest of its parents that accepts drops.
    QWidget* window = target->window();
    const QPointF point = target->mapTo(window, QRectF(target->rect()).center());
    constexpr Qt::DropActions kOffered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(point.toPoint(), kOffered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDragMoveEvent move(point.toPoint(), kOffered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent drop(point, kOffered, &data, Qt::LeftButton, Qt::ShiftModifier);
    for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
        QApplication::sendEvent(window->windowHandle(), event);
        if (!event->isAccepted() || event->dropAction() != Qt::CopyAction) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<FormDriver> OpenForm() { return std::make_unique<QtForm>(); }

QtForm::QtForm() {
    m_form.show();
    m_form.activateWindow();
    if (!QTest::qWaitForWindowActive(&m_form)) {
        throw std::runtime_error("the window did not open");
    }
}

std::u16string QtForm::text(std::u16string_view name) const {
    if (const auto* box = m_form.findChild<QLineEdit*>(ToQString(name))) {
        return ToU16(box->text());
    }
    return ToU16(control<QLabel>(name)->text());
}

std::u16string QtForm::selectedText(std::u16string_view name) const {
    return ToU16(control<QLineEdit>(name)->selectedText());
}

std::u16string QtForm::focused() const {
    return QApplication::focusWidget() ? ToU16(QApplication::focusWidget()->objectName()) : u"";
}

void QtForm::click(std::u16string_view name) {
    QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
}

void QtForm::doubleClick(std::u16string_view name) {
    QTest::mouseDClick(control<QWidget>(name), Qt::LeftButton);
}

void QtForm::type(std::u16string_view name, std::u16string_view text) {
    auto* box = control<QLineEdit>(name);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, ToQString(text));
}

void QtForm::press(Key key) {
    constexpr Qt::Key kKeys[] = {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_A};
    QTest::keyClick(QApplication::focusWidget(), kKeys[static_cast<int>(key)],
                    key == Key::ControlA ? Qt::ControlModifier : Qt::NoModifier);
}

Copied QtForm::copy(std::optional<Key> key) {
    QGuiApplication::clipboard()->setText(u"untouched"_s);
    key ? press(*key) : click(u"Command1");
    Copied copied{ToU16(QGuiApplication::clipboard()->text()), {}};
    if (auto* message = m_form.findChild<QMessageBox*>()) {
        copied.message = ToU16(message->text());
        delete message;
    }
    return copied;
}

bool QtForm::drop(const std::vector<std::u16string>& files, std::u16string_view name) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::u16string& file : files) {
        urls.append(QUrl::fromLocalFile(ToQString(file)));
    }
    if (!urls.isEmpty()) {
        data.setUrls(urls);
    }
    data.setText(ToQString(files.empty() ? path(u"robot.model") : files.front()));
    return Drop(control<QWidget>(name), data);
}

Pixels QtForm::preview() const {
    const QImage shown =
        control<QLabel>(u"Image1")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(shown.constBits());
    return {shown.width(), shown.height(), {pixels, pixels + shown.width() * shown.height()}};
}

std::pair<int, int> QtForm::previewRoom() const {
    const auto* image = control<QLabel>(u"Image1");
    const QSize room = image->size() * image->devicePixelRatioF();
    return {room.width(), room.height()};
}

std::size_t QtForm::peakBytes() const {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}
