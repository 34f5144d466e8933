#include "window/win32/file_path.h"

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

}  // namespace
