#include "window/qt/build_controls.h"

#include "window/accessible_texts.h"
#include "window/qt/check_state.h"
#include "window/qt/drop_frame.h"
#include "window/qt/text_conversion.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

QRect ToQRect(const TwipsRect& twips) {
    const PixelRect pixels = ToPixels(twips);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

namespace {

QFont DesignFont(FontRole role) {
    // The face the captions were designed in comes first; where it is missing, the platform's
    // usual Simplified Chinese face takes its place. The first installed face is moved to the
    // front: for a missing first face Qt asks fontconfig for that face's fallbacks, once for each
    // script, before it tries the next.
    const FontSpec& spec = FontOf(role);
    QStringList faces{ToQString(spec.face), ToQString(spec.englishFace), u"Noto Sans CJK SC"_s,
                      u"WenQuanYi Micro Hei"_s, u"WenQuanYi Zen Hei"_s};
    const auto installed = std::ranges::find_if(
        faces, [](const QString& face) { return !QFontDatabase::styles(face).isEmpty(); });
    std::rotate(faces.begin(), installed, installed == faces.end() ? installed : installed + 1);
    QFont font;
    font.setFamilies(faces);
    font.setPointSizeF(spec.points);
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    return font;
}

// The font a control of `role` sets for itself; none where the application's default fits.
std::optional<QFont> OwnFont(FontRole role) {
    if (role != FontRole::PlatformDefault) {
        return DesignFont(role);
    }
    QFont font;
    if (QFontInfo(font).pointSizeF() <= kLargestDefaultFontPoints) {
        return std::nullopt;
    }
    font.setPointSizeF(kLargestDefaultFontPoints);
    return font;
}

QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// The layout's rooms were made for Fusion's indicators and margins; a desktop's style (Adwaita,
// Breeze, Kvantum) draws larger ones that cut captions and digits. Its palette still applies.
QStyle* FixedMetricsStyle() {
    static QStyle* const style = [] {
        QStyle* fusion = QStyleFactory::create(u"Fusion"_s);
        fusion->setParent(qApp);
        return fusion;
    }();
    return style;
}

// A control of kind Widget, named, placed, drawn with the layout's style and with its font, but
// without its text yet: a text laid out before the font is set would be laid out twice.
template <class Widget>
Widget* NewWidget(const ControlSpec& spec, QWidget& form) {
    auto* widget = new Widget(&form);
    widget->setObjectName(ToQString(spec.name));
    widget->setStyle(FixedMetricsStyle());
    widget->setGeometry(ToQRect(spec.twips));
    if (const std::optional<QFont> font = OwnFont(spec.font)) {
        widget->setFont(*font);
    }
    return widget;
}

QObject* CreateControl(const ControlSpec& spec, QWidget& form) {
    const QString caption = ToQString(spec.caption);
    switch (spec.kind) {
        case ControlKind::Frame: {
            auto* frame = NewWidget<DropFrame>(spec, form);
            frame->setTitle(caption);
            frame->setColour(FromBgr(spec.value));
            return frame;
        }
        case ControlKind::Image: {
            auto* image = NewWidget<QLabel>(spec, form);
            image->setScaledContents(true);
            return image;
        }
        case ControlKind::Label: {
            auto* label = NewWidget<QLabel>(spec, form);
            // A dropped file's name is shown as it is, never read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setText(caption);
            return label;
        }
        case ControlKind::TextBox: {
            auto* box = NewWidget<QLineEdit>(spec, form);
            box->setAcceptDrops(false);
            box->setText(caption);
            return box;
        }
        case ControlKind::CheckBox: {
            auto* box = NewWidget<QCheckBox>(spec, form);
            box->setText(caption);
            box->setCheckState(ToCheckState(spec.value, kQtCheckStates));
            return box;
        }
        case ControlKind::Button: {
            auto* button = NewWidget<QPushButton>(spec, form);
            button->setText(caption);
            // Enter and Return press the focused button, as on a Windows form; outside a dialog
            // Qt leaves that to Space.
            button->setAutoDefault(true);
            return button;
        }
        case ControlKind::Timer: {
            auto* timer = new QTimer(&form);
            timer->setObjectName(ToQString(spec.name));
            timer->setInterval(spec.value);
            return timer;
        }
    }
    return nullptr;
}

}  // namespace

void BuildControls(QWidget& form) {
    for (const ControlSpec& spec : kFormLayout) {
        CreateControl(spec, form);
    }
    for (const AccessibleText& text : kAccessibleTexts) {
        auto* widget =
            form.findChild<QWidget*>(ToQString(text.control), Qt::FindDirectChildrenOnly);
        if (!text.name.empty()) {
            widget->setAccessibleName(ToQString(text.name));
        }
        widget->setAccessibleDescription(ToQString(text.description));
    }
    QWidget* previous = nullptr;
    for (const ControlSpec* spec : TabOrder()) {
        auto* widget = form.findChild<QWidget*>(ToQString(spec->name), Qt::FindDirectChildrenOnly);
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}
