#include "support/IsolatedHome.h"
#include "ui/Settings.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Folders of this process's own before Qt reads any of them; Qt's own
    // test mode is not used, as it would share one settings file between
    // every test process and ignore the XDG variables.
    const quarry::test::IsolatedHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quarry::ui::setApplicationIdentity();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
