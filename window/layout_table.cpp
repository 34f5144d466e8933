#include "window/layout_table.h"

#include <algorithm>

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

namespace {

constexpr FontSpec kFont1{u"微软雅黑", u"Microsoft YaHei", 9.0, 400, 134};
constexpr FontSpec kFont2{u"微软雅黑", u"Microsoft YaHei", 10.5, 400, 134};

int TwipsToPixels(int twips, int dpi) {
    constexpr int kTwipsPerInch = 1440;
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace

const FontSpec& FontOf(FontRole role) { return role == FontRole::Font2 ? kFont2 : kFont1; }

PixelRect ToPixels(const TwipsRect& twips, int dpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

std::vector<const ControlSpec*> TabOrder() {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& spec : kFormLayout) {
        if (spec.tabIndex != kNoTabIndex) {
            order.push_back(&spec);
        }
    }
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return order;
}
