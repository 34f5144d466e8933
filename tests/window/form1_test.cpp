// What the window promises a person, on either front end.
#include "tests/window/form_driver.h"
#include "tests/window/turned_picture.h"
#include "window/messages.h"

#include <gtest/gtest.h>

using namespace std::literals;

namespace {

constexpr std::u16string_view kDefaultOptions = u" -xi -xa -ws[400,600] -cc[0,11,0]";

std::u16string LineFor(std::u16string_view path, std::u16string_view options = kDefaultOptions) {
    return u"Vandrelix.exe \"" + std::u16string(path) + u"\"" + std::u16string(options);
}

std::string Ascii(std::u16string_view text) { return {text.begin(), text.end()}; }

class Form1Test : public testing::Test {
protected:
    // The preview shows the picture of `orientation` upright, filling its room on screen.
    testing::AssertionResult ShowsUpright(char orientation = 6) const {
        return ShowsQuadrantsUpright(m_form->preview(), m_form->previewRoom(), orientation);
    }

    std::unique_ptr<FormDriver> m_form = OpenForm();
};

TEST_F(Form1Test, EachControlChangesItsPartOfTheLine) {
    struct Row {
        std::u16string_view control;
        std::optional<std::u16string_view> typed;  // none: clicked
        std::u16string_view options;
    };
    for (const Row& row : {Row{u"Check1", {}, u" -xe -xi -xa -ws[400,600] -cc[0,11,0]"},
                           Row{u"Check2", {}, u" -xss -xi -xa -ws[400,600] -cc[0,11,0]"},
                           Row{u"Check3", {}, u" -xs -xi -xa -ws[400,600] -cc[0,11,0]"},
                           Row{u"Check4", {}, u" -xa -ws[400,600] -cc[0,11,0]"},
                           Row{u"Check5", {}, u" -xi -ws[400,600] -cc[0,11,0]"},
                           Row{u"Check6", {}, u" -xi -xa -ws[400,600]"},
                           Row{u"Text2", u"1280", u" -xi -xa -ws[1280,600] -cc[0,11,0]"},
                           Row{u"Text3", u"720", u" -xi -xa -ws[400,720] -cc[0,11,0]"},
                           Row{u"Text2", u"", u" -xi -xa -cc[0,11,0]"}}) {
        SCOPED_TRACE(Ascii(row.control));
        m_form = OpenForm();
        row.typed ? m_form->type(row.control, *row.typed) : m_form->click(row.control);
        EXPECT_EQ(m_form->copy().clipboard, LineFor(u"", row.options));
    }
}

TEST_F(Form1Test, OnlyTheFrameTakesOnlyFiles) {
    const std::u16string model = m_form->write(u"robot.model", {});
    for (const std::u16string_view target : {u"Frame1", u"Text1", u"Text2", u"Text3"}) {
        EXPECT_FALSE(m_form->drop({}, target)) << "a text dropped on " << Ascii(target);
    }
    EXPECT_FALSE(m_form->drop({model}, u"Text1"));
    EXPECT_FALSE(m_form->drop({model}, u"Image1"));
    // A source told that its file moved may delete it.
    EXPECT_FALSE(m_form->drop({model}, u"Frame1", Allowed::MoveOnly));
#ifdef _WIN32
    // Wine turns a dragged web link into a list of empty or made-up names.
    EXPECT_FALSE(m_form->drop({u"", model}));
    EXPECT_FALSE(m_form->drop({m_form->path(u"gone.model"), model}));
#endif
    EXPECT_EQ(m_form->text(u"Text1"), u"模型路径");
    EXPECT_EQ(m_form->copy().clipboard, LineFor(u""));
}

// Beside the model, in a folder too long for Windows's file functions but in their unlimited
// form, its preview shows.
TEST_F(Form1Test, PathsReachTheLineExactlyOrAreRefusedWithTheReason) {
    const std::u16string folder = std::u16string(220, u'd') + u"/";
#ifdef _WIN32
    // The command prompt takes `$`, `!` and backticks inside quotes as they are.
    const std::u16string odd = folder + u"d$ Hello! `用户 a b \U0001F916 %20#&x";
    // A variable's name between two % gives way to its value, inside quotes too.
    const std::u16string unsafe = m_form->write(u"%PATH%.model", {});
    const char16_t reason = u'%';
#else
    const std::u16string odd = folder + u"用户 a b \U0001F916 %20#&x";
    const std::u16string unsafe = m_form->write(u"a$(calc).model", {});
    const char16_t reason = u'$';
#endif
    m_form->write(odd + u".jpg", Turned());
    ASSERT_TRUE(m_form->drop({m_form->write(odd + u".model", {})}));
    EXPECT_TRUE(ShowsUpright());
    const Copied safe = m_form->copy();
    EXPECT_EQ(safe.clipboard, LineFor(m_form->path(odd + u".model")));
    EXPECT_FALSE(safe.message);
    ASSERT_TRUE(m_form->drop({unsafe}));
    EXPECT_EQ(m_form->text(u"Text1"), unsafe);
    const Copied copied = m_form->copy();
    EXPECT_EQ(copied.clipboard, u"untouched");
    EXPECT_EQ(copied.message, UnsafePathMessage(reason));
}

// A picture beside the model is shown upright whatever its EXIF orientation; after a bad one the
// drop is still taken and the earlier preview stays, without a hang or a crash.
TEST_F(Form1Test, PreviewIsUprightAndABadPictureKeepsTheEarlierOne) {
    const std::string turned = Turned();
    std::string giant = turned;
    const std::size_t frame = giant.find("\xFF\xC0");  // the baseline frame header
    ASSERT_NE(frame, std::string::npos);
    giant.replace(frame + 5, 4, "\xEA\x60\xEA\x60");  // 60000 by 60000
    struct Row {
        char orientation;
        bool xmpAfterExif;
        const char* second;
        std::string bytes;  // empty: no second picture
    };
    for (const Row& row :
         {Row{1, false, "no picture", ""}, Row{3, false, "truncated header", turned.substr(0, 40)},
          Row{6, false, "giant header", giant}, Row{8, true, "no picture", ""}}) {
        SCOPED_TRACE(testing::Message() << int(row.orientation) << ", then " << row.second);
        m_form = OpenForm();
        m_form->write(u"first.jpg", Turned(row.orientation, row.xmpAfterExif));
        ASSERT_TRUE(m_form->drop({m_form->write(u"first.model", {})}));
        ASSERT_TRUE(ShowsUpright(row.orientation));
        if (!row.bytes.empty()) {
            m_form->write(u"second.jpg", row.bytes);
        }
        const std::u16string model = m_form->write(u"second.model", {});
        ASSERT_TRUE(m_form->drop({model}));
        EXPECT_EQ(m_form->text(u"Label1"), u"second");
        EXPECT_EQ(m_form->copy().clipboard, LineFor(model));
        EXPECT_TRUE(ShowsUpright(row.orientation));
    }
}

// Ctrl+A selects the whole path and leaves it unchanged; any other key keeps its usual meaning.
TEST_F(Form1Test, ControlASelectsTheWholePathAndOtherKeysEditIt) {
    const std::u16string path = m_form->write(u"\U0001F916 robot.model", {});
    const std::u16string edited = path.substr(0, path.size() - 1) + u"x" + path.back();
    struct Row {
        std::vector<Key> keys;
        std::u16string_view text, selected;
    };
    for (const Row& row :
         {Row{{Key::ControlA}, path, path}, Row{{Key::End, Key::Left, Key::X}, edited, u""}}) {
        ASSERT_TRUE(m_form->drop({path}));
        m_form->click(u"Text1");
        for (const Key key : row.keys) {
            m_form->press(key);
        }
        EXPECT_EQ(m_form->text(u"Text1"), row.text);
        EXPECT_EQ(m_form->selectedText(u"Text1"), row.selected);
    }
}

TEST_F(Form1Test, TabVisitsTheControlsInLayoutOrder) {
    std::vector<std::u16string> visited;
    for (int i = 0; i < 11; ++i) {
        visited.push_back(m_form->focused());
        m_form->press(Key::Tab);
    }
    EXPECT_EQ(visited, (std::vector<std::u16string>{u"Text1", u"Command1", u"Check1", u"Check2",
                                                    u"Check3", u"Check4", u"Check5", u"Text2",
                                                    u"Text3", u"Check6", u"Text1"}));
}

TEST_F(Form1Test, SpaceOrReturnCopyOnlyOnTheFocusedCopyButton) {
    EXPECT_EQ(m_form->copy(Key::Return).clipboard, u"untouched");
    m_form->press(Key::Tab);
    ASSERT_EQ(m_form->focused(), u"Command1");
    EXPECT_EQ(m_form->copy(Key::Space).clipboard, LineFor(u""));
    EXPECT_EQ(m_form->copy(Key::Return).clipboard, LineFor(u""));
}

TEST_F(Form1Test, ScreenReadersNameEveryControlAndSayHowToUseIt) {
    struct Row {
        std::u16string_view control, name;
        std::u16string_view described;  // a word the description holds; empty: none asked for
        bool annotated;                 // on Windows named beyond what the control shows
    };
    for (const Row& row :
         {Row{u"Form1", u"Karvosel", u"", false}, Row{u"Frame1", u"拖拽到此", u"Ctrl+V", false},
          Row{u"Image1", u"模型预览图", u"400", true}, Row{u"Label2", u"模型名：", u"", false},
          Row{u"Text1", u"模型路径", u"路径", true}, Row{u"Check1", u"轮廓线", u"", false},
          Row{u"Check3", u"地面影", u"", false}, Row{u"Check6", u"截图", u"", false},
          Row{u"Command1", u"复制", u"剪贴板", false}, Row{u"Text2", u"查看器窗口宽度", u"", true},
          Row{u"Text3", u"查看器窗口高度", u"", true}}) {
        SCOPED_TRACE(Ascii(row.control));
        const Spoken spoken = m_form->spoken(row.control);
#ifdef _WIN32
        // Wine keeps no annotations: those names and every description reach only Windows's
        // screen readers.
        EXPECT_TRUE(row.annotated || spoken.name == row.name) << Ascii(spoken.name);
#else
        EXPECT_EQ(spoken.name, row.name);
        EXPECT_NE(spoken.description.find(row.described), std::u16string::npos);
#endif
    }
}

// A file list copied in a file manager loads its first file as a drop does, from wherever the
// focus is; any other copied text is an ordinary paste into a text box and does nothing elsewhere.
TEST_F(Form1Test, PastingCopiedFilesLoadsTheFirstAsADropDoes) {
    for (const auto& [key, onTheButton] :
         {std::pair(Key::ControlV, false), std::pair(Key::ShiftInsert, true)}) {
        m_form = OpenForm();
        m_form->write(u"robot.v2.jpg", Turned());
        const std::u16string model = m_form->write(u"robot.v2.model", {});
        m_form->copyElsewhere({model, m_form->write(u"b.model", {})}, model);
        if (onTheButton) {
            m_form->press(Key::Tab);
        }
        m_form->press(key);
        EXPECT_EQ(m_form->text(u"Label1"), u"robot.v2");
        EXPECT_EQ(m_form->text(u"Text1"), model);
        EXPECT_TRUE(ShowsUpright());
        EXPECT_EQ(m_form->copy().clipboard, LineFor(model));
    }
    m_form = OpenForm();
    const std::u16string model = m_form->write(u"robot.model", {});
    for (const auto& [files, text] :
         std::initializer_list<std::pair<std::vector<std::u16string>, std::u16string>>{
             {{}, model},
             {{}, u"https://example.org/robot.model"},
#ifdef _WIN32
             {{m_form->path(u"gone.model"), model}, u""},
#endif
         }) {
        m_form->copyElsewhere(files, text);
        m_form->click(u"Check1");
        m_form->press(Key::ControlV);
        m_form->click(u"Check1");
        EXPECT_EQ(m_form->copy().clipboard, LineFor(u"")) << Ascii(text);
    }
    m_form->click(u"Text2");
    m_form->type(u"Text2", u"");
    m_form->copyElsewhere({}, u"1280");
    m_form->press(Key::ControlV);
    EXPECT_EQ(m_form->text(u"Text1"), u"模型路径");
    EXPECT_EQ(m_form->copy().clipboard, LineFor(u"", u" -xi -xa -ws[1280,600] -cc[0,11,0]"));
}

TEST_F(Form1Test, DoubleClickOnThePreviewResetsTheSize) {
    m_form->type(u"Text2", u"1");
    m_form->type(u"Text3", u"2");
    m_form->doubleClick(u"Image1");
    EXPECT_EQ(m_form->text(u"Text2"), u"400");
    EXPECT_EQ(m_form->text(u"Text3"), u"600");
    EXPECT_EQ(m_form->copy().clipboard, LineFor(u""));
}

}  // namespace
