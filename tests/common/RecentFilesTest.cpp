#include "core/common/RecentFiles.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zurval;

TEST(RecentFiles, KeepTheEightNewestOnceEachAcrossRuns) {
    QTemporaryDir dir;
    const auto path = [&](int n) {
        return QDir::toNativeSeparators(dir.filePath(QString("crane%1.vrl").arg(n)));
    };
    QSettings settings(dir.filePath("zurval.ini"), QSettings::IniFormat);
    {
        RecentFiles recent(&settings);
        for (int n = 1; n <= 10; ++n)
            recent.add(path(n));
        recent.add(path(5)); // opened again: back to the front, not twice
        ASSERT_EQ(recent.files().size(), RecentFiles::kCapacity);
        EXPECT_EQ(recent.files().first(), path(5));
        EXPECT_EQ(recent.files().at(1), path(10));
        EXPECT_FALSE(recent.files().contains(path(2))); // the oldest fell off
        recent.remove(path(10));
        EXPECT_EQ(recent.lastFolder(), dir.path());
    }
    const RecentFiles nextRun(&settings);
    EXPECT_EQ(nextRun.files().size(), RecentFiles::kCapacity - 1);
    EXPECT_EQ(nextRun.files().first(), path(5));
    EXPECT_EQ(nextRun.lastFolder(), dir.path());
    EXPECT_TRUE(RecentFiles().files().isEmpty()); // without settings nothing is kept
}
