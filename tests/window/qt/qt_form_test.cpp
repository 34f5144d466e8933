// What the Qt window promises beyond the form's common behaviour: how it looks at any desktop
// font and scale, and how it answers what only X11 desktops send it.
#include "tests/window/qt/open_form.h"
#include "tests/window/turned_picture.h"
#include "window/layout_table.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtMath>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// A caret is the only thing that moves on screen when the cursor moves; blinking is off here.
bool CaretShows(QLineEdit* box) {
    box->setCursorPosition(0);
    const QImage atStart = box->grab().toImage();
    box->setCursorPosition(static_cast<int>(box->text().size()));
    return box->grab().toImage() != atStart;
}

class QtFormTest : public testing::Test {
protected:
    std::unique_ptr<FormDriver> m_form = OpenForm();
};

// WCAG's contrast ratio of two colours, from their relative luminances.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](float c) {
            return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// The strongest contrast of a pixel in the frame's caption line with the frame's colour, which
// its top right corner shows.
double CaptionContrast(QWidget& frame) {
    const QImage drawn = frame.grab().toImage();
    const QColor background = drawn.pixelColor(drawn.width() - 1, 0);
    const int line = qCeil(frame.fontMetrics().height() * drawn.devicePixelRatio());
    double strongest = 1;
    for (int y = 0; y < line; ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            strongest = std::max(strongest, Contrast(drawn.pixelColor(x, y), background));
        }
    }
    return strongest;
}

// The bounds of the pixels where `drawn` differs from `blank`.
QRect Ink(const QImage& drawn, const QImage& blank) {
    QRect ink;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixel(x, y) != blank.pixel(x, y)) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Whether the control shows its text whole: what it draws of it, the pixels that change when the
// text is taken away, is as large as the text drawn alone in the control's font.
testing::AssertionResult ShowsItsTextWhole(QWidget& control) {
    const QString text = control.property("text").toString();
    const QImage drawn = control.grab().toImage();
    control.setProperty("text", QString());
    const QImage bare = control.grab().toImage();
    control.setProperty("text", text);
    QImage whole(drawn.size() * 4, QImage::Format_RGB32);
    whole.setDevicePixelRatio(drawn.devicePixelRatio());
    whole.fill(Qt::white);
    QImage blank = whole;
    QPainter painter(&whole);
    painter.setFont(control.font());
    painter.drawText(QRect(QPoint(), whole.deviceIndependentSize().toSize()),
                     Qt::AlignCenter | Qt::TextShowMnemonic, text);
    painter.end();
    // Glyphs placed at another fraction of a pixel may gain or lose a column or a row.
    const QSize shown = Ink(drawn, bare).size() + QSize(1, 1);
    const QSize need = Ink(whole, blank).size();
    if (shown.width() >= need.width() && shown.height() >= need.height()) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << qPrintable(control.objectName()) << " shows " << shown.width() - 1 << "x"
           << shown.height() - 1 << " pixels of its text, which takes " << need.width() << "x"
           << need.height();
}

// In the desktop's palette and font, in a dark palette as GTK's Adwaita-dark gives, in a
// high-contrast one, and at the largest desktop font, which the fixed rooms find hardest to fit;
// the test command runs it under another desktop style too. The frame keeps its green, unless the
// palette is a high-contrast one, its caption reads on it, and no text is cut.
TEST_F(QtFormTest, TheFormIsLegibleInEveryPaletteAndFont) {
    const QPalette desktop = QApplication::palette();
    const QFont desktopFont = QApplication::font();
    const auto restore = qScopeGuard([desktop, desktopFont] {
        QApplication::setPalette(desktop);
        QApplication::setFont(desktopFont);
    });
    QFont large = desktopFont;
    large.setPointSize(12);
    const QColor green(0xC0, 0xFF, 0xC0);
    const QColor adwaitaDark(0x35, 0x35, 0x35);
    struct Row {
        const char* name;
        QPalette palette;
        QFont font;
        QColor frame;
    };
    for (const Row& row :
         {Row{"the desktop's", desktop, desktopFont, green},
          Row{"dark", QPalette(adwaitaDark, adwaitaDark), desktopFont, green},
          Row{"high contrast", QPalette(Qt::black, Qt::black), desktopFont, Qt::black},
          Row{"a desktop font of 12 points", desktop, large, green}}) {
        SCOPED_TRACE(row.name);
        m_form.reset();
        QApplication::setPalette(row.palette);
        QApplication::setFont(row.font);
        m_form = OpenForm();
        // Sampled below the caption; Fusion draws the inside of a group box a few levels darker.
        QWidget* frame = Find(u"Frame1");
        const QImage form = frame->window()->grab().toImage();
        const QPoint inside = frame->geometry().center() + QPoint(0, frame->height() / 4);
        const QColor drawn = form.pixelColor(inside * form.devicePixelRatio());
        EXPECT_LE(std::abs(drawn.red() - row.frame.red()) +
                      std::abs(drawn.green() - row.frame.green()) +
                      std::abs(drawn.blue() - row.frame.blue()),
                  12)
            << qPrintable(drawn.name());
        EXPECT_GE(CaptionContrast(*frame), 4.5);
        for (const ControlSpec& spec : kFormLayout) {
            if (!spec.caption.empty() && spec.kind != ControlKind::Frame) {
                EXPECT_TRUE(ShowsItsTextWhole(*Find(spec.name)));
            }
            if (!spec.caption.empty() && spec.font == FontRole::PlatformDefault) {
                EXPECT_EQ(Find(spec.name)->font().family(), row.font.family());
            }
        }
    }
}

// Run at each usual scale factor too: Qt draws the caret differently at fractional ones.
TEST_F(QtFormTest, PathBoxAloneShowsNoCaret) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_form->focused() == u"Text1"; }, kPatience));
    EXPECT_FALSE(CaretShows(Find<QLineEdit>(u"Text1")));
    m_form->click(u"Text2");
    EXPECT_TRUE(CaretShows(Find<QLineEdit>(u"Text2")));  // the probe sees a caret
}

// Run at each usual scale factor too. A picture eight times the room's size at the usual scale,
// whose quadrants' borders fall between device pixels at each, is as sharp in the preview: it is
// decoded at the room's size in device pixels, not at its logical size and then scaled up.
TEST_F(QtFormTest, PreviewIsSharpAtTheScreensResolution) {
    QImage picture(960, 1280, QImage::Format_RGB32);
    const auto quadrants = UprightQuadrants(1);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        QPainter(&picture).fillRect(quadrant % 2 * 480, quadrant / 2 * 640, 480, 640,
                                    QColor::fromRgb(quadrants[quadrant]));
    }
    // Named as the preview: its format is read from its content.
    ASSERT_TRUE(picture.save(ToQString(m_form->path(u"robot.jpg")), "PNG"));
    ASSERT_TRUE(m_form->drop({m_form->write(u"robot.model", {})}));
    EXPECT_TRUE(ShowsQuadrantsUpright(m_form->preview(), m_form->previewRoom(), 1, true));
    // The label stretches whatever it holds to its room, so a picture without its ratio looks
    // the same today; it would be drawn at twice its size by a label that did not stretch.
    const auto* image = Find<QLabel>(u"Image1");
    EXPECT_EQ(image->pixmap().devicePixelRatio(), image->devicePixelRatioF());
}

TEST_F(QtFormTest, WebLinksAreRefusedAndNamesAreNeverMarkup) {
    QMimeData link;
    link.setUrls({QUrl(u"https://example.org/a.model"_s)});
    EXPECT_FALSE(Drop(Find(u"Frame1"), link));
    ASSERT_TRUE(m_form->drop({m_form->path(u"<b>robot.model")}, u"Frame1"));
    EXPECT_EQ(m_form->text(u"Label1"), u"<b>robot");
    const auto* label = Find<QLabel>(u"Label1");
    QLabel plain(label->text());
    plain.setTextFormat(Qt::PlainText);
    plain.setFont(label->font());
    EXPECT_EQ(label->sizeHint(), plain.sizeHint());
}

TEST_F(QtFormTest, APipeNamedLikeThePictureDoesNotBlock) {
    const QString pipe = QString::fromStdU16String(m_form->path(u"robot.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(m_form->drop({m_form->path(u"robot.model")}, u"Frame1"));  // or hangs
    EXPECT_EQ(m_form->text(u"Label1"), u"robot");
}

TEST_F(QtFormTest, TimerTicksQuietly) {
    static int warnings = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
            warnings += type != QtDebugMsg && type != QtInfoMsg;
        });
    QSignalSpy ticks(Find<QTimer>(u"Timer1"), &QTimer::timeout);
    const bool ticked = QTest::qWaitFor([&ticks] { return ticks.count() >= 3; }, kPatience);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(ticked);
    EXPECT_EQ(warnings, 0);
}

}  // namespace
