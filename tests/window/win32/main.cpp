#include "tests/window/win32/open_form.h"

#include <gtest/gtest.h>
#include <ole2.h>

std::unique_ptr<FormDriver> OpenForm() { return std::make_unique<Win32Form>(); }

// The form takes drops, which need OLE on the thread that runs the tests.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
