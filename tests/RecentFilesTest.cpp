#include "RecentFiles.h"
#include "Registry.h"
#include "TestSupport.h"

#include <QTemporaryDir>

namespace {
class RecentFilesTest : public ::testing::Test
{
protected:
    QStringList paths() const
    {
        QStringList out;
        for (const RecentFiles::Item &item : recent.BuildMRU())
            out.append(item.path);
        return out;
    }
    void store(const QStringList &entries)
    {
        for (int i = 0; i < entries.size(); ++i)
            registry.SaveSetting(SettingsKeys::Mru, QStringLiteral("MRU%1").arg(i + 1), Registry::TypeText, entries[i]);
        registry.SaveSetting(SettingsKeys::Mru, SettingsKeys::MruCount, Registry::TypeNumber, int(entries.size()));
    }
    int count() const { return registry.GetNumber(SettingsKeys::Mru, SettingsKeys::MruCount, -1); }

    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("settings.ini"))};
    RecentFiles recent{registry};
};
} // namespace

TEST_F(RecentFilesTest, FirstPathStartsTheList)
{
    EXPECT_TRUE(recent.BuildMRU().isEmpty());
    recent.CheckMRU(QStringLiteral("/a.QBF"));
    EXPECT_EQ(paths(), QStringList{QStringLiteral("/a.QBF")});
    EXPECT_EQ(count(), 1);
}

TEST_F(RecentFilesTest, AKnownPathMovesToTheTopAndTheCountStays)
{
    store({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")});
    recent.CheckMRU(QStringLiteral("/b"));
    EXPECT_EQ(paths(), (QStringList{QStringLiteral("/b"), QStringLiteral("/a"), QStringLiteral("/c")}));
    EXPECT_EQ(count(), 3);
    recent.CheckMRU(QStringLiteral("/b"));
    EXPECT_EQ(paths(), (QStringList{QStringLiteral("/b"), QStringLiteral("/a"), QStringLiteral("/c")}));
    // Letter case counts: this is another file.
    recent.CheckMRU(QStringLiteral("/B"));
    EXPECT_EQ(count(), 4);
}

TEST_F(RecentFilesTest, TheEleventhPathFallsOffAndTheTenthItemUsesAccessKeyZero)
{
    QStringList ten;
    for (int i = 1; i <= 10; ++i)
        ten.append(QStringLiteral("/f%1").arg(i));
    store(ten);
    recent.CheckMRU(QStringLiteral("/new"));
    EXPECT_EQ(count(), 10);
    const QList<RecentFiles::Item> items = recent.BuildMRU();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items.first().caption, QStringLiteral("&1 /new"));
    EXPECT_EQ(items.last().caption, QStringLiteral("&0 /f9"));
}

TEST_F(RecentFilesTest, AnEmptyEntryIsHiddenWhileLaterOnesShow)
{
    store({QStringLiteral("/a"), QString(), QStringLiteral("/c")});
    registry.DeleteSetting(SettingsKeys::Mru, QStringLiteral("MRU2"));
    const QList<RecentFiles::Item> items = recent.BuildMRU();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].number, 3);
    EXPECT_EQ(items[1].caption, QStringLiteral("&3 /c"));
}
