#pragma once

#include <string>
#include <string_view>

namespace compose {

// A dropped file's path and what the window derives from it.
struct DroppedPathParts {
    std::u16string fullpath, filename, extension, displayname, folder, previewpath;
};

// Splits `fullpath` at its last `separator`: the file name after it, the folder up to and
// including it, the name without its last ".extension", and the .jpg beside the file with that
// name. An empty path gives six empty parts.
DroppedPathParts SplitDroppedPath(std::u16string_view fullpath, char16_t separator = u'\\');

}  // namespace compose
