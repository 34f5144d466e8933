#include "tests/window/qt/open_form.h"
#include "window/layout_table.h"
#include "window/qt/text_conversion.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A JPEG whose left half is red and right half blue, tagged with the EXIF orientation "rotate
// 90 degrees clockwise to show": upright, red is on top.
QByteArray RotatedJpeg() {
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, 32, 32, Qt::red);
    const char exif[] =
        "\xFF\xE1\x00\x22"
        "Exif\0\0"
        "II\x2A\x00\x08\x00\x00\x00"
        "\x01\x00"
        "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"
        "\x00\x00\x00\x00";
    QByteArray jpeg = Encoded(picture, "JPG");
    jpeg.insert(2, exif, sizeof exif - 1);  // right after the start-of-image marker
    return jpeg;
}

// The room a control gives its caption, and the room the caption takes. A check box's size hint
// adds margins around its caption, so the check box is measured by its contents rectangle.
std::pair<QSize, QSize> CaptionRoomAndNeed(const QWidget& control) {
    if (const auto* box = qobject_cast<const QCheckBox*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        return {room.size(), box->fontMetrics().size(Qt::TextShowMnemonic, box->text())};
    }
    return {control.size(), control.minimumSizeHint()};
}

QString LineWith(const QString& options) { return u"Vandrelix.exe \"\""_s + options; }

}  // namespace

class Form1Test final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setCursorFlashTime(0); }
    void init() { m_open = std::make_unique<OpenForm>(); }
    void cleanup() { m_open.reset(); }

    void opensAsDesigned();
    void captionsFitAtDesktopFontSizes_data();
    void captionsFitAtDesktopFontSizes();
    void keysOnTheFocusedButtonCopy_data();
    void keysOnTheFocusedButtonCopy();
    void controlsChangeTheCopiedLine_data();
    void controlsChangeTheCopiedLine();
    void dropTakesTheFirstFileOfTheList();
    void dropsOfAnythingButALocalFileAreRefused();
    void dropIsAlwaysACopy_data();
    void dropIsAlwaysACopy();
    void previewIsShownUprightAtItsOnScreenSize();
    void controlASelectsTheWholePath_data();
    void controlASelectsTheWholePath();
    void pathBoxShowsNoCaret();
    void doubleClickOnPreviewResetsTheSize();
    void tabOrderFollowsTheLayout();
    void timerTicksQuietly();

private:
    std::unique_ptr<OpenForm> m_open;
};

void Form1Test::opensAsDesigned() {
    QVERIFY(m_open->form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), u"模型路径"_s);
    QCOMPARE(m_open->control<QWidget>(u"Frame1"_s)->palette().color(QPalette::Window),
             QColor(192, 255, 192));
    QCOMPARE(m_open->copy(), kDefaultLine);
}

void Form1Test::captionsFitAtDesktopFontSizes_data() {
    QTest::addColumn<int>("points");
    for (const int points : {9, 10, 11, 12}) {
        QTest::addRow("%d pt", points) << points;
    }
}

void Form1Test::captionsFitAtDesktopFontSizes() {
    QFETCH(int, points);
    const auto restore =
        qScopeGuard([font = QApplication::font()] { QApplication::setFont(font); });
    QFont desktop = QApplication::font();
    desktop.setPointSize(points);
    m_open.reset();
    QApplication::setFont(desktop);
    m_open = std::make_unique<OpenForm>();

    for (const ControlSpec& spec : kFormLayout) {
        if (spec.caption.empty() || spec.kind == ControlKind::TextBox) {
            continue;
        }
        const auto* control = m_open->control<QWidget>(ToQString(spec.name));
        const auto [room, need] = CaptionRoomAndNeed(*control);
        QVERIFY2(need.width() <= room.width() && need.height() <= room.height(),
                 qPrintable(u"%1 needs %2x%3, has %4x%5"_s.arg(control->objectName())
                                .arg(need.width())
                                .arg(need.height())
                                .arg(room.width())
                                .arg(room.height())));
        if (spec.font == FontRole::PlatformDefault) {
            QCOMPARE(control->font().family(), desktop.family());
        }
    }
}

void Form1Test::keysOnTheFocusedButtonCopy_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("space") << Qt::Key_Space;
    QTest::newRow("return") << Qt::Key_Return;
    QTest::newRow("enter") << Qt::Key_Enter;
}

void Form1Test::keysOnTheFocusedButtonCopy() {
    QFETCH(Qt::Key, key);
    auto* button = m_open->control<QPushButton>(u"Command1"_s);
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QTest::keyClick(button, key);
    QCOMPARE(QGuiApplication::clipboard()->text(), kDefaultLine);
}

void Form1Test::controlsChangeTheCopiedLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QString click;
    QTest::newRow("Check1") << u"Check1"_s << click
                            << LineWith(u" -xe -xi -xa -ws[400,600] -cc[0,11,0]"_s);
    QTest::newRow("Check2") << u"Check2"_s << click
                            << LineWith(u" -xss -xi -xa -ws[400,600] -cc[0,11,0]"_s);
    QTest::newRow("Check3") << u"Check3"_s << click
                            << LineWith(u" -xs -xi -xa -ws[400,600] -cc[0,11,0]"_s);
    QTest::newRow("Check4") << u"Check4"_s << click << LineWith(u" -xa -ws[400,600] -cc[0,11,0]"_s);
    QTest::newRow("Check5") << u"Check5"_s << click << LineWith(u" -xi -ws[400,600] -cc[0,11,0]"_s);
    QTest::newRow("Check6") << u"Check6"_s << click << LineWith(u" -xi -xa -ws[400,600]"_s);
    QTest::newRow("width") << u"Text2"_s << u"1280"_s
                           << LineWith(u" -xi -xa -ws[1280,600] -cc[0,11,0]"_s);
    QTest::newRow("height") << u"Text3"_s << u"720"_s
                            << LineWith(u" -xi -xa -ws[400,720] -cc[0,11,0]"_s);
    QTest::newRow("width emptied")
        << u"Text2"_s << QString() << LineWith(u" -xi -xa -cc[0,11,0]"_s);
}

void Form1Test::controlsChangeTheCopiedLine() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    if (auto* box = m_open->form().findChild<QCheckBox*>(control)) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    } else {
        auto* text = m_open->control<QLineEdit>(control);
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Delete);
        QTest::keyClicks(text, typed);
    }
    QCOMPARE(m_open->copy(), expected);
}

void Form1Test::dropTakesTheFirstFileOfTheList() {
    // The name is shown as it is, never read as markup.
    const QString first = m_open->path(u"<b>robot.v2.model"_s);
    QVERIFY(Drop(m_open->control<QWidget>(u"Frame1"_s),
                 *FileList({first, m_open->path(u"b.model"_s)})));
    const QString native = QDir::toNativeSeparators(first);
    auto* label = m_open->control<QLabel>(u"Label1"_s);
    QCOMPARE(label->text(), u"<b>robot.v2"_s);
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setFont(label->font());
    plain.setText(label->text());
    QCOMPARE(label->sizeHint(), plain.sizeHint());
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), native);
    QCOMPARE(m_open->copy(),
             uR"(Vandrelix.exe "%1" -xi -xa -ws[400,600] -cc[0,11,0])"_s.arg(native));
}

void Form1Test::dropsOfAnythingButALocalFileAreRefused() {
    QMimeData text;
    text.setText(m_open->path(u"robot.model"_s));
    QMimeData link;
    link.setUrls({QUrl(u"https://example.org/a.model"_s)});
    for (const QString& target : {u"Frame1"_s, u"Text1"_s, u"Text2"_s, u"Text3"_s}) {
        QVERIFY2(!Drop(m_open->control<QWidget>(target), text), qPrintable(target));
    }
    QVERIFY(!Drop(m_open->control<QWidget>(u"Frame1"_s), link));
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), u"模型路径"_s);
    QCOMPARE(m_open->copy(), kDefaultLine);
}

void Form1Test::dropIsAlwaysACopy_data() {
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("copy") << Qt::DropActions(Qt::CopyAction) << Qt::KeyboardModifiers();
    QTest::newRow("shift proposes a move")
        << (Qt::CopyAction | Qt::MoveAction) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("control and shift propose a link")
        << (Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
        << (Qt::ControlModifier | Qt::ShiftModifier);
}

void Form1Test::dropIsAlwaysACopy() {
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    auto* frame = m_open->control<QWidget>(u"Frame1"_s);
    const auto data = FileList({m_open->path(u"robot.model"_s)});
    const QPoint point = frame->rect().center();
    QDragEnterEvent enter(point, offered, data.get(), Qt::LeftButton, modifiers);
    QDragMoveEvent move(point, offered, data.get(), Qt::LeftButton, modifiers);
    QDropEvent drop(point, offered, data.get(), Qt::LeftButton, modifiers);
    for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
        QApplication::sendEvent(frame, event);
        QVERIFY(event->isAccepted());
        QCOMPARE(event->dropAction(), Qt::CopyAction);
    }
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), u"robot"_s);
}

void Form1Test::previewIsShownUprightAtItsOnScreenSize() {
    WriteFile(m_open->path(u"turned.jpg"_s), RotatedJpeg());
    QVERIFY(m_open->dropFile(m_open->path(u"turned.model"_s)));
    const QImage shown = m_open->shownPicture();
    auto* image = m_open->control<QLabel>(u"Image1"_s);
    QCOMPARE(shown.size(), image->size() * image->devicePixelRatioF());
    const QColor top = shown.pixelColor(shown.width() / 2, shown.height() / 5);
    const QColor bottom = shown.pixelColor(shown.width() / 2, shown.height() * 4 / 5);
    QVERIFY2(top.red() > 200 && top.blue() < 60, qPrintable(top.name()));
    QVERIFY2(bottom.blue() > 200 && bottom.red() < 60, qPrintable(bottom.name()));
}

void Form1Test::controlASelectsTheWholePath_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("test key event") << u"a"_s;
    QTest::newRow("X server key event") << u"\x01"_s;
}

void Form1Test::controlASelectsTheWholePath() {
    QFETCH(QString, text);
    auto* box = m_open->control<QLineEdit>(u"Text1"_s);
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);  // other keys select as ever
    QCOMPARE(box->selectedText(), u"模"_s);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, text);
    QApplication::sendEvent(box, &press);
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectedText(), u"模型路径"_s);
}

void Form1Test::pathBoxShowsNoCaret() {
    // A drawn caret is the only thing that moves on screen when the cursor moves; blinking is
    // off for these tests, so a caret stays drawn. A plain line edit proves the probe sees one.
    const auto caretShows = [](QLineEdit* box) {
        box->setCursorPosition(0);
        const QImage atStart = box->grab().toImage();
        box->setCursorPosition(static_cast<int>(box->text().size()));
        return box->grab().toImage() != atStart;
    };
    auto* pathBox = m_open->control<QLineEdit>(u"Text1"_s);
    QTRY_VERIFY(pathBox->hasFocus());
    QVERIFY(!caretShows(pathBox));

    QLineEdit plain(u"模型路径"_s);
    plain.show();
    plain.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&plain));
    plain.setFocus();
    QTRY_VERIFY(plain.hasFocus());
    QVERIFY(caretShows(&plain));
}

void Form1Test::doubleClickOnPreviewResetsTheSize() {
    auto* width = m_open->control<QLineEdit>(u"Text2"_s);
    auto* height = m_open->control<QLineEdit>(u"Text3"_s);
    width->setText(u"1"_s);
    height->setText(u"2"_s);
    QTest::mouseDClick(m_open->control<QLabel>(u"Image1"_s), Qt::LeftButton);
    QCOMPARE(width->text(), u"400"_s);
    QCOMPARE(height->text(), u"600"_s);
    QCOMPARE(m_open->copy(), kDefaultLine);
}

void Form1Test::tabOrderFollowsTheLayout() {
    QTRY_COMPARE(QApplication::focusWidget(), m_open->control<QWidget>(u"Text1"_s));
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{u"Text1"_s, u"Command1"_s, u"Check1"_s, u"Check2"_s, u"Check3"_s,
                                   u"Check4"_s, u"Check5"_s, u"Text2"_s, u"Text3"_s, u"Check6"_s}));
}

void Form1Test::timerTicksQuietly() {
    static int warnings = 0;
    warnings = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
            warnings += type != QtDebugMsg && type != QtInfoMsg;
        });
    QSignalSpy ticks(m_open->form().findChild<QTimer*>(u"Timer1"_s), &QTimer::timeout);
    const bool ticked = QTest::qWaitFor([&ticks] { return ticks.count() >= 3; }, 10000);
    qInstallMessageHandler(previous);
    QVERIFY(ticked);
    QCOMPARE(warnings, 0);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
