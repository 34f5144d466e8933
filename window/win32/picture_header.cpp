#include "window/win32/picture_header.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

bool Read(HANDLE file, Bytes& bytes, std::size_t count) {
    bytes.resize(count);
    DWORD read = 0;
    return ReadFile(file, bytes.data(), static_cast<DWORD>(count), &read, nullptr) && read == count;
}

bool Skip(HANDLE file, std::uint32_t count) {
    LARGE_INTEGER distance{};
    distance.QuadPart = count;
    return SetFilePointerEx(file, distance, nullptr, FILE_CURRENT);
}

std::uint32_t BigEndian(const Bytes& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

constexpr std::size_t kTiff = 6;

// Whether an APP1 segment is EXIF's: "Exif" and two zero bytes. Others, such as the XMP that
// phones and photo editors add after it, carry no orientation that counts.
bool IsExif(const Bytes& app1) {
    const std::array<unsigned char, kTiff> exif{'E', 'x', 'i', 'f', 0, 0};
    return app1.size() >= kTiff && std::equal(exif.begin(), exif.end(), app1.begin());
}

// Tag 274 of the first IFD of an EXIF segment's TIFF structure: "II" (little-endian) or "MM"
// (big-endian) with its offsets counted from there.
int ExifOrientation(const Bytes& app1) {
    if (app1.size() < kTiff + 8 || (app1[kTiff] != 'I' && app1[kTiff] != 'M') ||
        app1[kTiff] != app1[kTiff + 1]) {
        return 1;
    }
    const bool little = app1[kTiff] == 'I';
    const auto number = [&](std::size_t at, int size) {
        return little ? LittleEndian(app1, kTiff + at, size) : BigEndian(app1, kTiff + at, size);
    };
    const std::size_t tiffSize = app1.size() - kTiff;
    const std::size_t directory = number(4, 4);
    if (directory > tiffSize - 2) {
        return 1;
    }
    const std::size_t entries = number(directory, 2);
    for (std::size_t i = 0; i < entries; ++i) {
        constexpr std::size_t kEntrySize = 12;
        constexpr std::uint32_t kOrientationTag = 274;
        const std::size_t entry = directory + 2 + i * kEntrySize;
        if (entry + kEntrySize > tiffSize) {
            break;
        }
        if (number(entry, 2) == kOrientationTag) {
            return static_cast<int>(number(entry + 8, 2));
        }
    }
    return 1;
}

// Walks the segments up to the frame header; the EXIF segment comes before it.
std::optional<PictureHeader> JpegHeader(HANDLE file) {
    PictureHeader header;
    Bytes bytes;
    while (Read(file, bytes, 4) && bytes[0] == 0xFF) {
        const unsigned char marker = bytes[1];
        const std::uint32_t length = BigEndian(bytes, 2, 2);
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (length < 2 || marker == 0xDA || marker == 0xD9) {
            return std::nullopt;
        }
        if (startOfFrame) {
            if (!Read(file, bytes, 5)) {
                return std::nullopt;
            }
            header.height = BigEndian(bytes, 1, 2);
            header.width = BigEndian(bytes, 3, 2);
            return header;
        }
        if (marker == 0xE1) {
            if (!Read(file, bytes, length - 2)) {
                return std::nullopt;
            }
            if (IsExif(bytes)) {
                header.exifOrientation = ExifOrientation(bytes);
            }
        } else if (!Skip(file, length - 2)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(HANDLE file) {
    Bytes start;
    if (!Read(file, start, 26)) {
        return std::nullopt;
    }
    const auto startsWith = [&start](std::initializer_list<unsigned char> signature) {
        return std::equal(signature.begin(), signature.end(), start.begin());
    };
    if (startsWith({0xFF, 0xD8})) {
        LARGE_INTEGER afterStartOfImage{};
        afterStartOfImage.QuadPart = 2;
        if (!SetFilePointerEx(file, afterStartOfImage, nullptr, FILE_BEGIN)) {
            return std::nullopt;
        }
        return JpegHeader(file);
    }
    if (startsWith({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) {
        return PictureHeader{BigEndian(start, 16, 4), BigEndian(start, 20, 4)};
    }
    if (startsWith({'G', 'I', 'F', '8'})) {
        return PictureHeader{LittleEndian(start, 6, 2), LittleEndian(start, 8, 2)};
    }
    if (startsWith({'B', 'M'})) {
        // A top-down BMP gives its height as a negative number.
        const std::int64_t height = static_cast<std::int32_t>(LittleEndian(start, 22, 4));
        return PictureHeader{LittleEndian(start, 18, 4),
                             static_cast<std::uint32_t>(height < 0 ? -height : height)};
    }
    return std::nullopt;
}
