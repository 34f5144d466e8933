#include "tests/window/win32/open_form.h"

#include "window/win32/controls.h"
#include "window/win32/message_loop.h"
#include "window/win32/text.h"

#include <psapi.h>
#include <shlobj.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(what);
    }
}

HGLOBAL GlobalCopy(const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

// Lets go of the button at once, over wherever the cursor is.
class ImmediateDrop final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDropSource ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives on the caller's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

std::unique_ptr<FormDriver> OpenForm() { return std::make_unique<Win32Form>(); }

Win32Form::Win32Form() : m_form(GetModuleHandleW(nullptr)) {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (unsigned attempt = GetTickCount(); m_folder.empty(); ++attempt) {
        const std::wstring candidate = base + (L"karvosel-" + std::to_wstring(attempt));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_folder = candidate;
        }
    }
    m_form.Show(SW_SHOWNORMAL);
    if (!form() || !waitFor([this] { return GetForegroundWindow() == form(); })) {
        throw std::runtime_error("the form did not open");
    }
}

Win32Form::~Win32Form() {
    // The form ends the message loop when it is destroyed; here the next test's form follows.
    DestroyWindow(form());
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

HWND Win32Form::control(std::u16string_view name) const { return FindControl(form(), name); }

void Win32Form::pump() const {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DeliverMessage(form(), message);
    }
}

bool Win32Form::waitFor(const std::function<bool()>& condition) const {
    for (int tries = 0; tries < 500; ++tries) {
        pump();
        if (condition()) {
            return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

std::u16string Win32Form::path(std::u16string_view name) const {
    return ToU16(m_folder) + u"\\" + std::u16string(name);
}

std::string Win32Form::jpeg(const Pixels& picture) const {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_PPV_ARGS(&factory)),
          "no WIC");
    Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), "no stream");
    Check(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder), "no encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "encoder");
    Check(encoder->CreateNewFrame(&frame, &options), "frame");
    PROPBAG2 quality{};
    quality.pstrName = const_cast<wchar_t*>(L"ImageQuality");
    VARIANT value{};
    value.vt = VT_R4;
    value.fltVal = 0.95f;
    Check(options->Write(1, &quality, &value), "quality");
    Check(frame->Initialize(options.Get()), "frame options");
    const auto width = static_cast<UINT>(picture.width), height = static_cast<UINT>(picture.height);
    Check(frame->SetSize(width, height), "frame size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "pixel format");
    if (format != GUID_WICPixelFormat24bppBGR) {
        throw std::runtime_error("the encoder takes no 24-bit BGR pixels");
    }
    std::vector<BYTE> pixels;
    pixels.reserve(picture.rgb.size() * 3);
    for (const std::uint32_t rgb : picture.rgb) {
        pixels.insert(pixels.end(), {BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16)});
    }
    Check(frame->WritePixels(height, static_cast<UINT>(pixels.size() / height),
                             static_cast<UINT>(pixels.size()), pixels.data()),
          "pixels");
    Check(frame->Commit(), "frame commit");
    Check(encoder->Commit(), "encoder commit");
    HGLOBAL memory = nullptr;
    STATSTG status{};
    Check(GetHGlobalFromStream(stream.Get(), &memory), "stream memory");
    Check(stream->Stat(&status, STATFLAG_NONAME), "stream size");
    std::string encoded(static_cast<const char*>(GlobalLock(memory)), status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return encoded;
}

std::u16string Win32Form::text(std::u16string_view name) const {
    return ToU16(WindowText(control(name)));
}

std::u16string Win32Form::selectedText(std::u16string_view name) const {
    DWORD start = 0, end = 0;
    SendMessageW(control(name), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return text(name).substr(start, end - start);
}

std::u16string Win32Form::focused() const {
    for (const ControlSpec& spec : kFormLayout) {
        if (GetFocus() && GetDlgCtrlID(GetFocus()) == ControlId(spec.name)) {
            return std::u16string(spec.name);
        }
    }
    return u"";
}

void Win32Form::click(std::u16string_view name) {
    SetFocus(control(name));
    SendMessageW(control(name), BM_CLICK, 0, 0);  // edit boxes ignore it
    pump();
}

void Win32Form::doubleClick(std::u16string_view name) {
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        SendMessageW(control(name), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(5, 5));
    }
    pump();
}

void Win32Form::type(std::u16string_view name, std::u16string_view text) {
    const HWND box = control(name);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 0);
    for (const char16_t c : text) {
        SendMessageW(box, WM_CHAR, c, 0);
    }
    pump();
}

void Win32Form::press(Key key) {
    const HWND focus = GetFocus();
    if (key == Key::ControlA) {
        PostMessageW(focus, WM_CHAR, 1, 1);  // what Control+A comes to, translated
    } else {
        const WORD code = key == Key::Tab ? VK_TAB : key == Key::Space ? VK_SPACE : VK_RETURN;
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focus, WM_KEYDOWN, code, 1 | scan);
        PostMessageW(focus, WM_KEYUP, code, 1 | scan | LPARAM{3} << 30);
    }
    pump();
}

Copied Win32Form::copy(std::optional<Key> key) {
    if (!PutClipboardText(u"untouched")) {
        throw std::runtime_error("the clipboard could not be prepared");
    }
    Copied copied;
    copied.message = MessageBoxDuring([&] { key ? press(*key) : click(u"Command1"); });
    copied.clipboard = ClipboardText();
    return copied;
}

// The dragged data is what the clipboard offers through OLE, as another program's would be.
bool Win32Form::drop(const std::vector<std::u16string>& files, std::u16string_view name) {
    std::u16string names;
    for (const std::u16string& file : files) {
        names += file + u'\0';
    }
    std::string fileList(sizeof(DROPFILES), '\0');
    reinterpret_cast<DROPFILES*>(fileList.data())->pFiles = sizeof(DROPFILES);
    reinterpret_cast<DROPFILES*>(fileList.data())->fWide = TRUE;
    fileList.append(reinterpret_cast<const char*>(names.c_str()), (names.size() + 1) * 2);
    const std::u16string text = files.empty() ? path(u"robot.model") : files.front();
    if (!OpenClipboard(nullptr)) {
        throw std::runtime_error("the clipboard could not be opened");
    }
    EmptyClipboard();
    if (!files.empty()) {
        SetClipboardData(CF_HDROP, GlobalCopy(fileList.data(), fileList.size()));
    }
    SetClipboardData(CF_UNICODETEXT, GlobalCopy(text.c_str(), (text.size() + 1) * 2));
    CloseClipboard();
    ComPtr<IDataObject> data;
    Check(OleGetClipboard(&data), "no data object");

    RECT target{};
    GetWindowRect(control(name), &target);
    SetCursorPos((target.left + target.right) / 2, (target.top + target.bottom) / 2);
    ImmediateDrop source;
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    pump();
    return effect == DROPEFFECT_COPY;
}

Pixels Win32Form::preview() const {
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(control(u"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP shape{};
    if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape)) {
        return {};
    }
    Pixels pixels{shape.bmWidth, shape.bmHeight,
                  std::vector<std::uint32_t>(std::size_t(shape.bmWidth) * shape.bmHeight)};
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof info.bmiHeader, shape.bmWidth, -shape.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.rgb.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : pixels.rgb) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

std::pair<int, int> Win32Form::previewRoom() const {
    RECT room{};
    GetClientRect(control(u"Image1"), &room);
    return {room.right, room.bottom};
}

std::size_t Win32Form::peakBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

std::u16string ClipboardText() {
    std::u16string text = u"(the clipboard could not be opened)";
    if (OpenClipboard(nullptr)) {
        const HANDLE data = GetClipboardData(CF_UNICODETEXT);
        text = data ? static_cast<const char16_t*>(GlobalLock(data)) : u"";
        GlobalUnlock(data);
        CloseClipboard();
    }
    return text;
}

bool PutClipboardText(std::u16string_view text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const std::u16string terminated(text);
    const bool placed =
        SetClipboardData(CF_UNICODETEXT,
                         GlobalCopy(terminated.c_str(), (terminated.size() + 1) * 2)) != nullptr;
    CloseClipboard();
    return placed;
}

std::optional<std::u16string> MessageBoxDuring(const std::function<void()>& action) {
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::optional<std::u16string> text;
    std::thread watcher([&] {
        for (; !done; Sleep(10)) {
            HWND box = nullptr;
            EnumThreadWindows(
                thread,
                [](HWND window, LPARAM found) -> BOOL {
                    wchar_t name[16] = {};
                    GetClassNameW(window, name, 16);
                    if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window)) {
                        return TRUE;
                    }
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&box));
            if (box) {
                // The message's static control has the id 0xFFFF in every message box.
                text = ToU16(WindowText(GetDlgItem(box, 0xFFFF)));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
        }
    });
    action();
    done = true;
    watcher.join();
    return text;
}
