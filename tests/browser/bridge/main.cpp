#include "JavaVmFixture.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    JavaVmFixture::vm(); // started on the main thread, which stays attached
    return RUN_ALL_TESTS();
}
