#include <gtest/gtest.h>

#include "runtime/Application.h"

int main(int argc, char **argv)
{
    // Test discovery runs the program outside CTest's environment, so the platform is set here too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own application object, so that pixels of menus, boxes and pages are the program's.
    TApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
