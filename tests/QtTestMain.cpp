// Entry point of the widget tests: an offscreen application around GoogleTest.
#include "Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tillscribe::TillscribeApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
