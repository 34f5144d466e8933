#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// What a picture's header claims, read before any decoder sees the file: some decoders
// (Wine's among them) decode the whole picture as soon as they open it.
struct PictureHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int exifOrientation = 1;  // as stored, unless a JPEG's EXIF segment says otherwise
};

// The header of the JPEG, PNG, GIF or BMP picture in `file`, read from its start. Nothing for
// any other content, or a header cut short.
std::optional<PictureHeader> ReadPictureHeader(HANDLE file);
