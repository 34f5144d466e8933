#include "window/win32/preview_loader.h"
#include "tests/window/turned_picture.h"
#include "tests/window/win32/open_form.h"
#include "window/win32/ole_session.h"
#include "window/win32/wic_source_transform.h"

#include <gtest/gtest.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <thread>

using Microsoft::WRL::ComPtr;

namespace {

// A frame as Windows' JPEG decoder offers it, which Wine's does not: decoded straight to 1, 1/2,
// 1/4 or 1/8 of its size. It lives on the test's stack, so it counts no references.
class ScalingFrame final : public IWICBitmapSource, public IWICBitmapSourceTransform {
public:
    ScalingFrame(IWICImagingFactory& factory, IWICBitmapSource& frame)
        : m_factory(factory), m_frame(frame) {}

    SIZE scaledTo{};  // what the last scaled decode was asked for
    bool decodedWhole = false;

    STDMETHODIMP QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IWICBitmapSourceTransform)) {
            *object = static_cast<IWICBitmapSourceTransform*>(this);
        } else {
            const bool source = id == IID_IUnknown || id == IID_IWICBitmapSource;
            *object = source ? static_cast<IWICBitmapSource*>(this) : nullptr;
        }
        return *object ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetSize(UINT* width, UINT* height) override {
        return m_frame.GetSize(width, height);
    }
    STDMETHODIMP GetPixelFormat(WICPixelFormatGUID* format) override {
        return m_frame.GetPixelFormat(format);
    }
    STDMETHODIMP GetResolution(double* x, double* y) override {
        return m_frame.GetResolution(x, y);
    }
    STDMETHODIMP CopyPalette(IWICPalette* palette) override { return m_frame.CopyPalette(palette); }
    STDMETHODIMP CopyPixels(const WICRect* rect, UINT stride, UINT size, BYTE* pixels) override {
        decodedWhole = true;
        return m_frame.CopyPixels(rect, stride, size, pixels);
    }

    // The smallest of its sizes that still covers the one asked for.
    STDMETHODIMP GetClosestSize(UINT* width, UINT* height) override {
        UINT fullWidth = 0, fullHeight = 0, scale = 8;
        m_frame.GetSize(&fullWidth, &fullHeight);
        const auto scaled = [&](UINT full) {
            return (full + scale - 1) / scale;
        };
        while (scale > 1 && (scaled(fullWidth) < *width || scaled(fullHeight) < *height)) {
            scale /= 2;
        }
        *width = scaled(fullWidth);
        *height = scaled(fullHeight);
        return S_OK;
    }
    STDMETHODIMP GetClosestPixelFormat(WICPixelFormatGUID* format) override {
        return m_frame.GetPixelFormat(format);
    }
    STDMETHODIMP DoesSupportTransform(WICBitmapTransformOptions transform,
                                      BOOL* supported) override {
        *supported = transform == WICBitmapTransformRotate0;
        return S_OK;
    }
    STDMETHODIMP CopyPixels(const WICRect* rect, UINT width, UINT height,
                            WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                            UINT stride, UINT size, BYTE* pixels) override {
        UINT closestWidth = width, closestHeight = height;
        GetClosestSize(&closestWidth, &closestHeight);
        ComPtr<IWICBitmapScaler> scaler;
        ComPtr<IWICFormatConverter> converter;
        if (closestWidth != width || closestHeight != height ||
            transform != WICBitmapTransformRotate0 ||
            FAILED(m_factory.CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(&m_frame, width, height, WICBitmapInterpolationModeFant)) ||
            FAILED(m_factory.CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(scaler.Get(), *format, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom))) {
            return E_INVALIDARG;
        }
        scaledTo = {static_cast<LONG>(width), static_cast<LONG>(height)};
        return converter->CopyPixels(rect, stride, size, pixels);
    }

private:
    IWICImagingFactory& m_factory;
    IWICBitmapSource& m_frame;
};

TEST(PreviewOfFrame, ScaledByTheDecoderIsTheSamePictureUpright) {
    const OleSession com;  // no form brings it here
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)));
    ASSERT_HRESULT_SUCCEEDED(factory->CreateDecoderFromFilename(
        L"" TURNED_JPEG, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder));
    ASSERT_HRESULT_SUCCEEDED(decoder->GetFrame(0, &frame));
    // The stored 64 by 32 picture shown at 20 by 10, or 10 by 20 turned, is decoded at half size
    // and never whole.
    for (const char orientation : {1, 3, 6, 8}) {
        SCOPED_TRACE(int{orientation});
        ScalingFrame scaling(*factory.Get(), *frame.Get());
        const Orientation turn = FromExifOrientation(orientation);
        const SIZE room = turn.swapAxes ? SIZE{10, 20} : SIZE{20, 10};
        const UniqueBitmap preview = PreviewOfFrame(*factory.Get(), scaling, turn, room);
        EXPECT_EQ(std::pair(scaling.scaledTo.cx, scaling.scaledTo.cy), std::pair(32L, 16L));
        EXPECT_FALSE(scaling.decodedWhole);
        EXPECT_TRUE(
            ShowsQuadrantsUpright(PixelsOf(preview.get()), {room.cx, room.cy}, orientation));
    }
}

// Before Windows 11 a name such as COM1 names a device whatever its extension, so a model called
// COM1.model has a picture path that opens a serial port. Here COM9 leads to a pipe, which tells
// whether anything opened it.
TEST(LoadPreview, NeverOpensADeviceOrAPipe) {
    const std::wstring name = L"karvosel-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring device = LR"(\Device\NamedPipe\)" + name;
    ASSERT_TRUE(DefineDosDeviceW(DDD_RAW_TARGET_PATH, L"COM9", device.c_str()));
    struct Undefine {
        const std::wstring& device;
        ~Undefine() {
            DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION, L"COM9", device.c_str());
        }
    } undefine{device};
    const UniqueHandle pipe(CreateNamedPipeW((LR"(\\.\pipe\)" + name).c_str(),
                                             PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                             PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
    const UniqueHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const UniqueHandle loaded(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED connection{};
    connection.hEvent = opened.get();
    ASSERT_FALSE(ConnectNamedPipe(pipe.get(), &connection));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    bool shown = true;
    std::thread loader([&] {
        shown = LoadPreview(Desktop(), folder + std::wstring(L"COM9.jpg"), {64, 32}) != nullptr;
        SetEvent(loaded.get());
    });
    // An opening completes before the loader goes on, so it is seen first if there was one.
    const HANDLE events[] = {opened.get(), loaded.get()};
    EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, kPatience), WAIT_OBJECT_0 + 1);
    // Whoever opened the pipe finds it closed, so that a read of it cannot hang.
    DisconnectNamedPipe(pipe.get());
    loader.join();
    EXPECT_FALSE(shown);
}

}  // namespace
