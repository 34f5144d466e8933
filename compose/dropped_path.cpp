#include "compose/dropped_path.h"

namespace compose {

DroppedPathParts SplitDroppedPath(std::u16string_view fullpath, char16_t separator) {
    DroppedPathParts parts;
    if (fullpath.empty()) {
        return parts;
    }
    const std::size_t lastSeparator = fullpath.rfind(separator);
    const std::size_t nameStart =
        lastSeparator == std::u16string_view::npos ? 0 : lastSeparator + 1;
    const std::u16string_view filename = fullpath.substr(nameStart);
    const std::size_t lastDot = filename.rfind(u'.');
    const bool hasDot = lastDot != std::u16string_view::npos;

    parts.fullpath = fullpath;
    parts.filename = filename;
    parts.extension = hasDot ? filename.substr(lastDot + 1) : filename;
    parts.displayname = hasDot ? filename.substr(0, lastDot) : filename;
    parts.folder = fullpath.substr(0, nameStart);
    parts.previewpath = parts.folder + parts.displayname + u".jpg";
    return parts;
}

}  // namespace compose
