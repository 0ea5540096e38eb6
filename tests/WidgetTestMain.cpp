#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run, created before any widget.
int main(int argc, char* argv[])
{
    // Headless unless told otherwise, also when test discovery runs the executable bare. A
    // Windows build has only the platform's own windows (run under Wine on a virtual screen).
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
