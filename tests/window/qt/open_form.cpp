#include "tests/window/qt/open_form.h"
#include "window/qt/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

bool Drop(QWidget* target, const QMimeData& data, Allowed allowed) {
    // Sent to the window, the drag finds its target as a real one does: the widget under the
    // pointer, or the nearest of its parents that accepts drops.
    QWidget* window = target->window();
    const QPointF point = target->mapTo(window, QRectF(target->rect()).center());
    const Qt::DropActions offered = allowed == Allowed::MoveOnly
                                        ? Qt::MoveAction
                                        : Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(point.toPoint(), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDragMoveEvent move(point.toPoint(), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent drop(point, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
        QApplication::sendEvent(window->windowHandle(), event);
        if (!event->isAccepted()) {
            return false;  // as a platform does, a refused drag goes no further
        }
        if (event->dropAction() != Qt::CopyAction) {
            throw std::runtime_error("the window took a drag as a move or a link");
        }
    }
    return true;
}

namespace {

// The Qt window, driven through Qt Test's input events on the offscreen platform.
class QtForm final : public FormDriver {
public:
    QtForm() {
        m_form.show();
        m_form.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_form, kPatience)) {
            throw std::runtime_error("the window did not open");
        }
    }

    std::u16string text(std::u16string_view name) const override {
        return ToU16(Find(name, &m_form)->property("text").toString());  // a label's or a box's
    }
    std::u16string selectedText(std::u16string_view name) const override {
        return ToU16(Find<QLineEdit>(name, &m_form)->selectedText());
    }
    std::u16string focused() const override {
        return QApplication::focusWidget() ? ToU16(QApplication::focusWidget()->objectName()) : u"";
    }
    void click(std::u16string_view name) override {
        QTest::mouseClick(Find(name, &m_form), Qt::LeftButton);
    }
    void doubleClick(std::u16string_view name) override {
        QTest::mouseDClick(Find(name, &m_form), Qt::LeftButton);
    }
    void type(std::u16string_view name, std::u16string_view text) override {
        auto* box = Find<QLineEdit>(name, &m_form);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, ToQString(text));
    }
    void press(Key key) override {
        constexpr std::pair<Qt::Key, Qt::KeyboardModifier> kKeys[] = {
            {Qt::Key_Tab, Qt::NoModifier},    {Qt::Key_Space, Qt::NoModifier},
            {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
            {Qt::Key_End, Qt::NoModifier},    {Qt::Key_Left, Qt::NoModifier},
            {Qt::Key_X, Qt::NoModifier}};
        const auto [code, modifier] = kKeys[static_cast<int>(key)];
        QTest::keyClick(QApplication::focusWidget(), code, modifier);
    }
    void copyElsewhere(const std::vector<std::u16string>& files,
                       std::u16string_view text) override {
        auto* data = new QMimeData;  // the clipboard owns it
        QList<QUrl> urls;
        for (const std::u16string& file : files) {
            urls.append(QUrl::fromLocalFile(ToQString(file)));
        }
        if (!urls.isEmpty()) {
            data->setUrls(urls);
        }
        data->setText(ToQString(text));
        QGuiApplication::clipboard()->setMimeData(data);
    }
    Spoken spoken(std::u16string_view name) override {
        QAccessibleInterface* reader =
            QAccessible::queryAccessibleInterface(name == u"Form1" ? &m_form : Find(name, &m_form));
        return {ToU16(reader->text(QAccessible::Name)),
                ToU16(reader->text(QAccessible::Description))};
    }
    Pixels preview() const override {
        // As drawn on the screen, at its device pixel ratio.
        const QImage shown =
            Find(u"Image1", &m_form)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(shown.constBits());
        return {shown.width(), shown.height(), {pixels, pixels + shown.width() * shown.height()}};
    }
    std::pair<int, int> previewRoom() const override {
        const auto* image = Find<QLabel>(u"Image1", &m_form);
        const QSize room = image->size() * image->devicePixelRatioF();
        return {room.width(), room.height()};
    }

private:
    std::u16string clipboardText() const override {
        return ToU16(QGuiApplication::clipboard()->text());
    }
    std::optional<std::u16string> messageDuring(const std::function<void()>& action) override {
        action();
        const std::unique_ptr<QMessageBox> message(m_form.findChild<QMessageBox*>());
        return message ? std::optional(ToU16(message->text())) : std::nullopt;
    }
    bool dragClipboard(std::u16string_view name, Allowed allowed) override {
        return Drop(Find(name, &m_form), *QGuiApplication::clipboard()->mimeData(), allowed);
    }

    Form1 m_form;
};

}  // namespace

std::unique_ptr<FormDriver> OpenForm() { return std::make_unique<QtForm>(); }
