// preview_bench (Windows, run under Wine): drop-to-preview time for large JPEGs against WIC's
// full-size decode of the same files, and the peak memory of a drop.
// With `--peak MODEL` it drops one model and prints its peak working set in KiB and whether the
// form shows a preview.
#include "bench/bench_table.h"
#include "bench/median.h"
#include "bench/photo.h"
#include "tests/window/win32/open_form.h"
#include "window/win32/ole_session.h"
#include "window/win32/text.h"
#include "window/win32/unique_handles.h"

#include <psapi.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

[[noreturn]] void Fail(const char* why) {
    std::fprintf(stderr, "preview_bench: %s\n", why);
    std::exit(2);
}

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        Fail(what);
    }
}

// What a program that shows the whole picture does: every pixel decoded, in the format a DIB
// section takes.
void DecodeFullSize(IWICImagingFactory& factory, const std::wstring& path) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    Check(factory.CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                            WICDecodeMetadataCacheOnDemand, &decoder),
          "WIC cannot open the picture");
    Check(decoder->GetFrame(0, &frame), "the picture has no frame");
    Check(frame->GetSize(&width, &height), "the picture has no size");
    Check(factory.CreateFormatConverter(&converter), "no format converter");
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          "no conversion to 32bppPBGRA");
    std::vector<BYTE> pixels(std::size_t{width} * height * 4);
    Check(
        converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data()),
        "the full-size decode failed");
}

// A photo of `size` as a JPEG of quality 95, from WIC's own encoder.
std::string EncodePhoto(IWICImagingFactory& factory, const PhotoSize& size) {
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), "no stream");
    Check(factory.CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder), "no JPEG encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "the encoder did not start");
    Check(encoder->CreateNewFrame(&frame, &options), "no frame to encode");
    PROPBAG2 quality{};
    quality.pstrName = const_cast<wchar_t*>(L"ImageQuality");
    VARIANT value{};
    value.vt = VT_R4;
    value.fltVal = 0.95f;
    Check(options->Write(1, &quality, &value), "no JPEG quality");
    Check(frame->Initialize(options.Get()), "the frame did not start");
    const auto width = static_cast<UINT>(size.width), height = static_cast<UINT>(size.height);
    Check(frame->SetSize(width, height), "no frame size");
    // The colour format WIC's JPEG encoder takes.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "no pixel format");
    if (format != GUID_WICPixelFormat24bppBGR) {
        Fail("the encoder takes no 24-bit BGR pixels");
    }
    std::vector<BYTE> pixels;
    pixels.reserve(std::size_t{width} * height * 3);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const std::uint32_t rgb = PhotoPixel(x, y, size.width, size.height);
            pixels.insert(pixels.end(), {BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16)});
        }
    }
    Check(frame->WritePixels(height, width * 3, static_cast<UINT>(pixels.size()), pixels.data()),
          "the pixels were not taken");
    Check(frame->Commit(), "the frame was not encoded");
    Check(encoder->Commit(), "the picture was not encoded");
    HGLOBAL memory = nullptr;
    STATSTG status{};
    Check(GetHGlobalFromStream(stream.Get(), &memory), "no encoded memory");
    Check(stream->Stat(&status, STATFLAG_NONAME), "no encoded size");
    const auto* bytes = static_cast<const char*>(GlobalLock(memory));
    if (!bytes) {
        Fail("the encoded picture cannot be read");
    }
    std::string encoded(bytes, status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return encoded;
}

void MeasurePeak(const std::wstring& model) {
    Win32Form form;
    if (!form.drop({ToU16(model)}, u"Frame1")) {
        Fail("the form refused the drop");
    }
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("%zu %d\n", counters.PeakWorkingSetSize / 1024, !form.preview().rgb.empty());
}

// The peak working set in KiB of a fresh process of this program that drops `model`; it must
// show a preview when `withPicture`.
double PeakKiB(const std::wstring& model, bool withPicture) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --peak \"" + model + L"\"";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inheritable, 0)) {
        Fail("no pipe");
    }
    const UniqueHandle readEnd(reading);
    UniqueHandle writeEnd(writing);
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writing;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
        Fail("the measuring process did not start");
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    writeEnd.reset();  // so that reading ends when the child exits
    std::string output;
    char buffer[64];
    DWORD got = 0;
    while (ReadFile(reading, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    WaitForSingleObject(process.get(), INFINITE);
    std::istringstream figures(output);
    double peak = 0;
    int shown = -1;
    if (!(figures >> peak >> shown) || shown != withPicture) {
        Fail("the measuring process did not show what it dropped");
    }
    return peak;
}

// An empty model beside the picture, as the drop takes only names of files that exist.
std::u16string ModelFile(const Win32Form& form, const std::u16string& name) {
    return form.write(name + u".model", {});
}

void MeasureDrops() {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_PPV_ARGS(&factory)),
          "no WIC");
    Win32Form form;
    const double baseline = PeakKiB(ToWide(ModelFile(form, u"none")), false);
    for (const PhotoSize& size : kPhotoSizes) {
        const std::u16string name = ToU16(L"photo" + std::to_wstring(size.megapixels));
        const std::wstring jpeg =
            ToWide(form.write(name + u".jpg", EncodePhoto(*factory.Get(), size)));
        const std::u16string model = ModelFile(form, name);

        const double drop = MedianMilliseconds(9, [&] {
            if (!form.drop({model}, u"Frame1")) {
                Fail("the form refused the drop");
            }
        });
        const double full = MedianMilliseconds(5, [&] { DecodeFullSize(*factory.Get(), jpeg); });
        const std::string label = "Windows: preview " + std::to_string(size.megapixels) + " MP: ";
        PrintRow(label + "drop to preview, ms, vs WIC full-size decode", drop, Format(full),
                 Format(full / drop) + " x faster", "-", std::nullopt);
        // No target: Wine 8's WIC decodes the whole frame however little of it is asked for (it
        // has no IWICBitmapSourceTransform), so here the growth follows the picture's size.
        const double growth = (PeakKiB(ToWide(model), true) - baseline) / 1024.0;
        PrintRow(label + "peak memory over a drop without picture, MiB", growth, "-", "-", "-",
                 std::nullopt);
    }
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const OleSession ole;  // for the decoders measured outside a form
    if (argc == 3 && std::wstring_view(argv[1]) == L"--peak") {
        MeasurePeak(argv[2]);
    } else {
        MeasureDrops();
    }
    return 0;
}
