#include "tests/window/win32/open_form.h"

#include <gtest/gtest.h>

std::unique_ptr<FormDriver> OpenForm() { return std::make_unique<Win32Form>(); }

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
