#include "ProblemsDock.h"

#include "analysis/ConfigurationCheck.h"

#include <QHeaderView>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace {
constexpr int MemberRole = Qt::UserRole;
constexpr int RecordRole = Qt::UserRole + 1;
constexpr int RuleRole = Qt::UserRole + 2;
constexpr int RecordColumnWidth = 220;
constexpr int SeverityColumnWidth = 80;
constexpr int FieldColumnWidth = 110;

// Problems are told apart by what they are about, not by their wording.
bool sameProblem(const QTreeWidgetItem *item, const ConfigurationProblem &p)
{
    return item->data(ProblemsDock::SeverityColumn, MemberRole).toInt() == p.member
        && item->data(ProblemsDock::SeverityColumn, RecordRole).toInt() == p.record
        && item->text(ProblemsDock::FieldColumn) == p.field
        && item->data(ProblemsDock::SeverityColumn, RuleRole).toString() == p.rule;
}
} // namespace

ProblemsDock::ProblemsDock(TimerFactory &timers, ProblemWatch::Source source, QWidget *parent)
    : QDockWidget(tr("Problems"), parent)
    , m_watch(new ProblemWatch(timers, std::move(source), this))
    , m_list(new QTreeWidget(this))
    , m_countButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("dockProblems"));
    toggleViewAction()->setObjectName(QStringLiteral("mnuViewProblems"));
    toggleViewAction()->setText(tr("&Problems"));

    m_list->setObjectName(QStringLiteral("lvwProblems"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Severity"), tr("Record"), tr("Field"), tr("Problem")});
    m_list->header()->resizeSection(SeverityColumn, SeverityColumnWidth);
    m_list->header()->resizeSection(RecordColumn, RecordColumnWidth);
    m_list->header()->resizeSection(FieldColumn, FieldColumnWidth);
    setWidget(m_list);

    m_countButton->setObjectName(QStringLiteral("cmdProblems"));
    m_countButton->setAutoRaise(true);
    m_countButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_countButton->setToolTip(tr("Show the problems of this configuration"));
    m_countButton->hide();

    connect(m_watch, &ProblemWatch::problemsChanged, this, &ProblemsDock::showProblems);
    connect(m_list, &QTreeWidget::itemActivated, this, &ProblemsDock::itemChosen);
    connect(m_countButton, &QToolButton::clicked, this, &ProblemsDock::openList);
}

void ProblemsDock::refresh()
{
    m_watch->poll();
}

void ProblemsDock::showProblems()
{
    const QList<ConfigurationProblem> &problems = m_watch->problems();
    const QStyle *look = style();
    const QIcon errorIcon = look->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = look->standardIcon(QStyle::SP_MessageBoxWarning);

    // The engineer's place in the list survives a recheck when its problem does.
    const QTreeWidgetItem *current = m_list->currentItem();
    int currentRow = -1;
    for (int i = 0; current && i < problems.size(); ++i) {
        if (sameProblem(current, problems.at(i))) {
            currentRow = i;
            break;
        }
    }

    m_list->clear();
    QList<QTreeWidgetItem *> items;
    for (const ConfigurationProblem &p : problems) {
        const bool error = p.severity == ConfigurationProblem::Severity::Error;
        auto *item = new QTreeWidgetItem({error ? tr("Error") : tr("Warning"), p.label(), p.field, p.message});
        item->setIcon(SeverityColumn, error ? errorIcon : warningIcon);
        item->setToolTip(SeverityColumn, p.rule);
        item->setToolTip(MessageColumn, p.message);
        item->setData(SeverityColumn, MemberRole, p.member);
        item->setData(SeverityColumn, RecordRole, p.record);
        item->setData(SeverityColumn, RuleRole, p.rule);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    if (currentRow >= 0)
        m_list->setCurrentItem(items.at(currentRow));

    const qsizetype errors = ConfigurationCheck::errorCount(problems);
    QString summary = ConfigurationCheck::summary(problems);
    summary[0] = summary[0].toUpper();
    m_countButton->setText(summary);
    m_countButton->setIcon(errors > 0 ? errorIcon
                                      : problems.isEmpty() ? look->standardIcon(QStyle::SP_DialogApplyButton)
                                                           : warningIcon);
    m_countButton->setVisible(m_watch->hasConfiguration());
}

void ProblemsDock::itemChosen(QTreeWidgetItem *item)
{
    if (item)
        emit recordChosen(item->data(SeverityColumn, MemberRole).toInt(), item->data(SeverityColumn, RecordRole).toInt());
}

void ProblemsDock::openList()
{
    show();
    raise();
    m_list->setFocus();
}
