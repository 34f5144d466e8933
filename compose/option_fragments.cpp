#include "compose/option_fragments.h"

namespace compose {
namespace {

constexpr std::int16_t kChecked = 1;

// One option box: the fragment it owns, and the text it writes in the one state that writes.
struct OptionFlag {
    std::u16string OptionFragments::*field;
    bool writesWhenChecked;
    std::u16string_view text;
};

// Boxes 1 to 5 switch a viewer feature off, so they write their flag while cleared.
constexpr std::array<OptionFlag, 6> kOptionFlags{{
    {&OptionFragments::outline, false, u" -xe"},
    {&OptionFragments::selfshadow, false, u" -xss"},
    {&OptionFragments::shadow, false, u" -xs"},
    {&OptionFragments::message, false, u" -xi"},
    {&OptionFragments::axis, false, u" -xa"},
    {&OptionFragments::prtscr, true, u" -cc[0,11,0]"},
}};

}  // namespace

void RefreshFragment(OptionFragments& fragments, int box, std::int16_t value) {
    if (box < 1 || box > static_cast<int>(kOptionFlags.size())) {
        return;
    }
    const OptionFlag& flag = kOptionFlags[static_cast<std::size_t>(box - 1)];
    const bool writes = (value == kChecked) == flag.writesWhenChecked;
    fragments.*flag.field = writes ? flag.text : std::u16string_view{};
}

void RefreshWH(OptionFragments& fragments, std::u16string_view width, std::u16string_view height) {
    if (width.empty()) {
        fragments.WH.clear();
        return;
    }
    fragments.WH.assign(u" -ws[").append(width).append(u",").append(height).append(u"]");
}

void RefreshAll(OptionFragments& fragments, const ControlValues& values) {
    for (std::size_t i = 0; i < values.checks.size(); ++i) {
        RefreshFragment(fragments, static_cast<int>(i) + 1, values.checks[i]);
    }
    RefreshWH(fragments, values.width, values.height);
}

std::u16string BuildCommandLine(const OptionFragments& fragments) {
    std::u16string line = u"Vandrelix.exe \"";
    line.append(fragments.modelpath).append(u"\"");
    for (const std::u16string* option :
         {&fragments.outline, &fragments.selfshadow, &fragments.shadow, &fragments.message,
          &fragments.axis, &fragments.WH, &fragments.prtscr}) {
        line.append(*option);
    }
    return line;
}

}  // namespace compose
