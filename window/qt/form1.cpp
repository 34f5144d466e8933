#include "window/qt/form1.h"

#include "compose/dropped_path.h"
#include "compose/paste_safety.h"
#include "window/messages.h"
#include "window/qt/build_controls.h"
#include "window/qt/check_state.h"
#include "window/qt/clipboard_handover.h"
#include "window/qt/drop_frame.h"
#include "window/qt/platform.h"
#include "window/qt/preview_loader.h"
#include "window/qt/stay_on_top.h"
#include "window/qt/text_conversion.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The window manager is sent every size the window icon has: the large sizes come from the
// desktop's icon theme instead. The pixels are stored raw, so that start-up loads no image
// decoder.
QIcon WindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QFile pixels(u":/icons/karvosel-%1.rgba"_s.arg(size));
        if (pixels.open(QIODevice::ReadOnly)) {
            const QByteArray rgba = pixels.readAll();
            icon.addPixmap(
                QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(rgba.constData()), size,
                                          size, QImage::Format_RGBA8888)
                                       .copy()));
        }
    }
    return icon;
}

// Screen readers present the form as a frame named by its title, as they do any program's main
// window; as a plain widget it would be a nameless filler.
QAccessibleInterface* FormAccessible(const QString& className, QObject* object) {
    return className == u"Form1" && object->isWidgetType()
               ? new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window)
               : nullptr;
}

}  // namespace

// Stay-on-top must be asked for at creation: changing window flags later hides the window.
// The size is fixed, so there is no maximise button.
constexpr Qt::WindowFlags kFormFlags =
    Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

Form1::Form1(QWidget* parent) : QWidget(parent, kFormFlags) {
    QAccessible::installFactory(FormAccessible);  // Qt keeps each factory once, however many forms
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Karvosel"_s);
    setWindowIcon(WindowIcon());
    setFixedSize(ToQRect(kFormClientTwips).size());
    BuildControls(*this);

    m_label1 = Find<QLabel>(u"Label1");
    m_text1 = Find<QLineEdit>(u"Text1");
    m_checks = {Find<QCheckBox>(u"Check1"), Find<QCheckBox>(u"Check2"), Find<QCheckBox>(u"Check3"),
                Find<QCheckBox>(u"Check4"), Find<QCheckBox>(u"Check5"), Find<QCheckBox>(u"Check6")};
    m_text2 = Find<QLineEdit>(u"Text2");
    m_text3 = Find<QLineEdit>(u"Text3");
    m_image1 = Find<QLabel>(u"Image1");

    constexpr std::array kCheckClicks{&Form1::Check1_Click, &Form1::Check2_Click,
                                      &Form1::Check3_Click, &Form1::Check4_Click,
                                      &Form1::Check5_Click, &Form1::Check6_Click};
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        connect(m_checks[i], &QCheckBox::clicked, this, kCheckClicks[i]);
    }
    connect(m_text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(m_text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
    connect(Find<QPushButton>(u"Command1"), &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Find<DropFrame>(u"Frame1"), &DropFrame::dropped, this, &Form1::Frame1_OLEDragDrop);
    auto* timer1 = Find<QTimer>(u"Timer1");
    connect(timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    // Every control, to see a paste anywhere in the window.
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        control->installEventFilter(this);
    }

    Form_Load();
    m_text1->setFocus();
    timer1->start();
}

template <class Control>
Control* Form1::Find(const char16_t* name) const {
    return findChild<Control*>(QString::fromUtf16(name), Qt::FindDirectChildrenOnly);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Paste) && PasteFiles()) {
        return true;
    }
    if (watched == m_text1 && event->type() == QEvent::FocusIn) {
        Text1_GotFocus();
    } else if (watched == m_text1 && event->type() == QEvent::KeyPress) {
        Text1_KeyPress(static_cast<const QKeyEvent&>(*event));
    } else if (watched == m_image1 && event->type() == QEvent::MouseButtonDblClick) {
        Image1_DblClick();
    }
    return QWidget::eventFilter(watched, event);
}

// The copied line is the program's only output: it must still be there to paste after closing.
void Form1::closeEvent(QCloseEvent* event) {
    KeepClipboardAfterExit();
    QWidget::closeEvent(event);
}

void Form1::Form_Load() {
    compose::ControlValues values;
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        values.checks[i] = ToCheckValue(m_checks[i]->checkState(), kQtCheckStates);
    }
    values.width = ToU16(m_text2->text());
    values.height = ToU16(m_text3->text());
    compose::RefreshAll(m_fragments, values);
}

void Form1::RefreshBox(int box) {
    compose::RefreshFragment(
        m_fragments, box,
        ToCheckValue(m_checks[static_cast<std::size_t>(box - 1)]->checkState(), kQtCheckStates));
}

void Form1::Check1_Click() { RefreshBox(1); }
void Form1::Check2_Click() { RefreshBox(2); }
void Form1::Check3_Click() { RefreshBox(3); }
void Form1::Check4_Click() { RefreshBox(4); }
void Form1::Check5_Click() { RefreshBox(5); }
void Form1::Check6_Click() { RefreshBox(6); }

void Form1::Text2_Change() {
    compose::RefreshWH(m_fragments, ToU16(m_text2->text()), ToU16(m_text3->text()));
}

void Form1::Text3_Change() { Text2_Change(); }

void Form1::Command1_Click() {
    // The Linux program's line is pasted into a shell.
    if (const auto unsafe =
            compose::FindUnsafeCharacter(m_fragments.modelpath, compose::PasteTarget::PosixShell)) {
        ShowWarning(ToQString(UnsafePathMessage(*unsafe)));
        return;
    }
    const QString line = ToQString(compose::BuildCommandLine(m_fragments));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(line);
    // X11 and Wayland tell whether the write took; offscreen never owns its in-process clipboard.
    if ((OnX11() || OnWayland()) && !clipboard->ownsClipboard()) {
        ShowWarning(ToQString(kClipboardFailedMessage));
    }
}

void Form1::Frame1_OLEDragDrop(const QString& path) {
    const compose::DroppedPathParts parts =
        compose::SplitDroppedPath(ToU16(path), QDir::separator().unicode());
    m_label1->setText(ToQString(parts.displayname));
    m_text1->setText(ToQString(parts.fullpath));
    m_fragments.modelpath = parts.fullpath;

    const qreal ratio = m_image1->devicePixelRatioF();
    const QImage preview = LoadPreview(ToQString(parts.previewpath), m_image1->size() * ratio);
    if (!preview.isNull()) {
        QPixmap pixmap = QPixmap::fromImage(preview);
        pixmap.setDevicePixelRatio(ratio);
        m_image1->setPixmap(pixmap);
    }
}

// Files copied in a file manager load as if they were dropped on the frame; anything else on the
// clipboard is left to the focused control's own paste.
bool Form1::PasteFiles() {
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    const QString path = copied ? FirstLocalFile(*copied) : QString();
    if (path.isEmpty()) {
        return false;
    }
    Frame1_OLEDragDrop(path);
    return true;
}

void Form1::Timer1_Timer() { KeepOnTop(*this); }

// An input-method cursor of length 0 hides the caret at every scale. A caret width of 0 would
// not: at a fractional scale factor Qt still draws it as a line one device pixel wide.
void Form1::Text1_GotFocus() {
    QInputMethodEvent hideCaret(QString(), {{QInputMethodEvent::Cursor, 0, 0}});
    QCoreApplication::sendEvent(m_text1, &hideCaret);
}

void Form1::Text1_KeyPress(const QKeyEvent& event) {
    // Ctrl+A arrives as the key A with Control (a real X server adds the control character 1,
    // test events the text "a"), or on some keyboard layouts as the control character alone.
    const bool controlA = (event.key() == Qt::Key_A && event.modifiers() & Qt::ControlModifier) ||
                          event.text() == u"\x01";
    if (controlA || event.matches(QKeySequence::SelectAll)) {
        m_text1->setSelection(0, static_cast<int>(m_text1->text().size()));
    }
}

void Form1::Image1_DblClick() {
    m_text2->setText(u"400"_s);
    m_text3->setText(u"600"_s);
}

void Form1::ShowWarning(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
