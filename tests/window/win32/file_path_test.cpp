#include "window/win32/file_path.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Paths in the namespace of devices and pipes are refused by their names; those of files on a
// drive or a share pass, in the long-path form too.
TEST(NamesAFile, OnlyADrivesOrASharesFiles) {
    for (const auto& [path, file] :
         {std::pair(LR"(C:\models\robot.model)", true),
          std::pair(LR"(\\server\share\robot.model)", true),
          std::pair(LR"(\\?\C:\models\robot.model)", true),
          std::pair(LR"(\\?\UNC\server\share\robot.model)", true),
          std::pair(LR"(\\.\pipe\robot.jpg)", false),
          std::pair(LR"(\\?\GLOBALROOT\Device\Serial0)", false), std::pair(L"", false)}) {
        EXPECT_EQ(NamesAFile(path), file) << testing::PrintToString(std::wstring(path));
    }
}

// Paths from MAX_PATH characters on, and only they, reach the file functions in the form that
// lifts the limit.
TEST(WithoutLengthLimit, GivesALongPathItsUnlimitedForm) {
    const auto onC = [](std::size_t length) {
        return LR"(C:\)" + std::wstring(length - 3, L'a');
    };
    const std::wstring onShare = LR"(\\server\share\)" + std::wstring(MAX_PATH, L'a');
    for (const auto& [path, unlimited] :
         {std::pair(onC(MAX_PATH), LR"(\\?\)" + onC(MAX_PATH)),
          std::pair(onShare, LR"(\\?\UNC\)" + onShare.substr(2)),
          std::pair(LR"(\\?\)" + onC(MAX_PATH), LR"(\\?\)" + onC(MAX_PATH)),
          std::pair(onC(MAX_PATH - 1), onC(MAX_PATH - 1))}) {
        EXPECT_EQ(WithoutLengthLimit(path), unlimited);
    }
}

}  // namespace
