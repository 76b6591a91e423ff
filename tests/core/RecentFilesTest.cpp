#include "core/RecentFiles.h"
#include "core/Registry.h"
#include "support/TestSupport.h"

namespace {
class RecentFilesTest : public ::testing::Test
{
protected:
    QStringList captions() const
    {
        QStringList out;
        for (const RecentFiles::Item &item : recent.BuildMRU())
            out.append(item.caption);
        return out;
    }
    void store(const QStringList &entries)
    {
        for (int i = 0; i < entries.size(); ++i)
            registry.SaveSetting(SettingsKeys::Mru, QStringLiteral("MRU%1").arg(i + 1), Registry::TypeText, entries[i]);
        registry.SaveSetting(SettingsKeys::Mru, QStringLiteral("Count"), Registry::TypeNumber, int(entries.size()));
    }
    int count() const { return registry.GetNumber(SettingsKeys::Mru, QStringLiteral("Count"), -1); }

    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("settings.ini"))};
    RecentFiles recent{registry};
};
} // namespace

TEST_F(RecentFilesTest, AKnownPathMovesToTheTopAndANewOneStartsTheListOrPushesTheEleventhOff)
{
    EXPECT_TRUE(recent.BuildMRU().isEmpty());
    recent.CheckMRU(QStringLiteral("/a"));
    EXPECT_EQ(captions(), QStringList{QStringLiteral("&1 /a")});
    EXPECT_EQ(count(), 1);

    store({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")});
    recent.CheckMRU(QStringLiteral("/b"));
    recent.CheckMRU(QStringLiteral("/b"));
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("&1 /b"), QStringLiteral("&2 /a"), QStringLiteral("&3 /c")}));
    EXPECT_EQ(count(), 3);
    // Letter case counts: this is another file.
    recent.CheckMRU(QStringLiteral("/B"));
    EXPECT_EQ(count(), 4);

    QStringList ten;
    for (int i = 1; i <= 10; ++i)
        ten.append(QStringLiteral("/f%1").arg(i));
    store(ten);
    recent.CheckMRU(QStringLiteral("/new"));
    EXPECT_EQ(count(), 10);
    const QStringList shown = captions();
    ASSERT_EQ(shown.size(), 10);
    EXPECT_EQ(shown.first(), QStringLiteral("&1 /new"));
    EXPECT_EQ(shown.last(), QStringLiteral("&0 /f9"));
}

TEST_F(RecentFilesTest, AnEmptyEntryIsHiddenWhileLaterOnesShowUnderTheirOwnNumber)
{
    store({QStringLiteral("/a"), QString(), QStringLiteral("/c")});
    registry.DeleteSetting(SettingsKeys::Mru, QStringLiteral("MRU2"));
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("&1 /a"), QStringLiteral("&3 /c")}));
}
