#include "tests/window/qt/open_form.h"
#include "window/layout_table.h"
#include "window/qt/text_conversion.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A JPEG of a picture whose left half is red and right half blue, tagged with the EXIF
// orientation "rotate 90 degrees clockwise to show": upright, red is on top.
QByteArray RotatedJpeg() {
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            picture.setPixelColor(x, y, Qt::red);
        }
    }
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

}  // namespace

class Form1Test final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setCursorFlashTime(0); }
    void init();
    void cleanup();

    void opensWithTheDesignTimeState();
    void captionsFitAtDesktopFontSizes_data();
    void captionsFitAtDesktopFontSizes();
    void copiesTheDefaultLine();
    void keysOnTheFocusedButtonCopy_data();
    void keysOnTheFocusedButtonCopy();
    void controlsChangeTheCopiedLine_data();
    void controlsChangeTheCopiedLine();
    void dropTakesTheFirstFileOfTheList();
    void dropOfAnythingButALocalFileIsRefused_data();
    void dropOfAnythingButALocalFileIsRefused();
    void dropIsAlwaysACopy_data();
    void dropIsAlwaysACopy();
    void textBoxesTakeNoDrops();
    void previewIsShownAtItsOnScreenSize();
    void previewFollowsTheExifOrientation();
    void controlASelectsTheWholePath_data();
    void controlASelectsTheWholePath();
    void otherKeysLeaveTheSelectionAlone();
    void pathBoxShowsNoCaret();
    void doubleClickOnPreviewResetsTheSize();
    void tabOrderFollowsTheLayout();
    void timerTicksQuietly();

private:
    std::unique_ptr<OpenForm> m_open;
};

void Form1Test::init() { m_open = std::make_unique<OpenForm>(); }

void Form1Test::cleanup() { m_open.reset(); }

void Form1Test::opensWithTheDesignTimeState() {
    QCOMPARE(m_open->form().windowTitle(), u"Karvosel"_s);
    QCOMPARE(m_open->form().size(), QSize(295, 233));
    QVERIFY(m_open->form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!m_open->form().windowIcon().isNull());
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), QString());
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), u"模型路径"_s);
    QCOMPARE(m_open->control<QLineEdit>(u"Text2"_s)->text(), u"400"_s);
    QCOMPARE(m_open->control<QLineEdit>(u"Text3"_s)->text(), u"600"_s);
    QCOMPARE(m_open->control<QLabel>(u"Label3"_s)->text(), u"X"_s);
    QCOMPARE(m_open->control<QWidget>(u"Frame1"_s)->palette().color(QPalette::Window),
             QColor(192, 255, 192));
    const QStringList checked{u"Check1"_s, u"Check2"_s, u"Check3"_s, u"Check6"_s};
    for (const QString& name :
         {u"Check1"_s, u"Check2"_s, u"Check3"_s, u"Check4"_s, u"Check5"_s, u"Check6"_s}) {
        QCOMPARE(m_open->control<QCheckBox>(name)->isChecked(), checked.contains(name));
    }
    for (const QWidget* child : m_open->form().findChildren<QWidget*>()) {
        QVERIFY2(m_open->form().rect().contains(child->geometry()),
                 qPrintable(child->objectName()));
    }
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
            // The desktop's face always; its size only where it fits.
            QCOMPARE(control->font().family(), desktop.family());
            QCOMPARE(control->testAttribute(Qt::WA_SetFont), points > 9);
            QCOMPARE(QFontInfo(control->font()).pointSizeF(),
                     qMin(QFontInfo(desktop).pointSizeF(), 9.0));
        }
    }
}

void Form1Test::copiesTheDefaultLine() {
    QCOMPARE(m_open->copy(), kDefaultLine);
    QCOMPARE(m_open->copy(), kDefaultLine);
    QVERIFY(m_open->form().findChild<QMessageBox*>() == nullptr);
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
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("expected");

    const QString keep = u"keep"_s;
    QTest::newRow("outline off") << QStringList{u"Check1"_s} << keep << keep
                                 << uR"(Vandrelix.exe "" -xe -xi -xa -ws[400,600] -cc[0,11,0])"_s;
    QTest::newRow("self shadow off")
        << QStringList{u"Check2"_s} << keep << keep
        << uR"(Vandrelix.exe "" -xss -xi -xa -ws[400,600] -cc[0,11,0])"_s;
    QTest::newRow("ground shadow off")
        << QStringList{u"Check3"_s} << keep << keep
        << uR"(Vandrelix.exe "" -xs -xi -xa -ws[400,600] -cc[0,11,0])"_s;
    QTest::newRow("information on") << QStringList{u"Check4"_s} << keep << keep
                                    << uR"(Vandrelix.exe "" -xa -ws[400,600] -cc[0,11,0])"_s;
    QTest::newRow("axes on") << QStringList{u"Check5"_s} << keep << keep
                             << uR"(Vandrelix.exe "" -xi -ws[400,600] -cc[0,11,0])"_s;
    QTest::newRow("screenshot off") << QStringList{u"Check6"_s} << keep << keep
                                    << uR"(Vandrelix.exe "" -xi -xa -ws[400,600])"_s;
    QTest::newRow("clicked twice")
        << QStringList{u"Check1"_s, u"Check1"_s} << keep << keep << kDefaultLine;
    QTest::newRow("width typed") << QStringList{} << u"1280"_s << keep
                                 << uR"(Vandrelix.exe "" -xi -xa -ws[1280,600] -cc[0,11,0])"_s;
    QTest::newRow("height typed") << QStringList{} << keep << u"720"_s
                                  << uR"(Vandrelix.exe "" -xi -xa -ws[400,720] -cc[0,11,0])"_s;
    QTest::newRow("height emptied") << QStringList{} << keep << QString()
                                    << uR"(Vandrelix.exe "" -xi -xa -ws[400,] -cc[0,11,0])"_s;
    QTest::newRow("width emptied")
        << QStringList{} << QString() << u"720"_s << uR"(Vandrelix.exe "" -xi -xa -cc[0,11,0])"_s;
}

void Form1Test::controlsChangeTheCopiedLine() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, expected);

    for (const QString& name : clicks) {
        auto* box = m_open->control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    for (const auto& [name, text] : {std::pair{u"Text2"_s, width}, std::pair{u"Text3"_s, height}}) {
        if (text != u"keep") {
            auto* box = m_open->control<QLineEdit>(name);
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, text);
        }
    }
    QCOMPARE(m_open->copy(), expected);
}

void Form1Test::dropTakesTheFirstFileOfTheList() {
    const QString first = m_open->path(u"robot.v2.model"_s);
    QVERIFY(Drop(m_open->control<QWidget>(u"Frame1"_s),
                 *FileList({first, m_open->path(u"b.model"_s), m_open->path(u"c.model"_s)})));
    const QString native = QDir::toNativeSeparators(first);
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), u"robot.v2"_s);
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), native);
    QCOMPARE(m_open->copy(),
             uR"(Vandrelix.exe "%1" -xi -xa -ws[400,600] -cc[0,11,0])"_s.arg(native));
}

void Form1Test::dropOfAnythingButALocalFileIsRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<bool>("withImage");

    QTest::newRow("text") << u"D:\\m\\robot.model"_s << QList<QUrl>{} << false;
    QTest::newRow("web link") << QString() << QList<QUrl>{QUrl(u"https://example.org/a.model"_s)}
                              << false;
    QTest::newRow("picture from a browser")
        << QString() << QList<QUrl>{QUrl(u"https://example.org/a.jpg"_s)} << true;
}

void Form1Test::dropOfAnythingButALocalFileIsRefused() {
    QFETCH(QString, text);
    QFETCH(QList<QUrl>, urls);
    QFETCH(bool, withImage);

    QMimeData data;
    if (!text.isEmpty()) {
        data.setText(text);
    }
    data.setUrls(urls);
    if (withImage) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        data.setImageData(picture);
    }
    QVERIFY(!Drop(m_open->control<QWidget>(u"Frame1"_s), data));
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), QString());
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), u"模型路径"_s);
    QCOMPARE(m_open->copy(), kDefaultLine);
}

void Form1Test::dropIsAlwaysACopy_data() {
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("copy") << Qt::DropActions(Qt::CopyAction) << Qt::KeyboardModifiers() << true;
    QTest::newRow("shift proposes a move")
        << (Qt::CopyAction | Qt::MoveAction) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("control and shift propose a link")
        << (Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
        << (Qt::ControlModifier | Qt::ShiftModifier) << true;
    QTest::newRow("move only") << Qt::DropActions(Qt::MoveAction) << Qt::KeyboardModifiers()
                               << false;
}

void Form1Test::dropIsAlwaysACopy() {
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, accepted);
    auto* frame = m_open->control<QWidget>(u"Frame1"_s);
    const auto data = FileList({m_open->path(u"robot.model"_s)});
    const QPoint point = frame->rect().center();
    QDragEnterEvent enter(point, offered, data.get(), Qt::LeftButton, modifiers);
    QDragMoveEvent move(point, offered, data.get(), Qt::LeftButton, modifiers);
    QDropEvent drop(point, offered, data.get(), Qt::LeftButton, modifiers);
    for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
        QApplication::sendEvent(frame, event);
        QCOMPARE(event->isAccepted(), accepted);
        if (accepted) {
            QCOMPARE(event->dropAction(), Qt::CopyAction);
        }
    }
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), accepted ? u"robot"_s : QString());
}

void Form1Test::textBoxesTakeNoDrops() {
    const auto data = FileList({m_open->path(u"robot.model"_s)});
    for (const QString& name : {u"Text1"_s, u"Text2"_s, u"Text3"_s}) {
        auto* box = m_open->control<QLineEdit>(name);
        const QString before = box->text();
        QVERIFY2(!Drop(box, *data), qPrintable(name));
        QCOMPARE(box->text(), before);
    }
    QCOMPARE(m_open->copy(), kDefaultLine);
}

void Form1Test::previewIsShownAtItsOnScreenSize() {
    WriteFile(m_open->path(u"robot.jpg"_s), Picture(Qt::red));
    QVERIFY(m_open->dropFile(m_open->path(u"robot.model"_s)));
    const QImage shown = m_open->shownPicture();
    auto* image = m_open->control<QLabel>(u"Image1"_s);
    QCOMPARE(shown.size(), image->size() * image->devicePixelRatioF());
    QVERIFY(qAbs(shown.pixelColor(shown.rect().center()).red() - 255) < 16);

    // A PNG under a .jpg name is shown too: the content decides.
    WriteFile(m_open->path(u"plan.jpg"_s), Picture(Qt::blue, "PNG"));
    QVERIFY(m_open->dropFile(m_open->path(u"plan.model"_s)));
    QCOMPARE(m_open->shownPicture().pixelColor(8, 8), QColor(Qt::blue));
}

void Form1Test::previewFollowsTheExifOrientation() {
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
    QVERIFY(m_open->dropFile(m_open->path(u"\U0001F916 robot.model"_s)));
    auto* box = m_open->control<QLineEdit>(u"Text1"_s);
    box->setFocus();
    box->setCursorPosition(3);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, text);
    QApplication::sendEvent(box, &press);
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectedText(), box->text());
    QCOMPARE(box->text(), QDir::toNativeSeparators(m_open->path(u"\U0001F916 robot.model"_s)));
}

void Form1Test::otherKeysLeaveTheSelectionAlone() {
    auto* box = m_open->control<QLineEdit>(u"Text1"_s);
    box->setFocus();
    box->setCursorPosition(1);
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(box->selectionStart(), 1);
    QCOMPARE(box->selectedText(), u"型"_s);
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
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Text1"_s);
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
