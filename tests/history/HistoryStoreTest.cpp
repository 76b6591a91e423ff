#include "history/HistoryStore.h"
#include "core/Registry.h"
#include "history/Clock.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
const QString SampleSite = QStringLiteral("Kestrel_Marine_Offices");

class FixedClock : public Clock
{
public:
    QDateTime currentUtc() const override { return time; }
    QDateTime time = QDateTime(QDate(2025, 1, 31), QTime(14, 5, 9, 123), Qt::UTC);
};

ExchClass sample()
{
    ExchClass config;
    SampleConfiguration::build(config);
    return config;
}

QStringList fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

TEST(HistoryStore, SiteNamesAreSystemNamesMadeSafeForAFolder)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Kestrel Marine Offices", "Kestrel_Marine_Offices"},
        {"../etc/passwd", "etc_passwd"},
        {".hidden", "hidden"},
        {"A/B\\C  D", "A_B_C_D"},
        {"Caf\xE9 Nord", "Caf_Nord"},
        {"Yard-09 v2.5 Zz", "Yard-09_v2.5_Zz"},
        {"", "unnamed"},
    };
    for (const auto &[name, expected] : cases) {
        ExchClass config = sample();
        config.System().SetString("Name", 0, name);
        EXPECT_EQ(HistoryStore::siteName(config), QLatin1String(expected)) << name;
    }
    EXPECT_EQ(HistoryStore::siteName(ExchClass()), QStringLiteral("unnamed"));
}

TEST(HistoryStore, KeepsEachConfigurationUnderItsSiteAndUtcTimeAndListsItBack)
{
    QTemporaryDir root;
    FixedClock clock;
    HistoryStore store(root.path(), clock, 10);
    const ExchClass config = sample();

    ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Get)) << store.errorString().toStdString();
    // The same millisecond again takes the next one, so names keep the order.
    ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Send));

    const QString folder = root.filePath(SampleSite);
    EXPECT_EQ(
        fileNames(folder),
        QStringList({QStringLiteral("20250131T140509.123Z-get.QBF"), QStringLiteral("20250131T140509.124Z-send.QBF")}));
    EXPECT_EQ(store.lastPath(), folder + QStringLiteral("/20250131T140509.124Z-send.QBF"));
    ExchClass kept;
    ConfigFile file;
    ASSERT_TRUE(file.load(kept, store.lastPath()));
    EXPECT_TRUE(kept == config);

    const QList<HistoryEntry> entries = store.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].kind, HistoryEntry::Kind::Send);
    EXPECT_EQ(entries[0].time.toString(Qt::ISODateWithMs), QStringLiteral("2025-01-31T14:05:09.124Z"));
    EXPECT_EQ(entries[1].kind, HistoryEntry::Kind::Get);
    EXPECT_EQ(store.sites(), QStringList{SampleSite});
}

TEST(HistoryStore, KeepsTheNewestEntriesOfEachSiteAndNeverTheFileJustWritten)
{
    QTemporaryDir root;
    FixedClock clock;
    HistoryStore store(root.path(), clock, 2);
    const ExchClass config = sample();
    ExchClass other = sample();
    other.System().SetString("Name", 0, "Depot");
    const QString folder = root.filePath(SampleSite);
    QDir().mkpath(folder);
    QFile notes(folder + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();

    for (int hour : {10, 11, 12}) {
        clock.time.setTime(QTime(hour, 0));
        ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Get));
    }
    ASSERT_TRUE(store.add(other, HistoryEntry::Kind::Get));
    // A clock set back: the entry it names is the oldest, and still kept.
    clock.time.setTime(QTime(9, 0));
    ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Send));

    EXPECT_EQ(fileNames(folder),
              QStringList({QStringLiteral("20250131T090000.000Z-send.QBF"),
                           QStringLiteral("20250131T120000.000Z-get.QBF"), QStringLiteral("notes.txt")}));
    EXPECT_EQ(fileNames(root.filePath(QStringLiteral("Depot"))),
              QStringList{QStringLiteral("20250131T120000.000Z-get.QBF")});
}

TEST(HistoryStore, AFolderThatCannotBeMadeFailsWithTheReasonAndKeepsNothing)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("history"));
    QFile blocker(root);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FixedClock clock;
    HistoryStore store(root, clock, 10);

    EXPECT_FALSE(store.add(sample(), HistoryEntry::Kind::Get));
    EXPECT_EQ(store.errorString(), QStringLiteral("Cannot create the folder \"%1/%2\"").arg(root, SampleSite));
    EXPECT_TRUE(store.entries().isEmpty());
    EXPECT_EQ(fileNames(dir.path()), QStringList{QStringLiteral("history")});
}

TEST(HistoryStore, TheNumberKeptComesFromTheSettingsWithAtLeastOne)
{
    QTemporaryDir dir;
    Registry registry(dir.filePath(QStringLiteral("settings.ini")));
    EXPECT_EQ(HistoryStore::keepSetting(registry), 100);
    registry.SaveSetting(QStringLiteral("Settings"), QStringLiteral("HistoryKeep"), Registry::TypeNumber, 7);
    EXPECT_EQ(HistoryStore::keepSetting(registry), 7);
    registry.SaveSetting(QStringLiteral("Settings"), QStringLiteral("HistoryKeep"), Registry::TypeNumber, 0);
    EXPECT_EQ(HistoryStore::keepSetting(registry), 1);
}
