#include "support/gui/PtyMainWindowFixture.h"

#include "editor/widgets/DocumentWindow.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "model/FieldNames.h"

#include <QAction>
#include <QDialog>
#include <QDir>

namespace {
class SendChangesEndToEnd : public PtyMainWindowFixture
{
protected:
    // Runs System → Send Changes; whether a transfer ran and ended.
    bool sendChanges()
    {
        trigger("mnuSendChanges");
        auto *transfer = child<QDialog>(m_window.get(), "frmGetConfig");
        return transfer->isVisible() && waitFor([transfer] { return !transfer->isVisible(); });
    }
};
} // namespace

TEST_F(SendChangesEndToEnd, WritesTheOneRecordChangedSinceTheGetThenSeesNothingNewAndRefusesAnotherLayout)
{
    QDir(HistoryStore::defaultRoot()).removeRecursively();
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    child<QAction>(m_window.get(), "mnuFileOnline")->trigger();
    ExchClass &edited = m_window->configuration(document->ExNum());
    document->beginStep(QStringLiteral("Rename Virtual Port 5"));
    edited.VirtualPorts().SetString(FieldNames::Name, 5, "Sales Desk");
    document->endStep();

    const int answeredBefore = m_simulator.framesAnswered();
    m_messages.setNextAnswer(QMessageBox::Yes);
    ASSERT_TRUE(sendChanges());
    EXPECT_EQ(m_simulator.framesAnswered(), answeredBefore + 1);
    EXPECT_EQ(m_simulator.configuration().VirtualPorts().GetString(FieldNames::Name, 5), QByteArray("Sales Desk"));
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    const QString question = m_messages.shownMessages()[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("\n\nChanges since the configuration read from the exchange on ")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral(":\nVirtual Ports 5 (Sales 1): Name \"Sales 1\" -> \"Sales Desk\"\n\n"
                                                 "Only this record is written;")))
        << question.toStdString();
    const QList<HistoryEntry> kept = HistoryStore(HistoryStore::defaultRoot(), SystemClock::shared(), 100).entries();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].kind, HistoryEntry::Kind::Send);

    m_messages.clearShownMessages();
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(sendChanges());
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_TRUE(m_messages.shownMessages()[0].text.startsWith(
        QStringLiteral("Nothing changed since the configuration sent to the exchange on ")));

    edited.ACL().PutBlank(edited.ACL().Records());
    m_messages.clearShownMessages();
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(sendChanges());
    EXPECT_EQ(m_simulator.framesAnswered(), answeredBefore + 1);
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    const QString refusal = m_messages.shownMessages()[0].text;
    EXPECT_TRUE(refusal.startsWith(
        QStringLiteral("The layout of ACL differs from the baseline (the configuration sent to the exchange on ")))
        << refusal.toStdString();
    EXPECT_TRUE(refusal.endsWith(QStringLiteral("): send the whole configuration")));
}
