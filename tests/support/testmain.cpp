// Test entry: one QApplication for the whole run, created unless GoogleTest only lists the tests.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;

    testing::InitGoogleTest(&argc, argv);
    // Keeps Qt's own per-user files (and any settings we forget to isolate) out of the developer's home.
    QStandardPaths::setTestModeEnabled(true);
    std::unique_ptr<QApplication> app;
    if (!listing)
        app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
