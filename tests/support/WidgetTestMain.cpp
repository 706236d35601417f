// Entry point of the widget tests: the application object without a screen, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Application.h"
#include "Fonts.h"

int main(int argc, char** argv)
{
    // gtest_discover_tests runs the binary where CTest's environment does not apply.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The program's own application object, so that errors escaping a handler and the fonts
    // behave in the tests as they do in the program.
    TZorantApplication app(argc, argv);
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
