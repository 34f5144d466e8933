#pragma once

#include "window/win32/desktop.h"
#include "window/win32/orientation.h"
#include "window/win32/unique_handles.h"

#include <wincodec.h>

#include <string>

// Decodes the picture at `path` (its format read from its content) straight to `size` pixels,
// upright as its EXIF orientation says, into a 32-bit DIB section. Null when `path` is not a
// regular file with its data on this computer, as `desktop` tells, holds no picture WIC can read
// whole, or claims more pixels than a full-size decode may hold. Needs COM on the calling thread.
UniqueBitmap LoadPreview(const Desktop& desktop, const std::wstring& path, SIZE size);

// The decoded `frame` at `size` pixels once turned by `orientation`, scaled by the frame's own
// decoder where it offers that; null when WIC fails.
UniqueBitmap PreviewOfFrame(IWICImagingFactory& factory, IWICBitmapSource& frame,
                            Orientation orientation, SIZE size);
