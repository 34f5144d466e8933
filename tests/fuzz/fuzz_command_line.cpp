// Any history of clicks and size edits gives the line that the controls' last values give:
// the viewer, the path verbatim in quotes, and the options in their fixed order.
#include "compose/option_fragments.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdlib>
#include <string_view>

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The option part the viewer expects, written out independently of the composer.
std::u16string ExpectedOptions(const compose::ControlValues& values) {
    constexpr std::u16string_view kOffWhenCleared[] = {u" -xe", u" -xss", u" -xs", u" -xi",
                                                       u" -xa"};
    std::u16string options;
    for (std::size_t box = 0; box < 5; ++box) {
        if (values.checks[box] != 1) {
            options += kOffWhenCleared[box];
        }
    }
    if (!values.width.empty()) {
        options += u" -ws[" + values.width + u"," + values.height + u"]";
    }
    if (values.checks[5] == 1) {
        options += u" -cc[0,11,0]";
    }
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    compose::OptionFragments fragments;
    compose::ControlValues last;
    for (std::int16_t& check : last.checks) {
        check = static_cast<std::int16_t>(input.Byte() | (input.Byte() << 8));
    }
    compose::RefreshAll(fragments, last);

    for (int steps = input.Byte() % 16; steps > 0; --steps) {
        const int box = input.Byte() % 8;  // 0 and 7 stand for a size edit
        if (box == 0 || box == 7) {
            last.width = input.Text(8);
            last.height = input.Text(8);
            compose::RefreshWH(fragments, last.width, last.height);
        } else {
            const auto value = static_cast<std::int16_t>(input.Byte() % 4);
            last.checks[static_cast<std::size_t>(box - 1)] = value;
            compose::RefreshFragment(fragments, box, value);
        }
    }
    fragments.modelpath = input.Rest();

    const std::u16string line = compose::BuildCommandLine(fragments);
    const std::u16string head = u"Vandrelix.exe \"" + fragments.modelpath + u"\"";
    Require(line.starts_with(head));
    Require(line.substr(head.size()) == ExpectedOptions(last));
    return 0;
}
