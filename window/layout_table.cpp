#include "window/layout_table.h"

#include "window/check_value.h"
#include "window/drop_frame.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

// clang-format off
const std::array<ControlSpec, 16> kFormLayout{{
    // name        kind                   caption         left   top  width height tab  font              value
    {u"Frame1",   ControlKind::Frame,    u"拖拽到此",    {120,  120, 2295,  975},  1, FontRole::PlatformDefault, 0x00C0FFC0},
    {u"Image1",   ControlKind::Image,    u"",           {2520,  120, 1800, 2400}, kNoTabIndex, FontRole::PlatformDefault, 0},
    {u"Label2",   ControlKind::Label,    u"模型名：",    {120, 1200,  825,  255}, 10, FontRole::Font1, 0},
    {u"Label1",   ControlKind::Label,    u"",           {795, 1200, 1575,  255},  0, FontRole::Font1, 0},
    {u"Text1",    ControlKind::TextBox,  u"模型路径",    {120, 1560, 2295,  375},  2, FontRole::Font1, 0},
    {u"Check1",   ControlKind::CheckBox, u"轮廓线",      {120, 2040,  855,  255},  4, FontRole::PlatformDefault, 1},
    {u"Check2",   ControlKind::CheckBox, u"本影",        {960, 2040,  735,  255},  5, FontRole::PlatformDefault, 1},
    {u"Check3",   ControlKind::CheckBox, u"地面影",      {1680, 2040, 855,  255},  6, FontRole::PlatformDefault, 1},
    {u"Check4",   ControlKind::CheckBox, u"信息",        {120, 2400,  735,  255},  7, FontRole::PlatformDefault, 0},
    {u"Check5",   ControlKind::CheckBox, u"坐标轴",      {960, 2400,  855,  255},  8, FontRole::PlatformDefault, 0},
    {u"Check6",   ControlKind::CheckBox, u"截图",        {1800, 2400, 735,  255}, 13, FontRole::PlatformDefault, 1},
    {u"Command1", ControlKind::Button,   u"复制",        {120, 2760, 2295,  615},  3, FontRole::PlatformDefault, 0},
    {u"Text2",    ControlKind::TextBox,  u"400",        {2640, 2760, 650,  300},  9, FontRole::Font1, 0},
    {u"Label3",   ControlKind::Label,    u"X",          {3360, 2760, 255,  255}, 12, FontRole::Font2, 0},
    {u"Text3",    ControlKind::TextBox,  u"600",        {3600, 2760, 650,  300}, 11, FontRole::Font1, 0},
    {u"Timer1",   ControlKind::Timer,    u"",           {0, 0, 0, 0}, kNoTabIndex, FontRole::PlatformDefault, 100},
}};
// clang-format on

QRect ToPixels(const TwipsRect& twips) {
    constexpr int kTwipsPerPixel = 15;
    return {twips.left / kTwipsPerPixel, twips.top / kTwipsPerPixel, twips.width / kTwipsPerPixel,
            twips.height / kTwipsPerPixel};
}

namespace {

QFont FontFor(FontRole role) {
    QFont font;
    if (role == FontRole::PlatformDefault) {
        return font;
    }
    // The face the captions were designed in comes first; where it is missing, the platform's
    // usual Simplified Chinese face takes its place. Every missing name costs a font look-up at
    // start-up, so each platform lists only its own.
    font.setFamilies({
        u"微软雅黑"_s, u"Microsoft YaHei"_s,
#if defined(Q_OS_MACOS)
            u"PingFang SC"_s,
#elif !defined(Q_OS_WIN)
            u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"WenQuanYi Zen Hei"_s,
#endif
    });
    font.setPointSizeF(role == FontRole::Font2 ? 10.5 : 9.0);
    font.setWeight(QFont::Normal);
    return font;
}

QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// A control of kind Widget, named, placed and with its font, but without its text yet: a text
// laid out before the font is set would be laid out twice.
template <class Widget>
Widget* NewWidget(const ControlSpec& spec, QWidget& form) {
    auto* widget = new Widget(&form);
    widget->setObjectName(spec.name.toString());
    widget->setGeometry(ToPixels(spec.twips));
    if (spec.font != FontRole::PlatformDefault) {
        widget->setFont(FontFor(spec.font));
    }
    return widget;
}

QObject* CreateControl(const ControlSpec& spec, QWidget& form) {
    const QString caption = spec.caption.toString();
    switch (spec.kind) {
        case ControlKind::Frame: {
            auto* frame = NewWidget<DropFrame>(spec, form);
            frame->setTitle(caption);
            QPalette palette = frame->palette();
            palette.setColor(QPalette::Window, FromBgr(spec.value));
            frame->setPalette(palette);
            frame->setAutoFillBackground(true);
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
            box->setCheckState(ToCheckState(spec.value));
            return box;
        }
        case ControlKind::Button: {
            auto* button = NewWidget<QPushButton>(spec, form);
            button->setText(caption);
            return button;
        }
        case ControlKind::Timer: {
            auto* timer = new QTimer(&form);
            timer->setObjectName(spec.name.toString());
            timer->setInterval(spec.value);
            return timer;
        }
    }
    return nullptr;
}

}  // namespace

void BuildControls(QWidget& form) {
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const ControlSpec& spec : kFormLayout) {
        auto* widget = qobject_cast<QWidget*>(CreateControl(spec, form));
        if (widget && spec.tabIndex != kNoTabIndex && widget->focusPolicy() != Qt::NoFocus) {
            tabStops.emplace_back(spec.tabIndex, widget);
        }
    }
    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
}
