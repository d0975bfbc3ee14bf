#include "support/IsolatedHome.h"
#include "ui/CommandLine.h"
#include "ui/Settings.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

// Parallel test processes must never share the settings file (recent images
// of one test turned up in another) nor touch the user's own folders.
TEST(TestIsolation, SettingsDataAndCacheLieInTheProcessOwnFolder)
{
    const QString home = QString::fromStdString(quarry::test::isolatedHomePath());
    ASSERT_FALSE(home.isEmpty());
    const QString inside = home + QLatin1Char('/');
    EXPECT_TRUE(quarry::ui::applicationSettings().fileName().startsWith(inside))
        << quarry::ui::applicationSettings().fileName().toStdString();
    for (const auto location : {QStandardPaths::AppDataLocation, QStandardPaths::CacheLocation,
                                QStandardPaths::AppConfigLocation, QStandardPaths::RuntimeLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        EXPECT_TRUE(folder.startsWith(inside)) << folder.toStdString();
    }
    EXPECT_TRUE(quarry::ui::defaultDemoPath().startsWith(inside));
    EXPECT_EQ(qEnvironmentVariable("HOME") + QLatin1Char('/'), inside + QLatin1String("home/"));
}
