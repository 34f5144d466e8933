#include "window/win32/preview_loader.h"

#include "window/win32/file_path.h"
#include "window/win32/picture_header.h"
#include "window/win32/wic_source_transform.h"

#include <wrl/client.h>

#include <cstdint>
#include <optional>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// A full-size decode of a larger picture would hold hundreds of megabytes, so a header that
// claims one is refused before anything is decoded.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

// Opening a device or a pipe could block the window, and so could reading a file that Windows
// downloads first, so only files on a disk, with their data here, are read.
UniqueHandle OpenRegularFile(const Desktop& desktop, const std::wstring& path) {
    const DWORD attributes =
        NamesAFile(path) ? desktop.FileAttributes(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | Desktop::kDataElsewhere)) {
        return nullptr;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    UniqueHandle owned(file);
    return GetFileType(file) == FILE_TYPE_DISK ? std::move(owned) : nullptr;
}

// The picture as the decoder itself scales it to about `width` by `height`, where it can:
// JPEG's decoder on Windows skips most of the work for the pixels it leaves out.
ComPtr<IWICBitmapSource> ScaledByDecoder(IWICImagingFactory& factory, IWICBitmapSource& frame,
                                         UINT width, UINT height) {
    ComPtr<IWICBitmapSourceTransform> transform;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppPBGRA;
    if (FAILED(frame.QueryInterface(IID_PPV_ARGS(&transform))) ||
        FAILED(transform->GetClosestSize(&width, &height)) ||
        FAILED(transform->GetClosestPixelFormat(&format))) {
        return nullptr;
    }
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICBitmapLock> lock;
    const WICRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    UINT stride = 0;
    UINT bytes = 0;
    BYTE* pixels = nullptr;
    if (FAILED(factory.CreateBitmap(width, height, format, WICBitmapCacheOnLoad, &bitmap)) ||
        FAILED(bitmap->Lock(&all, WICBitmapLockWrite, &lock)) || FAILED(lock->GetStride(&stride)) ||
        FAILED(lock->GetDataPointer(&bytes, &pixels)) ||
        FAILED(transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0,
                                     stride, bytes, pixels))) {
        return nullptr;
    }
    return bitmap;
}

UniqueBitmap UprightBitmap(const std::vector<std::uint32_t>& decoded, UINT width, UINT height,
                           Orientation orientation, SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) {
        TurnUpright(decoded.data(), static_cast<int>(width), static_cast<int>(height), orientation,
                    static_cast<std::uint32_t*>(bits));
    }
    return bitmap;
}

}  // namespace

UniqueBitmap LoadPreview(const Desktop& desktop, const std::wstring& path, SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) {
        return nullptr;
    }
    const UniqueHandle file = OpenRegularFile(desktop, WithoutLengthLimit(path));
    const std::optional<PictureHeader> header = file ? ReadPictureHeader(file.get()) : std::nullopt;
    if (!header || header->width == 0 || header->height == 0 ||
        std::uint64_t{header->width} * header->height > kMaxPixels) {
        return nullptr;
    }
    constexpr LARGE_INTEGER kStart{};
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (!SetFilePointerEx(file.get(), kStart, nullptr, FILE_BEGIN) ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.get()),
                                                    nullptr, WICDecodeMetadataCacheOnDemand,
                                                    &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame))) {
        return nullptr;
    }
    return PreviewOfFrame(*factory.Get(), *frame.Get(),
                          FromExifOrientation(header->exifOrientation), size);
}

UniqueBitmap PreviewOfFrame(IWICImagingFactory& factory, IWICBitmapSource& frame,
                            Orientation orientation, SIZE size) {
    // Decoded as stored, then turned upright: a quarter turn swaps the size to decode to.
    const auto decodedWidth = static_cast<UINT>(orientation.swapAxes ? size.cy : size.cx);
    const auto decodedHeight = static_cast<UINT>(orientation.swapAxes ? size.cx : size.cy);
    ComPtr<IWICBitmapSource> source = ScaledByDecoder(factory, frame, decodedWidth, decodedHeight);
    if (!source) {
        source = &frame;
    }

    ComPtr<IWICBitmapScaler> scaler;
    ComPtr<IWICFormatConverter> converter;
    std::vector<std::uint32_t> decoded(std::size_t{decodedWidth} * decodedHeight);
    const UINT stride = decodedWidth * 4;
    if (FAILED(factory.CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(source.Get(), decodedWidth, decodedHeight,
                                  WICBitmapInterpolationModeFant)) ||
        FAILED(factory.CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(scaler.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, stride, stride * decodedHeight,
                                     reinterpret_cast<BYTE*>(decoded.data())))) {
        return nullptr;
    }
    return UprightBitmap(decoded, decodedWidth, decodedHeight, orientation, size);
}
