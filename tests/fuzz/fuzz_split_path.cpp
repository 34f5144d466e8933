// Any path split at either separator gives parts that fit back together.
#include "tests/compose/split_rules.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const char16_t separator = input.Byte() % 2 ? u'/' : u'\\';
    const std::u16string path = input.Rest();
    if (BrokenSplitRule(path, separator)) {
        std::abort();
    }
    return 0;
}
