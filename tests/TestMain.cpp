#include <cstdlib>

#include <QApplication>

#include <gtest/gtest.h>

#include "runtime/Font.h"

int main(int argc, char **argv)
{
    // Test discovery runs the program outside CTest's environment, so the platform is set here too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TFont::InstallSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
