// The tests of the window run on a real desktop session on Qt's offscreen platform.

#include "DesktopSession.hpp"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    rt::gui::DesktopSession session(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
