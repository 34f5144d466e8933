#include "tests/window/win32/open_form.h"
#include "tests/window/win32/pictures.h"
#include "window/layout_table.h"
#include "window/messages.h"
#include "window/win32/controls.h"
#include "window/win32/text.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <wincodec.h>

#include <atomic>
#include <functional>

#include <memory>
#include <thread>

namespace {

std::wstring LineFor(const std::wstring& path) {
    return L"Vandrelix.exe \"" + path + L"\" -xi -xa -ws[400,600] -cc[0,11,0]";
}

std::wstring Name(HWND control) {
    for (const ControlSpec& spec : kFormLayout) {
        if (GetDlgCtrlID(control) == ControlId(spec.name)) {
            return ToWide(spec.name);
        }
    }
    return L"(not a control of the form)";
}

LOGFONTW FontOfControl(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

class Form1Test : public testing::Test {
protected:
    std::unique_ptr<OpenForm> m_open = std::make_unique<OpenForm>();
    TemporaryFolder m_folder;
};

TEST_F(Form1Test, OpensWithTheDesignTimeState) {
    const HWND form = m_open->form();
    EXPECT_EQ(TextOf(form), L"Karvosel");
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetClassLongPtrW(form, GCLP_HICON), 0);
    EXPECT_EQ(GetFocus(), m_open->control(u"Text1"));
    const UINT dpi = GetDpiForWindow(form);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, FormClientSize(dpi).cx);
    EXPECT_EQ(client.bottom, FormClientSize(dpi).cy);

    for (const ControlSpec& spec : kFormLayout) {
        SCOPED_TRACE(ToWide(spec.name).c_str());
        const HWND control = m_open->control(spec.name);
        if (spec.kind == ControlKind::Timer) {
            EXPECT_EQ(control, nullptr);
            continue;
        }
        ASSERT_NE(control, nullptr);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&place), 2);
        const PixelRect expected = ToPixels(spec.twips, static_cast<int>(dpi));
        EXPECT_EQ(place.left, expected.left);
        EXPECT_EQ(place.top, expected.top);
        EXPECT_EQ(place.right - place.left, expected.width);
        EXPECT_EQ(place.bottom - place.top, expected.height);
        if (spec.kind != ControlKind::Image) {
            EXPECT_EQ(TextOf(control), ToWide(spec.caption));
        }
        if (spec.kind == ControlKind::CheckBox) {
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), spec.value);
        }
        const LOGFONTW font = FontOfControl(control);
        if (spec.font != FontRole::PlatformDefault) {
            EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
            EXPECT_EQ(font.lfWeight, FW_NORMAL);
            EXPECT_EQ(font.lfHeight, -MulDiv(spec.font == FontRole::Font1 ? 12 : 14, dpi, 96));
        }
        // A caption never shows boxes: its font has a glyph for every character.
        const std::wstring caption = ToWide(spec.caption);
        std::vector<WORD> glyphs(caption.size());
        const HDC dc = GetDC(control);
        const HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        GetGlyphIndicesW(dc, caption.c_str(), static_cast<int>(caption.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0) << font.lfFaceName;
    }
}

TEST_F(Form1Test, CopiesTheDefaultLineEveryTime) {
    for (int copy = 0; copy < 2; ++copy) {
        const OpenForm::Copied copied = m_open->copy();
        EXPECT_EQ(copied.clipboard, kDefaultLine);
        EXPECT_FALSE(copied.message) << *copied.message;
    }
}

struct ControlChange {
    const char* what;
    std::vector<std::u16string_view> clicks;
    const wchar_t* width;  // null keeps the box as it is
    const wchar_t* height;
    std::wstring_view expected;
};

void PrintTo(const ControlChange& row, std::ostream* out) { *out << row.what; }

class ControlChangeTest : public Form1Test, public testing::WithParamInterface<ControlChange> {};

TEST_P(ControlChangeTest, ReachesTheCopiedLine) {
    for (const std::u16string_view box : GetParam().clicks) {
        m_open->click(box);
    }
    if (GetParam().width) {
        m_open->type(u"Text2", GetParam().width);
    }
    if (GetParam().height) {
        m_open->type(u"Text3", GetParam().height);
    }
    EXPECT_EQ(m_open->copy().clipboard, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Form1, ControlChangeTest,
    testing::Values(
        ControlChange{"outline_off",
                      {u"Check1"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xe -xi -xa -ws[400,600] -cc[0,11,0])"},
        ControlChange{"self_shadow_off",
                      {u"Check2"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xss -xi -xa -ws[400,600] -cc[0,11,0])"},
        ControlChange{"ground_shadow_off",
                      {u"Check3"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xs -xi -xa -ws[400,600] -cc[0,11,0])"},
        ControlChange{"information_on",
                      {u"Check4"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xa -ws[400,600] -cc[0,11,0])"},
        ControlChange{"axes_on",
                      {u"Check5"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xi -ws[400,600] -cc[0,11,0])"},
        ControlChange{"screenshot_off",
                      {u"Check6"},
                      nullptr,
                      nullptr,
                      LR"(Vandrelix.exe "" -xi -xa -ws[400,600])"},
        ControlChange{"clicked_twice", {u"Check1", u"Check1"}, nullptr, nullptr, kDefaultLine},
        ControlChange{"width_typed",
                      {},
                      L"1280",
                      nullptr,
                      LR"(Vandrelix.exe "" -xi -xa -ws[1280,600] -cc[0,11,0])"},
        ControlChange{"height_typed",
                      {},
                      nullptr,
                      L"720",
                      LR"(Vandrelix.exe "" -xi -xa -ws[400,720] -cc[0,11,0])"},
        ControlChange{"height_emptied",
                      {},
                      nullptr,
                      L"",
                      LR"(Vandrelix.exe "" -xi -xa -ws[400,] -cc[0,11,0])"},
        ControlChange{
            "width_emptied", {}, L"", L"720", LR"(Vandrelix.exe "" -xi -xa -cc[0,11,0])"}),
    [](const testing::TestParamInfo<ControlChange>& info) { return info.param.what; });

TEST_F(Form1Test, DropTakesTheFirstFileOfTheList) {
    const std::vector<std::wstring> files{m_folder.file(L"robot.v2.model"),
                                          m_folder.file(L"b.model"), m_folder.file(L"c.model")};
    EXPECT_EQ(m_open->drop(files), DROPEFFECT_COPY);
    EXPECT_EQ(TextOf(m_open->control(u"Label1")), L"robot.v2");
    EXPECT_EQ(TextOf(m_open->control(u"Text1")), files[0]);
    EXPECT_EQ(m_open->copy().clipboard, LineFor(files[0]));
}

struct RefusedDrop {
    const char* what;
    std::vector<std::wstring> files;  // names in the test's folder
    std::u16string_view target;
};

void PrintTo(const RefusedDrop& row, std::ostream* out) { *out << row.what; }

class RefusedDropTest : public Form1Test, public testing::WithParamInterface<RefusedDrop> {};

TEST_P(RefusedDropTest, ChangesNothing) {
    m_folder.file(L"robot.model");
    std::vector<std::wstring> files;
    for (const std::wstring& name : GetParam().files) {
        files.push_back(name.empty() ? name : m_folder.path(name));
    }
    EXPECT_EQ(m_open->drop(files, GetParam().target), DROPEFFECT_NONE);
    EXPECT_EQ(TextOf(m_open->control(u"Label1")), L"");
    EXPECT_EQ(TextOf(m_open->control(u"Text1")), L"模型路径");
    EXPECT_EQ(m_open->copy().clipboard, kDefaultLine);
}

INSTANTIATE_TEST_SUITE_P(
    Form1, RefusedDropTest,
    testing::Values(RefusedDrop{"text_without_a_file_list", {}, u"Frame1"},
                    RefusedDrop{"first_file_missing", {L"gone.model", L"robot.model"}, u"Frame1"},
                    RefusedDrop{"first_name_empty", {L"", L"robot.model"}, u"Frame1"},
                    RefusedDrop{"on_the_path_box", {L"robot.model"}, u"Text1"},
                    RefusedDrop{"on_the_preview", {L"robot.model"}, u"Image1"}),
    [](const testing::TestParamInfo<RefusedDrop>& info) { return info.param.what; });

TEST_F(Form1Test, PreviewIsShownAtItsOnScreenSize) {
    RECT image{};
    GetClientRect(m_open->control(u"Image1"), &image);
    m_folder.file(L"robot.jpg", Plain(GUID_ContainerFormatJpeg, kRed));
    ASSERT_TRUE(m_open->dropFile(m_folder.file(L"robot.model")));
    Pixels shown = ShownPicture(m_open->control(u"Image1"));
    EXPECT_EQ(shown.width, image.right);
    EXPECT_EQ(shown.height, image.bottom);
    EXPECT_PRED2(Near, shown.at(shown.width / 2, shown.height / 2), kRed);

    // A PNG under a .jpg name is shown too: the content decides.
    m_folder.file(L"plan.jpg", Plain(GUID_ContainerFormatPng, kBlue));
    ASSERT_TRUE(m_open->dropFile(m_folder.file(L"plan.model")));
    shown = ShownPicture(m_open->control(u"Image1"));
    EXPECT_EQ(shown.at(4, 4), kBlue);
}

TEST_F(Form1Test, PreviewFollowsTheExifOrientation) {
    // Stored with red on the left; tag 6 says to turn it a quarter clockwise: red on top.
    const Bytes stored =
        Encoded(GUID_ContainerFormatJpeg, 64, 32, [](int x, int) { return x < 32 ? kRed : kBlue; });
    m_folder.file(L"turned.jpg", WithExifOrientation(stored, 6));
    ASSERT_TRUE(m_open->dropFile(m_folder.file(L"turned.model")));
    const Pixels shown = ShownPicture(m_open->control(u"Image1"));
    EXPECT_PRED2(Near, shown.at(shown.width / 2, shown.height / 5), kRed);
    EXPECT_PRED2(Near, shown.at(shown.width / 2, shown.height * 4 / 5), kBlue);
}

enum class Preview { Keeps, Either };

struct BadPicture {
    const char* what;
    std::function<void(const std::wstring& path)> make;
    Preview preview;
};

void PrintTo(const BadPicture& row, std::ostream* out) { *out << row.what; }

class BadPictureTest : public Form1Test, public testing::WithParamInterface<BadPicture> {};

SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

TEST_P(BadPictureTest, KeepsTheEarlierPreview) {
    m_folder.file(L"first.jpg", Plain(GUID_ContainerFormatJpeg, kRed));
    ASSERT_TRUE(m_open->dropFile(m_folder.file(L"first.model")));
    const HBITMAP first = reinterpret_cast<HBITMAP>(
        SendMessageW(m_open->control(u"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(first, nullptr);

    GetParam().make(m_folder.path(L"second.jpg"));
    const SIZE_T peakBefore = PeakWorkingSet();
    const std::wstring model = m_folder.file(L"second.model");
    ASSERT_TRUE(m_open->dropFile(model));

    EXPECT_LT(PeakWorkingSet() - peakBefore, 64u << 20) << "the preview decoded at full size";
    EXPECT_EQ(TextOf(m_open->control(u"Label1")), L"second");
    EXPECT_EQ(TextOf(m_open->control(u"Text1")), model);
    EXPECT_EQ(m_open->copy().clipboard, LineFor(model));
    if (GetParam().preview == Preview::Keeps) {
        EXPECT_EQ(reinterpret_cast<HBITMAP>(
                      SendMessageW(m_open->control(u"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                  first);
    }
}

Bytes Truncated(Bytes bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Form1, BadPictureTest,
    testing::Values(
        BadPicture{"none", [](const std::wstring&) {}, Preview::Keeps},
        BadPicture{"empty_file", [](const std::wstring& path) { WriteBytes(path, {}); },
                   Preview::Keeps},
        BadPicture{"truncated_header",
                   [](const std::wstring& path) {
                       WriteBytes(path, Truncated(Plain(GUID_ContainerFormatJpeg, kBlue), 40));
                   },
                   Preview::Keeps},
        BadPicture{"truncated_data",
                   [](const std::wstring& path) {
                       const Bytes jpeg = Plain(GUID_ContainerFormatJpeg, kBlue);
                       WriteBytes(path, Truncated(jpeg, jpeg.size() * 9 / 10));
                   },
                   Preview::Either},
        BadPicture{"header_claims_60000x60000",
                   [](const std::wstring& path) { WriteBytes(path, JpegClaiming(60000, 60000)); },
                   Preview::Keeps},
        BadPicture{"text_named_jpg",
                   [](const std::wstring& path) {
                       const std::string text = "not a picture\n";
                       WriteBytes(path, Bytes(text.begin(), text.end()));
                   },
                   Preview::Keeps},
        BadPicture{"folder_named_jpg",
                   [](const std::wstring& path) { CreateDirectoryW(path.c_str(), nullptr); },
                   Preview::Keeps}),
    [](const testing::TestParamInfo<BadPicture>& info) { return info.param.what; });

struct KeyPress {
    const char* what;
    WPARAM code;
    DWORD selectionStart;  // 99 for the end of the text
    DWORD selectionEnd;
};

void PrintTo(const KeyPress& row, std::ostream* out) { *out << row.what; }

class PathBoxKeyTest : public Form1Test, public testing::WithParamInterface<KeyPress> {};

TEST_P(PathBoxKeyTest, SelectsAllOnlyOnControlA) {
    const std::wstring path = m_folder.file(L"\U0001F916 robot.model");
    ASSERT_TRUE(m_open->dropFile(path));
    const HWND box = m_open->control(u"Text1");
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 3, 3);
    PostMessageW(box, WM_CHAR, GetParam().code, 1);
    m_open->pump();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, GetParam().selectionStart);
    EXPECT_EQ(end, GetParam().selectionEnd == 99 ? path.size() : GetParam().selectionEnd);
    EXPECT_EQ(TextOf(box), path);
}

INSTANTIATE_TEST_SUITE_P(Form1, PathBoxKeyTest,
                         testing::Values(KeyPress{"control_a", 1, 0, 99},
                                         KeyPress{"control_b", 2, 3, 3}),
                         [](const testing::TestParamInfo<KeyPress>& info) {
                             return info.param.what;
                         });

TEST_F(Form1Test, TabVisitsTheControlsInLayoutOrder) {
    std::vector<std::wstring> visited;
    for (int i = 0; i < 10; ++i) {
        visited.push_back(Name(GetFocus()));
        m_open->press(VK_TAB);
    }
    EXPECT_EQ(visited,
              (std::vector<std::wstring>{L"Text1", L"Command1", L"Check1", L"Check2", L"Check3",
                                         L"Check4", L"Check5", L"Text2", L"Text3", L"Check6"}));
    EXPECT_EQ(Name(GetFocus()), L"Text1");
}

struct ButtonKey {
    const char* what;
    WORD key;
    bool onCopyButton;
    bool copies;
};

void PrintTo(const ButtonKey& row, std::ostream* out) { *out << row.what; }

class ButtonKeyTest : public Form1Test, public testing::WithParamInterface<ButtonKey> {};

TEST_P(ButtonKeyTest, CopiesOnlyOnTheFocusedCopyButton) {
    if (GetParam().onCopyButton) {
        m_open->press(VK_TAB);
    }
    ASSERT_EQ(Name(GetFocus()), GetParam().onCopyButton ? L"Command1" : L"Text1");
    ASSERT_TRUE(PutClipboardText(L"untouched"));
    const auto message = MessageBoxDuring([&] { m_open->press(GetParam().key); });
    EXPECT_FALSE(message);
    EXPECT_EQ(ClipboardText(), GetParam().copies ? kDefaultLine : L"untouched");
}

INSTANTIATE_TEST_SUITE_P(Form1, ButtonKeyTest,
                         testing::Values(ButtonKey{"enter_on_button", VK_RETURN, true, true},
                                         ButtonKey{"space_on_button", VK_SPACE, true, true},
                                         ButtonKey{"enter_in_path_box", VK_RETURN, false, false}),
                         [](const testing::TestParamInfo<ButtonKey>& info) {
                             return info.param.what;
                         });

TEST_F(Form1Test, DoubleClickOnThePreviewResetsTheSize) {
    m_open->type(u"Text2", L"1");
    m_open->type(u"Text3", L"2");
    const HWND image = m_open->control(u"Image1");
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        SendMessageW(image, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(TextOf(m_open->control(u"Text2")), L"400");
    EXPECT_EQ(TextOf(m_open->control(u"Text3")), L"600");
    EXPECT_EQ(m_open->copy().clipboard, kDefaultLine);
}

TEST_F(Form1Test, ClipboardThatCannotBeOpenedIsReported) {
    ASSERT_TRUE(PutClipboardText(L"untouched"));
    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        held = OpenClipboard(nullptr);
        while (held && !release) {
            Sleep(1);
        }
        CloseClipboard();
    });
    while (!held) {
        Sleep(1);
    }
    const auto message = MessageBoxDuring([&] { m_open->click(u"Command1"); });
    release = true;
    holder.join();
    EXPECT_EQ(message, ToWide(kClipboardFailedMessage));
    EXPECT_EQ(ClipboardText(), L"untouched");
}

TEST_F(Form1Test, TimerKeepsTheWindowOnTopWithoutActivatingIt) {
    const HWND form = m_open->form();
    const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0,
                                       0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(m_open->waitFor([other] { return GetForegroundWindow() == other; }));
    SetWindowPos(form, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_TRUE(
        m_open->waitFor([form] { return GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST; }));
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(other);
}

TEST_F(Form1Test, DpiChangeMovesAndScalesTheControls) {
    constexpr UINT kDpi = 144;
    RECT suggested{};
    GetWindowRect(m_open->form(), &suggested);
    SendMessageW(m_open->form(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    for (const ControlSpec& spec : kFormLayout) {
        if (spec.kind == ControlKind::Timer) {
            continue;
        }
        SCOPED_TRACE(ToWide(spec.name).c_str());
        RECT place{};
        GetWindowRect(m_open->control(spec.name), &place);
        MapWindowPoints(HWND_DESKTOP, m_open->form(), reinterpret_cast<POINT*>(&place), 2);
        const PixelRect expected = ToPixels(spec.twips, kDpi);
        EXPECT_EQ(place.left, expected.left);
        EXPECT_EQ(place.top, expected.top);
        EXPECT_EQ(place.right - place.left, expected.width);
        EXPECT_EQ(place.bottom - place.top, expected.height);
    }
    EXPECT_EQ(FontOfControl(m_open->control(u"Text1")).lfHeight, -18);
    EXPECT_EQ(FontOfControl(m_open->control(u"Label3")).lfHeight, -21);
}

}  // namespace
