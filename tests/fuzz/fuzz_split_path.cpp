// Any path split at either separator gives parts that fit back together.
#include "compose/dropped_path.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdlib>

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const char16_t separator = input.Byte() % 2 ? u'/' : u'\\';
    const std::u16string path = input.Rest();
    const compose::DroppedPathParts parts = compose::SplitDroppedPath(path, separator);

    Require(parts.fullpath == path);
    Require(path.starts_with(parts.folder));
    Require(parts.folder.empty() || parts.folder.back() == separator);
    Require(parts.folder + parts.filename == path);
    Require(parts.filename.find(separator) == std::u16string::npos);
    Require(parts.filename.starts_with(parts.displayname));
    Require(parts.filename.ends_with(parts.extension));
    Require(parts.previewpath == (path.empty() ? u"" : parts.folder + parts.displayname + u".jpg"));
    return 0;
}
