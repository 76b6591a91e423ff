#include "support/gui/MainWindowFixture.h"

#include "app/ListedLines.h"
#include "app/ProblemWatch.h"
#include "model/ConfigFile.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

namespace {
// A problem as the list shows it: severity, record, field, message.
QStringList rows(const QTreeView *list)
{
    const QAbstractItemModel *model = list->model();
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells.append(model->index(row, column).data().toString());
        result.append(cells.join(QStringLiteral(" | ")));
    }
    return result;
}

QStringList messages(const QList<ConfigurationProblem> &problems)
{
    QStringList result;
    for (const ConfigurationProblem &p : problems)
        result.append(p.text());
    return result;
}

const QString TooLong =
    QStringLiteral("Ext To Virtual 12 (3001): 3001 has 4 digits, more than the system's extension number length of 3");
const QString AclFree = QStringLiteral("Virtual Ports 3 (Accounts 1): its default ACL is ACL 12, which is free");

// The sample site with a dialled number too long and a virtual port on a free ACL.
void breakSample(ExchClass &config)
{
    config.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 12, "3001");
    config.VirtualPorts().SetInteger(FieldNames::ACLID, 3, 12);
}

class ProblemsTest : public MainWindowFixture
{
protected:
    QString brokenSample()
    {
        ExchClass config;
        SampleConfiguration::build(config);
        breakSample(config);
        const QString path = m_dir.filePath(QStringLiteral("broken.QBF"));
        EXPECT_TRUE(ConfigFile().save(config, path));
        return path;
    }

    void pollTwice() { m_timers.advance(2 * ProblemWatch::PollInterval); }
};
} // namespace

TEST(ProblemWatch, ChecksAConfigurationOnceItIsActiveAndAnEditOnceEditingHasPausedForAPoll)
{
    SimulatedTimers timers;
    ExchClass clean;
    SampleConfiguration::build(clean);
    ExchClass broken = clean;
    breakSample(broken);
    const ExchClass *active = nullptr;
    ProblemWatch watch(timers, [&active] { return active; });
    int told = 0;
    QObject::connect(&watch, &ProblemWatch::problemsChanged, [&told] { ++told; });

    active = &broken;
    watch.poll();
    EXPECT_EQ(messages(watch.problems()), QStringList({AclFree, TooLong}));

    // Edits at every poll are never checked half-way; the first quiet poll checks them.
    broken.VirtualPorts().SetInteger(FieldNames::ACLID, 3, 13);
    timers.advance(ProblemWatch::PollInterval);
    broken.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 12, "300");
    timers.advance(ProblemWatch::PollInterval);
    EXPECT_EQ(watch.problems().size(), 2);
    timers.advance(ProblemWatch::PollInterval);
    EXPECT_EQ(messages(watch.problems()), QStringList());
    EXPECT_EQ(told, 2);

    // A check that finds the same problems says nothing.
    broken.System().SetString(FieldNames::Name, 0, "Renamed");
    timers.advance(3 * ProblemWatch::PollInterval);
    EXPECT_EQ(told, 2);

    active = nullptr;
    timers.advance(ProblemWatch::PollInterval);
    EXPECT_FALSE(watch.hasConfiguration());
    EXPECT_EQ(told, 3);
}

TEST_F(ProblemsTest, TheListFollowsTheActiveDocumentAndDoubleClickingAProblemPutsItsRecordOnShow)
{
    m_window->load();
    const auto *list = m_window->findChild<QTreeView *>(QStringLiteral("lvwProblems"));
    const auto *count = m_window->findChild<QToolButton *>(QStringLiteral("cmdProblems"));
    EXPECT_TRUE(count->isHidden());

    openThroughDialog(brokenSample());
    pollTwice();
    EXPECT_EQ(
        rows(list).value(0),
        QStringLiteral("Error | Virtual Ports 3 (Accounts 1) | ACLID | its default ACL is ACL 12, which is free"));
    EXPECT_EQ(count->text(), QStringLiteral("2 errors, 0 warnings"));
    EXPECT_FALSE(count->isHidden());

    action("mnuViewProblems")->trigger();
    EXPECT_TRUE(list->isVisible());
    DocumentWindow *document = m_window->activeDocument();
    const auto doubleClick = [list](int row) {
        const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
        // The view takes a double click only on the item its press was on.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    };
    doubleClick(1);
    EXPECT_TRUE(document->isPanelVisible(DocumentWindow::Panel::DialledNumbers));
    const auto *numbers = document->panelWidget(DocumentWindow::Panel::DialledNumbers)->findChild<QTreeWidget *>();
    EXPECT_EQ(numbers->currentItem()->text(0), QStringLiteral("3001"));
    doubleClick(0);
    EXPECT_EQ(document->selection(), QStringLiteral("Virtual Ports \u203A 3 - Accounts 1"));
    EXPECT_TRUE(document->isPanelVisible(DocumentWindow::Panel::VirtualPorts));

    openSample("clean.QBF");
    EXPECT_EQ(count->text(), QStringLiteral("No problems"));
}

TEST_F(ProblemsTest, SendAndConvertStopAtErrorsUnlessTheEngineerGoesOnAnyway)
{
    m_window->load();
    const QString broken = brokenSample();
    openThroughDialog(broken);
    m_port->written.clear();
    queueAnswers(m_messages, QMessageBox::Cancel, 2);
    action("mnuSendConfig")->trigger();
    action("mnuFileConvert")->trigger();
    EXPECT_TRUE(m_port->written.isEmpty());
    EXPECT_EQ(m_fileDialogs.requests().size(), 1) << "only the Open dialog";
    const QList<MessageService::Message> guards = m_messages.shownMessages();
    ASSERT_EQ(guards.size(), 2);
    EXPECT_EQ(guards[0].text,
              QStringLiteral("%1 has 2 errors that would make the exchange misbehave or cut callers off:\n\n"
                             "%2\n%3\n\n"
                             "View \u2192 Problems lists every problem; double-clicking one opens its record.")
                  .arg(broken, AclFree, TooLong));
    EXPECT_EQ(guards[0].defaultButton, QMessageBox::Cancel);
    EXPECT_EQ(guards[0].buttonTexts, MessageService::ButtonTexts({{QMessageBox::Yes, QStringLiteral("Send Anyway")}}));
    EXPECT_EQ(guards[1].buttonTexts,
              MessageService::ButtonTexts({{QMessageBox::Yes, QStringLiteral("Convert Anyway")}}));

    queueAnswers(m_messages, QMessageBox::Yes, 3);
    action("mnuSendConfig")->trigger();
    EXPECT_FALSE(m_port->written.isEmpty());
    m_fileDialogs.setNextFileName(QString());
    action("mnuFileConvert")->trigger();
    EXPECT_EQ(m_fileDialogs.requests().size(), 2);
}

TEST(ListedLines, ListsUpToTheLimitAndCountsTheRestOnALineOfItsOwn)
{
    EXPECT_EQ(listedLines({QStringLiteral("a"), QStringLiteral("b")}, 2), QStringLiteral("a\nb"));
    EXPECT_EQ(listedLines({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2),
              QStringLiteral("a\nb\nand 1 more"));
}
