#include "history/widgets/HistoryWindow.h"

#include "history/Clock.h"
#include "history/HistoryStore.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/gui/GuiTestSupport.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
class StepClock : public Clock
{
public:
    QDateTime currentUtc() const override { return time; }
    QDateTime time = QDateTime(QDate(2026, 3, 2), QTime(9, 30, 0), Qt::UTC);
};

class HistoryWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ExchClass config;
        SampleConfiguration::build(config);
        ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Get));
        clock.time = clock.time.addSecs(60);
        ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Send));
        config.System().SetString(FieldNames::Name, 0, "Harbour Office");
        ASSERT_TRUE(store.add(config, HistoryEntry::Kind::Get));
    }
    template<typename T>
    T *control(const char *name) const
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    // Each row's kind and record count, newest first.
    QStringList rows() const
    {
        QStringList result;
        auto *entries = control<QTreeWidget>("trvEntries");
        for (int i = 0; i < entries->topLevelItemCount(); ++i)
            result.append(entries->topLevelItem(i)->text(1) + QLatin1Char(' ') + entries->topLevelItem(i)->text(2));
        return result;
    }

    QTemporaryDir dir;
    StepClock clock;
    HistoryStore store{dir.path(), clock, 10};
    QList<HistoryEntry> opened;
    QList<HistoryEntry> compared;
    HistoryWindow window{
        store,
        {[this](const HistoryEntry &e) { opened.append(e); }, [this](const HistoryEntry &e) { compared.append(e); }}};
};
} // namespace

TEST_F(HistoryWindowTest, ShowsTheChosenSitesEntriesNewestFirstAndOpensOrComparesTheOneSelected)
{
    window.showSite(QStringLiteral("Kestrel_Marine_Offices"));
    auto *sites = control<QListWidget>("lstSites");
    ASSERT_EQ(sites->count(), 2);
    EXPECT_EQ(sites->currentItem()->text(), QStringLiteral("Kestrel_Marine_Offices"));
    EXPECT_EQ(rows(), strings({"send 269", "get 269"}));
    EXPECT_EQ(control<QTreeWidget>("trvEntries")->topLevelItem(0)->text(0),
              QDateTime(QDate(2026, 3, 2), QTime(9, 31, 0), Qt::UTC)
                  .toLocalTime()
                  .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));

    control<QPushButton>("cmdOpen")->click();
    auto *entries = control<QTreeWidget>("trvEntries");
    entries->setCurrentItem(entries->topLevelItem(1));
    control<QPushButton>("cmdCompare")->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].kind, HistoryEntry::Kind::Send);
    ASSERT_EQ(compared.size(), 1);
    EXPECT_EQ(compared[0].kind, HistoryEntry::Kind::Get);

    sites->setCurrentRow(sites->row(sites->findItems(QStringLiteral("Harbour_Office"), Qt::MatchExactly).value(0)));
    EXPECT_EQ(rows(), strings({"get 269"}));
    window.showSite(QStringLiteral("Nowhere"));
    EXPECT_EQ(sites->currentRow(), 0) << "an unknown site shows the first";
}

TEST_F(HistoryWindowTest, WithNothingSelectedNeitherOpenNorCompareIsOffered)
{
    QTemporaryDir empty;
    const HistoryStore none(empty.path(), clock, 10);
    HistoryWindow bare(none, {});
    bare.showSite(QString());
    EXPECT_FALSE(bare.findChild<QPushButton *>(QStringLiteral("cmdOpen"))->isEnabled());
    EXPECT_FALSE(bare.findChild<QPushButton *>(QStringLiteral("cmdCompare"))->isEnabled());
    bare.findChild<QPushButton *>(QStringLiteral("cmdOpen"))->click();
}
