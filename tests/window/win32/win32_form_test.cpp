// What the Win32 form promises beyond the form's common behaviour: its DPI, its fonts, its
// place above other windows, a clipboard that another program holds and pictures kept elsewhere.
#include "tests/window/turned_picture.h"
#include "tests/window/win32/open_form.h"
#include "window/messages.h"
#include "window/win32/controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

namespace {

// The DPI the desktop starts at: Wine's LogPixels, which the test's Wine session sets.
UINT StartDpi() {
    const wchar_t* const dpi = _wgetenv(L"KARVOSEL_DPI");
    return dpi ? static_cast<UINT>(_wtoi(dpi)) : 96;
}

// What `window` shows on screen, its caret included.
std::vector<std::uint32_t> Drawn(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const WindowDc dc(window);
    const std::unique_ptr<HDC__, CallRelease<DeleteDC>> copy(CreateCompatibleDC(dc.Get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(dc.Get(), client.right, client.bottom));
    const HGDIOBJ old = SelectObject(copy.get(), bitmap.get());
    BitBlt(copy.get(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    SelectObject(copy.get(), old);
    return PixelsOf(bitmap.get()).rgb;
}

// Whether `upper` lies above `lower` in the z-order, which Wine keeps as Windows does though its
// X windows may be stacked otherwise.
bool Above(HWND upper, HWND lower) {
    for (HWND above = GetWindow(lower, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (above == upper) {
            return true;
        }
    }
    return false;
}

// Tells `watch` of each WM_COMMAND and WM_TIMER that `form` is sent, with its wParam.
class CommandsWatched final {
public:
    using Watch = std::function<void(UINT, WPARAM)>;
    CommandsWatched(HWND form, Watch watch) : m_form(form), m_watch(std::move(watch)) {
        SetWindowSubclass(m_form, Proc, 0, reinterpret_cast<DWORD_PTR>(&m_watch));
    }
    ~CommandsWatched() { RemoveWindowSubclass(m_form, Proc, 0); }

private:
    static LRESULT CALLBACK Proc(HWND form, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR watch) {
        if (message == WM_COMMAND || message == WM_TIMER) {
            (*reinterpret_cast<Watch*>(watch))(message, wParam);
        }
        return DefSubclassProc(form, message, wParam, lParam);
    }
    HWND m_form;
    Watch m_watch;
};

class Win32FormTest : public testing::Test {
protected:
    // Every control has its place and its font at `dpi`, with a glyph for each character of its
    // caption and room for the whole caption.
    void ExpectLayoutFor(UINT dpi) const {
        SCOPED_TRACE(dpi);
        for (const ControlSpec& spec : kFormLayout) {
            const HWND control = m_open.control(spec.name);
            if (!control) {
                continue;  // the timer
            }
            SCOPED_TRACE(std::string(spec.name.begin(), spec.name.end()));
            RECT place{};
            GetWindowRect(control, &place);
            MapWindowPoints(HWND_DESKTOP, m_open.form(), reinterpret_cast<POINT*>(&place), 2);
            const PixelRect expected = ToPixels(spec.twips, dpi);
            EXPECT_EQ(std::tuple(place.left, place.top, place.right - place.left,
                                 place.bottom - place.top),
                      std::tuple(expected.left, expected.top, expected.width, expected.height));
            const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            LOGFONTW font{};
            GetObjectW(handle, sizeof font, &font);
            if (spec.font != FontRole::PlatformDefault) {
                EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
                EXPECT_EQ(font.lfHeight, -MulDiv(spec.font == FontRole::Font1 ? 12 : 14, dpi, 96));
            }
            const std::wstring caption(spec.caption.begin(), spec.caption.end());
            std::vector<WORD> glyphs(caption.size());
            const WindowDc dc(control);
            SelectObject(dc.Get(), handle);
            GetGlyphIndicesW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()),
                             glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
            EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0) << font.lfFaceName;
            // A check box draws its box and a gap of a few pixels before the caption.
            const int box = spec.kind == ControlKind::CheckBox
                                ? MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, m_dpi.System()) +
                                      MulDiv(4, dpi, 96)
                                : 0;
            SIZE need{};
            GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()),
                                  &need);
            EXPECT_TRUE(spec.kind == ControlKind::TextBox ||
                        (need.cx + box <= expected.width && need.cy <= expected.height))
                << need.cx << "+" << box << "x" << need.cy << " in " << expected.width << "x"
                << expected.height;
        }
    }

    // Whether `box`, once its pending paints are done, draws two different pictures within
    // `patience` milliseconds, as a blinking caret does.
    bool ShowsABlink(std::u16string_view box, ULONGLONG patience) const {
        m_open.pump();
        const std::vector<std::uint32_t> first = Drawn(m_open.control(box));
        const ULONGLONG end = GetTickCount64() + patience;
        bool changed = false;
        m_open.waitFor([&] {
            changed = Drawn(m_open.control(box)) != first;
            return changed || GetTickCount64() > end;
        });
        return changed;
    }

    Win32Form m_open;
    const DpiFunctions m_dpi{m_open.desktop()};
};

// Opened at the desktop's DPI, then told of a move to a monitor of another, on desktops with
// other fonts and bigger text, with the focus in the path box, which shows no caret; Wine keeps
// the window's frame at the first DPI, so only the client size at the start is checked.
TEST_F(Win32FormTest, FollowsItsDpiWithFontsThatShowEveryCaptionAndNoCaretInThePathBox) {
    const HWND form = m_open.form();
    EXPECT_NE(GetClassLongPtrW(form, GCLP_HICON), 0);
    ASSERT_EQ(m_dpi.OfWindow(form), StartDpi());
    RECT client{};
    GetClientRect(form, &client);
    const SIZE size = FormClientSize(StartDpi());
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(size.cx, size.cy));
    ExpectLayoutFor(StartDpi());
    // A caret blinks in the width box, which shows that the checks of the path box can see one.
    m_open.click(u"Text2");
    EXPECT_TRUE(ShowsABlink(u"Text2", kPatience));
    m_open.click(u"Text1");
    const auto noCaretInThePathBox = [this] {
        return !ShowsABlink(u"Text1", 3 * GetCaretBlinkTime());
    };
    EXPECT_TRUE(noCaretInThePathBox()) << "as it takes the focus";
    const UINT moved = StartDpi() == 96 ? 144 : 96;
    // As an English Windows lists them, where an -ExtB face comes first.
    const std::vector<std::wstring> withoutYaHei{L"SimSun-ExtB", L"@SimSun-ExtB", L"SimSun",
                                                 L"@SimSun"};
    std::vector<std::wstring> english = withoutYaHei;
    english.insert(english.end(), {L"Microsoft YaHei", L"@Microsoft YaHei"});
    struct Row {
        const char* desktop;
        std::optional<std::vector<std::wstring>> faces;
        int messageFontPoints;
        std::wstring_view face;  // of font 1; empty: Wine's
    };
    for (const Row& row :
         {Row{"Wine's", std::nullopt, 0, L""}, Row{"English", english, 0, L"Microsoft YaHei"},
          Row{"English without YaHei", withoutYaHei, 0, L"SimSun"},
          Row{"bigger text", std::nullopt, 12, L""}}) {
        SCOPED_TRACE(row.desktop);
        m_open.desktop().chineseFaces = row.faces;
        TestDesktop::messageFontPoints = row.messageFontPoints;
        RECT suggested{};
        GetWindowRect(form, &suggested);
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(moved, moved),
                     reinterpret_cast<LPARAM>(&suggested));
        ExpectLayoutFor(moved);
        LOGFONTW font1{};
        GetObjectW(
            reinterpret_cast<HFONT>(SendMessageW(m_open.control(u"Label2"), WM_GETFONT, 0, 0)),
            sizeof font1, &font1);
        EXPECT_TRUE(row.face.empty() || font1.lfFaceName == row.face) << font1.lfFaceName;
    }
    EXPECT_TRUE(noCaretInThePathBox()) << "after the moves";
}

// The frame's middle as drawn, as high contrast is switched on and off again while the window is
// open. Wine cannot switch it (SPI_SETHIGHCONTRAST fails): the form's desktop answers for it.
TEST_F(Win32FormTest, TheFrameIsGreenUnlessHighContrastIsOn) {
    const HWND frame = m_open.control(u"Frame1");
    RECT client{};
    GetClientRect(frame, &client);
    const WindowDc dc(frame);
    for (const auto& [on, colour] :
         {std::pair(true, GetSysColor(COLOR_WINDOW)), std::pair(false, RGB(0xC0, 0xFF, 0xC0))}) {
        m_open.desktop().highContrast = on;
        SendMessageW(m_open.form(), WM_SYSCOLORCHANGE, 0, 0);  // as Windows tells of a switch
        EXPECT_TRUE(m_open.waitFor([&] {
            return GetPixel(dc.Get(), client.right / 2, client.bottom * 3 / 4) == colour;
        })) << on;
    }
}

// A static control draws `&b` as an underlined b unless SS_NOPREFIX tells it not to.
TEST_F(Win32FormTest, ANameWithAnAmpersandIsDrawnAsItIs) {
    ASSERT_TRUE(m_open.drop({m_open.write(u"a&b.model", {})}));
    EXPECT_EQ(m_open.text(u"Label1"), u"a&b");
    EXPECT_TRUE(GetWindowLongPtrW(m_open.control(u"Label1"), GWL_STYLE) & SS_NOPREFIX);
}

TEST_F(Win32FormTest, TimerKeepsTheWindowOnTopWithoutActivatingIt) {
    const HWND form = m_open.form();
    const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0,
                                       0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(m_open.waitFor([other] { return GetForegroundWindow() == other; }));
    SetWindowPos(form, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(
        m_open.waitFor([form] { return GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST; }));
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(other);
}

// Clipboard history and clipboard managers hold the clipboard for a moment right after each
// change: a copy then waits and lands. One that another program holds for good fails with the
// reason, and the clipboard keeps what it had.
TEST_F(Win32FormTest, ACopyWaitsForAClipboardHeldForAMomentAndReportsOneHeldForGood) {
    using namespace std::chrono_literals;
    const std::u16string line = m_open.copy().clipboard;
    const HWND form = m_open.form();
    std::promise<void> copying;
    const CommandsWatched watched(form, [&copying](UINT message, WPARAM command) {
        if (message == WM_COMMAND && command == MAKEWPARAM(ControlId(u"Command1"), BN_CLICKED)) {
            copying.set_value();
        }
    });
    struct Row {
        bool forGood;
        std::optional<std::u16string_view> message;
        std::u16string_view clipboard;
    };
    for (const Row& row :
         {Row{false, std::nullopt, line}, Row{true, kClipboardFailedMessage, u"untouched"}}) {
        SCOPED_TRACE(row.forGood ? "for good" : "for a moment");
        m_open.copyElsewhere({}, u"untouched");
        copying = {};
        std::promise<bool> held;
        std::promise<void> released;
        std::thread holder([&] {
            held.set_value(OpenClipboard(nullptr));
            if (row.forGood) {
                released.get_future().wait();
            } else if (copying.get_future().wait_for(kPatience * 1ms) ==
                       std::future_status::ready) {
                // Answered only once the copy, having found the clipboard held, waits for it.
                SendMessageW(form, WM_NULL, 0, 0);
            }
            CloseClipboard();
        });
        const bool wasHeld = held.get_future().get();
        const auto message = m_open.messageDuring([&] { m_open.click(u"Command1"); });
        released.set_value();
        holder.join();
        ASSERT_TRUE(wasHeld);
        EXPECT_EQ(message, row.message);
        EXPECT_EQ(m_open.clipboardText(), row.clipboard);
    }
}

// Another program's window made topmost over the form: the form rises above it at the timer's
// next tick, unless it is a caption-less popup, such as a menu, over part of the form, which
// stays above it while it is shown; but not a closed Start menu's window, which is cloaked, nor a
// popup beside the form.
TEST_F(Win32FormTest, TheWindowRisesAboveOtherProgramsWindowsButNotOverTheirMenus) {
    const HWND form = m_open.form();
    int ticks = 0;
    const CommandsWatched counted(form, [&ticks](UINT message, WPARAM timer) {
        ticks += message == WM_TIMER && timer == static_cast<WPARAM>(ControlId(u"Timer1"));
    });
    RECT place{};
    GetWindowRect(form, &place);
    const LONG width = place.right - place.left;
    struct Row {
        const char* what;
        DWORD style;
        LONG shift;  // to the right
        bool staysAbove;
        bool cloaked = false;
    };
    for (const Row& row :
         {Row{"a menu over the form", WS_POPUP | WS_BORDER, width / 2, true},
          Row{"an always-on-top window", WS_OVERLAPPEDWINDOW, width / 2, false},
          Row{"a popup beside the form", WS_POPUP, width, false},
          Row{"a cloaked popup over the form", WS_POPUP, width / 2, false, true}}) {
        SCOPED_TRACE(row.what);
        std::promise<HWND> made;
        std::thread program([&] {
            const HWND window =
                CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"STATIC", L"another program",
                                row.style, place.left + row.shift, place.top, width,
                                place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            made.set_value(window);
            // As a program's thread does; under Wine, one that reads no messages sees its window
            // restacked now and then.
            MSG message{};
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                DispatchMessageW(&message);
            }
            DestroyWindow(window);
        });
        const HWND other = made.get_future().get();
        m_open.desktop().cloaked = row.cloaked ? other : nullptr;
        const DWORD thread = GetWindowThreadProcessId(other, nullptr);
        const bool wasAbove = Above(other, form);
        const int start = ticks;
        m_open.waitFor([&] { return !Above(other, form) || ticks >= start + 5; });
        const bool staysAbove = Above(other, form);
        PostThreadMessageW(thread, WM_QUIT, 0, 0);
        program.join();
        ASSERT_TRUE(wasAbove);
        EXPECT_EQ(staysAbove, row.staysAbove) << ticks - start << " ticks";
    }
}

// A picture whose data is not on this computer, such as a cloud file, would be downloaded to be
// read: the model is taken and no preview shown, as if there were no picture.
TEST_F(Win32FormTest, APictureWhoseDataIsElsewhereIsNotRead) {
    m_open.write(u"robot.jpg", Turned());
    const std::u16string model = m_open.write(u"robot.model", {});
    for (const DWORD attribute : {Desktop::kRecallOnOpen, Desktop::kRecallOnDataAccess,
                                  DWORD{FILE_ATTRIBUTE_OFFLINE}, DWORD{0}}) {
        SCOPED_TRACE(attribute);
        m_open.desktop().addedAttributes = attribute;
        ASSERT_TRUE(m_open.drop({model}));
        EXPECT_EQ(m_open.text(u"Text1"), model);
        if (attribute) {
            EXPECT_TRUE(m_open.preview().rgb.empty());
        } else {
            EXPECT_TRUE(ShowsQuadrantsUpright(m_open.preview(), m_open.previewRoom(), 6));
        }
    }
}

}  // namespace
