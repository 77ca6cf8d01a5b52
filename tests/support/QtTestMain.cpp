#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Window tests are headless unless a runner chooses a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Tests end windows themselves; the last one closing must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
