#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

// The tests' thread is the user-interface thread of a real Qt application. It lives on the
// heap so that a test's child process may end it early.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const auto application = std::make_unique<QCoreApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
