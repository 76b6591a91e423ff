#include "history/widgets/HistoryWindow.h"

#include "history/HistoryStore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString LocalTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int EntryRole = Qt::UserRole;
constexpr int SiteListWidth = 200;
} // namespace

HistoryWindow::HistoryWindow(const HistoryStore &store, Actions actions, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_actions(std::move(actions))
    , m_sites(new QListWidget(this))
    , m_entryList(new QTreeWidget(this))
    , m_open(new QPushButton(tr("&Open"), this))
    , m_compare(new QPushButton(tr("&Compare With Current"), this))
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(tr("History"));
    m_sites->setObjectName(QStringLiteral("lstSites"));
    m_sites->setMaximumWidth(SiteListWidth);
    m_entryList->setObjectName(QStringLiteral("trvEntries"));
    m_entryList->setRootIsDecorated(false);
    m_entryList->setUniformRowHeights(true);
    m_entryList->setHeaderLabels({tr("Time"), tr("Kind"), tr("Records"), tr("File")});
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    m_compare->setObjectName(QStringLiteral("cmdCompare"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);

    auto *where = new QLabel(tr("Kept in %1").arg(store.root()), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_sites);
    lists->addWidget(m_entryList, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_compare);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(760, 420);

    connect(m_sites, &QListWidget::currentRowChanged, this, &HistoryWindow::showEntries);
    connect(m_entryList, &QTreeWidget::currentItemChanged, this, &HistoryWindow::updateButtons);
    connect(m_entryList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (const HistoryEntry *entry = selectedEntry())
            m_actions.open(*entry);
    });
    connect(m_open, &QPushButton::clicked, this, [this] {
        if (const HistoryEntry *entry = selectedEntry())
            m_actions.open(*entry);
    });
    connect(m_compare, &QPushButton::clicked, this, [this] {
        if (const HistoryEntry *entry = selectedEntry())
            m_actions.compareWithCurrent(*entry);
    });
    connect(close, &QPushButton::clicked, this, &HistoryWindow::close);
}

void HistoryWindow::showSite(const QString &site)
{
    const QSignalBlocker blocker(m_sites);
    m_sites->clear();
    m_sites->addItems(m_store.sites());
    const QList<QListWidgetItem *> found = m_sites->findItems(site, Qt::MatchExactly);
    m_sites->setCurrentRow(found.isEmpty() ? 0 : m_sites->row(found.first()));
    showEntries();
}

void HistoryWindow::showEntries()
{
    m_entryList->clear();
    const QListWidgetItem *site = m_sites->currentItem();
    m_entries = site ? m_store.entries(site->text()) : QList<HistoryEntry>();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const HistoryEntry &entry = m_entries.at(i);
        const QString records = entry.recordCount < 0 ? tr("unreadable") : QString::number(entry.recordCount);
        auto *item = new QTreeWidgetItem(m_entryList,
                                         {entry.time.toLocalTime().toString(LocalTimeFormat),
                                          HistoryEntry::kindName(entry.kind), records, entry.path});
        item->setData(0, EntryRole, int(i));
        item->setToolTip(0, entry.time.toString(Qt::ISODateWithMs));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < m_entryList->columnCount(); ++column)
        m_entryList->resizeColumnToContents(column);
    if (m_entryList->topLevelItemCount() > 0)
        m_entryList->setCurrentItem(m_entryList->topLevelItem(0));
    updateButtons();
}

void HistoryWindow::updateButtons()
{
    const bool chosen = selectedEntry() != nullptr;
    m_open->setEnabled(chosen);
    m_compare->setEnabled(chosen);
}

const HistoryEntry *HistoryWindow::selectedEntry() const
{
    const QTreeWidgetItem *item = m_entryList->currentItem();
    if (!item)
        return nullptr;
    const int index = item->data(0, EntryRole).toInt();
    return index >= 0 && index < m_entries.size() ? &m_entries.at(index) : nullptr;
}
