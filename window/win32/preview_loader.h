#pragma once

#include "window/win32/unique_handles.h"

#include <string>

// Decodes the picture at `path` (its format read from its content) straight to `size` pixels,
// upright as its EXIF orientation says, into a 32-bit DIB section. Null when `path` is not a
// regular file, holds no picture WIC can read whole, or claims more pixels than a full-size
// decode may hold. Needs COM on the calling thread.
UniqueBitmap LoadPreview(const std::wstring& path, SIZE size);
