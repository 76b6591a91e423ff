#include "history/Baseline.h"
#include "history/Clock.h"
#include "history/HistoryStore.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

namespace {
class SetClock : public Clock
{
public:
    QDateTime currentUtc() const override { return time; }
    QDateTime time;
};

QDateTime localTime(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute), Qt::LocalTime);
}
} // namespace

TEST(Baseline, AnOpenedFileTakesTheNewestKeptConfigurationOfItsSiteWithItsLayoutsElseTheFileAsSaved)
{
    QTemporaryDir root;
    SetClock clock;
    HistoryStore store(root.path(), clock, 10);
    ExchClass sample;
    SampleConfiguration::build(sample);

    ExchClass older = sample;
    older.VirtualPorts().SetString(FieldNames::Name, 1, "Read Then");
    clock.time = localTime(7, 10, 14).toUTC();
    ASSERT_TRUE(store.add(older, HistoryEntry::Kind::Get));
    // Newer, but its ACL table has a record more: another layout.
    ExchClass grown = sample;
    grown.ACL().PutBlank(grown.ACL().Records());
    clock.time = localTime(7, 11, 0).toUTC();
    ASSERT_TRUE(store.add(grown, HistoryEntry::Kind::Send));
    ExchClass elsewhere = sample;
    elsewhere.System().SetString(FieldNames::Name, 0, "Elsewhere");
    clock.time = localTime(7, 12, 0).toUTC();
    ASSERT_TRUE(store.add(elsewhere, HistoryEntry::Kind::Get));

    const Baseline kept = Baseline::forOpenedFile(store, sample, QStringLiteral("/sites/kestrel.QBF"));
    EXPECT_EQ(kept.source(), Baseline::Source::ReadFromExchange);
    EXPECT_EQ(kept.configuration().VirtualPorts().GetString(FieldNames::Name, 1), QByteArray("Read Then"));
    EXPECT_EQ(kept.description(), QStringLiteral("the configuration read from the exchange on 7 Dec 2026 10:14"));

    const Baseline sent = Baseline::forOpenedFile(store, grown, QStringLiteral("/sites/kestrel.QBF"));
    EXPECT_EQ(sent.description(), QStringLiteral("the configuration sent to the exchange on 7 Dec 2026 11:00"));

    ExchClass unknown = sample;
    unknown.Groups().PutBlank(unknown.Groups().Records());
    const QString path = root.filePath(QStringLiteral("unknown.QBF"));
    ASSERT_TRUE(ConfigFile().save(unknown, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(localTime(6, 8, 30), QFileDevice::FileModificationTime));
    file.close();
    const Baseline asSaved = Baseline::forOpenedFile(store, unknown, path);
    EXPECT_EQ(asSaved.source(), Baseline::Source::File);
    EXPECT_TRUE(Baseline::sameLayouts(asSaved.configuration(), unknown));
    EXPECT_EQ(asSaved.description(), QStringLiteral("the file %1 saved on 6 Dec 2026 08:30").arg(path));
}
