#include "support/gui/PtyMainWindowFixture.h"

#include "editor/widgets/DocumentWindow.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "model/FieldNames.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"
#include "support/TreeSearch.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {
// The rows on show, one a line, their filled columns joined.
QString rows(const QTreeWidget *tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it) {
        if ((*it)->isHidden())
            continue;
        QStringList columns;
        for (int c = 0; c < tree->columnCount(); ++c) {
            if (!(*it)->text(c).isEmpty())
                columns.append((*it)->text(c));
        }
        texts.append(columns.join(QStringLiteral(" | ")));
    }
    return texts.join(QLatin1Char('\n'));
}

using HistoryEndToEnd = PtyMainWindowFixture;
} // namespace

TEST_F(HistoryEndToEnd, AGetIsKeptAndCompareWithExchangeShowsTheDocumentsEditsWithoutTouchingIt)
{
    QDir(HistoryStore::defaultRoot()).removeRecursively();
    const HistoryStore history(HistoryStore::defaultRoot(), SystemClock::shared(), 100);
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(waitFor([&history] { return !history.entries().isEmpty(); }));
    ExchClass &edited = m_window->configuration(document->ExNum());
    edited.ACL().SetString(FieldNames::Name, 2, "Changed Name");
    edited.VirtualPorts().SetInteger("RXGain", 0, 5);
    const ExchClass before = edited;

    trigger("mnuCompareWithExchange");
    QWidget *comparison = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (comparison = m_window->findChild<QWidget *>(QStringLiteral("frmComparison"))); }));
    auto *changes = comparison->findChild<QTreeWidget *>(QStringLiteral("trvChanges"));
    EXPECT_EQ(rows(changes),
              QStringLiteral("ACL: 1 record\n"
                             "ACL 2 (Dist 1)\n"
                             "Name | \"Dist 1\" | \"Changed Name\"\n"
                             "Virtual Ports: 1 record\n"
                             "Virtual Ports 0 (Reception)\n"
                             "RXGain | 3 | 5"));
    comparison->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(QStringLiteral("changed NAME"));
    EXPECT_EQ(rows(changes), QStringLiteral("ACL: 1 record\nACL 2 (Dist 1)\nName | \"Dist 1\" | \"Changed Name\""));

    QTreeWidgetItem *nameRow =
        changes->findItems(QStringLiteral("Name"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(nameRow, nullptr);
    changes->setCurrentItem(nameRow);
    comparison->findChild<QPushButton *>(QStringLiteral("cmdShowRecord"))->click();
    ASSERT_NE(document->tree()->currentItem(), nullptr);
    EXPECT_EQ(document->tree()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("ACR2"));

    // The exchange was read into a configuration of its own, and kept as a get too.
    EXPECT_EQ(m_window->documents().size(), 1);
    EXPECT_TRUE(m_window->configuration(document->ExNum()) == before);
    const QList<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].kind, HistoryEntry::Kind::Get);
    EXPECT_EQ(entries[0].site, QStringLiteral("Kestrel_Marine_Offices"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}
