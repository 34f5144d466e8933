#include "tests/window/win32/pictures.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(what);
    }
}

}  // namespace

bool Near(std::uint32_t colour, std::uint32_t expected) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = static_cast<int>(colour >> shift & 0xFF);
        if (std::abs(channel - static_cast<int>(expected >> shift & 0xFF)) > 40) {
            return false;
        }
    }
    return true;
}

Bytes Encoded(REFGUID container, int width, int height,
              const std::function<std::uint32_t(int, int)>& colour) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_PPV_ARGS(&factory)),
          "no WIC");
    Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), "no stream");
    Check(factory->CreateEncoder(container, nullptr, &encoder), "no encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "encoder");
    Check(encoder->CreateNewFrame(&frame, &options), "frame");
    Check(frame->Initialize(options.Get()), "frame options");
    Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "frame size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "pixel format");
    if (format != GUID_WICPixelFormat24bppBGR) {
        throw std::runtime_error("the encoder takes no 24-bit BGR pixels");
    }
    const UINT stride = static_cast<UINT>(width) * 3;
    Bytes pixels(stride * static_cast<UINT>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colour(x, y);
            unsigned char* pixel = &pixels[y * stride + x * 3];
            pixel[0] = static_cast<unsigned char>(rgb);
            pixel[1] = static_cast<unsigned char>(rgb >> 8);
            pixel[2] = static_cast<unsigned char>(rgb >> 16);
        }
    }
    Check(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                             pixels.data()),
          "pixels");
    Check(frame->Commit(), "frame commit");
    Check(encoder->Commit(), "encoder commit");

    HGLOBAL memory = nullptr;
    STATSTG status{};
    Check(GetHGlobalFromStream(stream.Get(), &memory), "stream memory");
    Check(stream->Stat(&status, STATFLAG_NONAME), "stream size");
    const auto* data = static_cast<const unsigned char*>(GlobalLock(memory));
    Bytes encoded(data, data + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return encoded;
}

Bytes Plain(REFGUID container, std::uint32_t colour) {
    return Encoded(container, 64, 48, [colour](int, int) { return colour; });
}

Bytes WithExifOrientation(Bytes jpeg, int orientation) {
    // APP1 "Exif", a little-endian TIFF header and one IFD with the orientation (tag 274).
    const unsigned char exif[] = {0xFF,
                                  0xE1,
                                  0x00,
                                  0x22,
                                  'E',
                                  'x',
                                  'i',
                                  'f',
                                  0,
                                  0,
                                  'I',
                                  'I',
                                  0x2A,
                                  0x00,
                                  0x08,
                                  0x00,
                                  0x00,
                                  0x00,
                                  0x01,
                                  0x00,
                                  0x12,
                                  0x01,
                                  0x03,
                                  0x00,
                                  0x01,
                                  0x00,
                                  0x00,
                                  0x00,
                                  static_cast<unsigned char>(orientation),
                                  0x00,
                                  0x00,
                                  0x00,
                                  0x00,
                                  0x00,
                                  0x00,
                                  0x00};
    jpeg.insert(jpeg.begin() + 2, std::begin(exif), std::end(exif));  // after start-of-image
    return jpeg;
}

Bytes JpegClaiming(int width, int height) {
    Bytes jpeg = Plain(GUID_ContainerFormatJpeg, kGreen);
    const unsigned char startOfFrame[] = {0xFF, 0xC0};
    const auto frame =
        std::search(jpeg.begin(), jpeg.end(), std::begin(startOfFrame), std::end(startOfFrame));
    if (frame == jpeg.end()) {
        throw std::runtime_error("the JPEG has no baseline frame header");
    }
    frame[5] = static_cast<unsigned char>(height >> 8);
    frame[6] = static_cast<unsigned char>(height);
    frame[7] = static_cast<unsigned char>(width >> 8);
    frame[8] = static_cast<unsigned char>(width);
    return jpeg;
}

Pixels ShownPicture(HWND image) {
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP shape{};
    if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape)) {
        return {};
    }
    Pixels pixels{shape.bmWidth, shape.bmHeight,
                  std::vector<std::uint32_t>(static_cast<std::size_t>(shape.bmWidth) *
                                             static_cast<std::size_t>(shape.bmHeight))};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.rgb.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : pixels.rgb) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}
