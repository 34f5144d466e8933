#include <gtest/gtest.h>
#include <ole2.h>

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
