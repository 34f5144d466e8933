#pragma once

#include "compose/dropped_path.h"

#include <string_view>

// The first rule that the parts of `path`, split at `separator`, break; null when they all
// hold. Shared by the property test and the fuzzer.
inline const char* BrokenSplitRule(std::u16string_view path, char16_t separator) {
    const compose::DroppedPathParts parts = compose::SplitDroppedPath(path, separator);
    if (parts.fullpath != path || parts.folder + parts.filename != path) {
        return "folder and file name make the path";
    }
    if (!parts.folder.empty() && parts.folder.back() != separator) {
        return "a folder ends with the separator";
    }
    if (parts.filename.find(separator) != std::u16string::npos) {
        return "the file name holds no separator";
    }
    if (!parts.filename.starts_with(parts.displayname)) {
        return "the name begins the file name";
    }
    if (!parts.filename.ends_with(parts.extension)) {
        return "the extension ends the file name";
    }
    if (parts.previewpath != (path.empty() ? u"" : parts.folder + parts.displayname + u".jpg")) {
        return "the preview is the folder, the name and .jpg";
    }
    return nullptr;
}
