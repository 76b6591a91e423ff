#include "history/widgets/ComparisonWindow.h"

#include "analysis/ConfigurationComparison.h"
#include "editor/widgets/DocumentWindow.h"
#include "model/RecordLabel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
constexpr int MemberRole = Qt::UserRole;
constexpr int RecordRole = Qt::UserRole + 1;
constexpr int NoRecord = -1;
constexpr int WhatColumn = 0;
constexpr int OldColumn = 1;
constexpr int NewColumn = 2;
const QColor OldBackground(255, 226, 222);
const QColor NewBackground(220, 244, 218);
const QString UseRow = QStringLiteral("Use");
const QString BytesRow = QStringLiteral("Bytes");
const QString LayoutRow = QStringLiteral("Layout");
const QString IdenticalText = QStringLiteral("The configurations are identical.");
const QString ClosedText = QStringLiteral("The document has been closed.");

QString countText(qsizetype count, const QString &one, const QString &many)
{
    return count == 1 ? QStringLiteral("1 ") + one : QString::number(count) + QLatin1Char(' ') + many;
}

QTreeWidgetItem *addRow(QTreeWidgetItem *parent, const QString &what, const QString &oldText, const QString &newText)
{
    auto *row = new QTreeWidgetItem(parent, {what, oldText, newText});
    row->setBackground(OldColumn, OldBackground);
    row->setBackground(NewColumn, NewBackground);
    // Colours of their own need a text colour of their own, whatever the theme.
    row->setForeground(OldColumn, QColor(Qt::black));
    row->setForeground(NewColumn, QColor(Qt::black));
    row->setData(WhatColumn, MemberRole, parent->data(WhatColumn, MemberRole));
    row->setData(WhatColumn, RecordRole, parent->data(WhatColumn, RecordRole));
    return row;
}

QString rowTitle(const ConfigurationChange &change)
{
    switch (change.kind) {
    case ConfigurationChange::Kind::Field:
        return change.field;
    case ConfigurationChange::Kind::Usage:
        return UseRow;
    case ConfigurationChange::Kind::Record:
        return BytesRow;
    }
    return QString();
}

bool contains(const QTreeWidgetItem *item, const QString &text)
{
    for (int column = 0; column < item->columnCount(); ++column) {
        if (item->text(column).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Shows the item when it or anything under it holds the text, or an item above it did.
bool filter(QTreeWidgetItem *item, const QString &text, bool aboveMatched)
{
    const bool matched = aboveMatched || contains(item, text);
    bool below = false;
    for (int i = 0; i < item->childCount(); ++i)
        below = filter(item->child(i), text, matched) || below;
    item->setHidden(!matched && !below);
    return matched || below;
}
} // namespace

ComparisonWindow::ComparisonWindow(const ExchClass &oldConfig, const QString &oldTitle, DocumentWindow &document,
                                   QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_old(oldConfig)
    , m_oldTitle(oldTitle)
    , m_document(&document)
    , m_summary(new QLabel(this))
    , m_filter(new QLineEdit(this))
    , m_changes(new QTreeWidget(this))
    , m_showRecord(new QPushButton(tr("&Show Record"), this))
    , m_refresh(new QPushButton(tr("&Refresh"), this))
{
    setObjectName(QStringLiteral("frmComparison"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Compare %1 with %2").arg(oldTitle, document.caption()));
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(tr("Filter: structure, record, field or value"));
    m_filter->setClearButtonEnabled(true);
    m_changes->setObjectName(QStringLiteral("trvChanges"));
    m_changes->setColumnCount(3);
    m_changes->setHeaderLabels({tr("Change"), oldTitle, document.caption()});
    m_changes->setUniformRowHeights(true);
    m_changes->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_showRecord->setObjectName(QStringLiteral("cmdShowRecord"));
    m_refresh->setObjectName(QStringLiteral("cmdRefresh"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_showRecord);
    buttons->addWidget(m_refresh);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_filter);
    layout->addWidget(m_changes, 1);
    layout->addLayout(buttons);
    resize(900, 560);

    connect(m_filter, &QLineEdit::textChanged, this, &ComparisonWindow::applyFilter);
    connect(m_changes, &QTreeWidget::currentItemChanged, this, &ComparisonWindow::updateButtons);
    connect(m_changes, &QTreeWidget::itemDoubleClicked, this, &ComparisonWindow::showRecord);
    connect(m_showRecord, &QPushButton::clicked, this, &ComparisonWindow::showRecord);
    connect(m_refresh, &QPushButton::clicked, this, &ComparisonWindow::refresh);
    connect(close, &QPushButton::clicked, this, &ComparisonWindow::close);
    refresh();
}

void ComparisonWindow::refresh()
{
    if (!m_document || !m_document->configuration()) {
        m_summary->setText(ClosedText);
        updateButtons();
        return;
    }
    const ConfigurationComparison comparison(m_old, *m_document->configuration());
    fill(comparison);
}

void ComparisonWindow::fill(const ConfigurationComparison &comparison)
{
    m_changes->clear();
    QHash<int, QTreeWidgetItem *> structures;
    const auto structureItem = [&](int member) {
        QTreeWidgetItem *&item = structures[member];
        if (!item) {
            item = new QTreeWidgetItem(m_changes, {RecordLabel::structureTitle(member)});
            item->setData(WhatColumn, MemberRole, member);
            item->setData(WhatColumn, RecordRole, NoRecord);
            QFont bold = item->font(WhatColumn);
            bold.setBold(true);
            item->setFont(WhatColumn, bold);
        }
        return item;
    };
    for (int member : comparison.changedMembers())
        structureItem(member);

    QTreeWidgetItem *layoutItem = nullptr;
    for (const LayoutChange &change : comparison.layoutChanges()) {
        QTreeWidgetItem *structure = structureItem(change.member);
        if (!layoutItem || layoutItem->parent() != structure) {
            layoutItem = new QTreeWidgetItem(structure, {LayoutRow});
            layoutItem->setData(WhatColumn, MemberRole, change.member);
            layoutItem->setData(WhatColumn, RecordRole, NoRecord);
        }
        addRow(layoutItem, change.item, change.oldText, change.newText);
    }

    QTreeWidgetItem *recordItem = nullptr;
    for (const ConfigurationChange &change : comparison.changes()) {
        if (!recordItem || recordItem->data(WhatColumn, MemberRole).toInt() != change.member
            || recordItem->data(WhatColumn, RecordRole).toInt() != change.record) {
            recordItem = new QTreeWidgetItem(structureItem(change.member), {change.recordLabel});
            recordItem->setData(WhatColumn, MemberRole, change.member);
            recordItem->setData(WhatColumn, RecordRole, change.record);
        }
        addRow(recordItem, rowTitle(change), change.oldText(), change.newText());
    }

    for (QTreeWidgetItem *structure : std::as_const(structures)) {
        int records = 0;
        for (int i = 0; i < structure->childCount(); ++i)
            records += structure->child(i)->data(WhatColumn, RecordRole).toInt() != NoRecord ? 1 : 0;
        QStringList parts;
        if (records > 0)
            parts.append(countText(records, tr("record"), tr("records")));
        if (records < structure->childCount())
            parts.append(tr("layout changed"));
        structure->setText(WhatColumn,
                           structure->text(WhatColumn) + QStringLiteral(": ") + parts.join(QStringLiteral(", ")));
    }
    const qsizetype changeCount = comparison.changes().size() + comparison.layoutChanges().size();
    m_summary->setText(comparison.identical()
                           ? IdenticalText
                           : tr("%1 in %2 from %3 to %4.")
                                 .arg(countText(changeCount, tr("change"), tr("changes")),
                                      countText(structures.size(), tr("structure"), tr("structures")), m_oldTitle,
                                      m_document->caption()));
    m_changes->expandAll();
    for (int column = 0; column < m_changes->columnCount(); ++column)
        m_changes->resizeColumnToContents(column);
    applyFilter();
    // The first record is ready for Show Record.
    if (QTreeWidgetItem *first = m_changes->topLevelItem(0))
        m_changes->setCurrentItem(first->child(0));
    updateButtons();
}

void ComparisonWindow::applyFilter()
{
    const QString text = m_filter->text().trimmed();
    for (int i = 0; i < m_changes->topLevelItemCount(); ++i)
        filter(m_changes->topLevelItem(i), text, text.isEmpty());
}

void ComparisonWindow::updateButtons()
{
    const QTreeWidgetItem *item = m_changes->currentItem();
    m_showRecord->setEnabled(m_document && item);
    m_refresh->setEnabled(m_document);
}

void ComparisonWindow::showRecord()
{
    const QTreeWidgetItem *item = m_changes->currentItem();
    if (!m_document || !item)
        return;
    // The document's window comes forward first: the record is shown in the active document.
    if (auto *window = qobject_cast<QMdiSubWindow *>(m_document->parentWidget()); window && window->mdiArea())
        window->mdiArea()->setActiveSubWindow(window);
    m_document->window()->raise();
    m_document->window()->activateWindow();
    m_document->showRecord(item->data(WhatColumn, MemberRole).toInt(), item->data(WhatColumn, RecordRole).toInt());
}
