#include "app/ProblemsDock.h"

#include "analysis/ConfigurationCheck.h"
#include "app/ProblemsModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>

#include <optional>

namespace {
constexpr int SeverityColumnWidth = 80;
constexpr int RecordColumnWidth = 220;
constexpr int FieldColumnWidth = 110;
} // namespace

ProblemsDock::ProblemsDock(TimerFactory &timers, ProblemWatch::Source source, QWidget *parent)
    : QDockWidget(tr("Problems"), parent)
    , m_watch(new ProblemWatch(timers, std::move(source), this))
    , m_model(new ProblemsModel(this))
    , m_list(new QTreeView(this))
    , m_countButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("dockProblems"));
    toggleViewAction()->setObjectName(QStringLiteral("mnuViewProblems"));
    toggleViewAction()->setText(tr("&Problems"));

    m_model->setIcons(style()->standardIcon(QStyle::SP_MessageBoxCritical),
                      style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_list->setObjectName(QStringLiteral("lvwProblems"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->resizeSection(ProblemsModel::SeverityColumn, SeverityColumnWidth);
    m_list->header()->resizeSection(ProblemsModel::RecordColumn, RecordColumnWidth);
    m_list->header()->resizeSection(ProblemsModel::FieldColumn, FieldColumnWidth);
    setWidget(m_list);

    m_countButton->setObjectName(QStringLiteral("cmdProblems"));
    m_countButton->setAutoRaise(true);
    m_countButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_countButton->setToolTip(tr("Show the problems of this configuration"));
    m_countButton->hide();

    connect(m_watch, &ProblemWatch::problemsChanged, this, &ProblemsDock::showProblems);
    connect(m_list, &QTreeView::activated, this, &ProblemsDock::problemChosen);
    connect(m_countButton, &QToolButton::clicked, this, &ProblemsDock::openList);
}

void ProblemsDock::refresh()
{
    m_watch->poll();
}

void ProblemsDock::showProblems()
{
    const QList<ConfigurationProblem> &problems = m_watch->problems();

    // The engineer's place in the list survives a recheck when its problem does.
    const QModelIndex current = m_list->currentIndex();
    std::optional<ConfigurationProblem> chosen;
    if (current.isValid())
        chosen = m_model->problem(current.row());
    m_model->setProblems(problems);
    const int row = chosen ? m_model->rowAbout(*chosen) : -1;
    if (row >= 0) {
        m_list->setCurrentIndex(m_model->index(row, current.column()));
        m_list->scrollTo(m_list->currentIndex());
    }

    QString summary = ConfigurationCheck::summary(problems);
    summary[0] = summary[0].toUpper();
    m_countButton->setText(summary);
    const QStyle::StandardPixmap icon = ConfigurationCheck::hasErrors(problems) ? QStyle::SP_MessageBoxCritical
        : problems.isEmpty()                                                    ? QStyle::SP_DialogApplyButton
                                                                                : QStyle::SP_MessageBoxWarning;
    m_countButton->setIcon(style()->standardIcon(icon));
    m_countButton->setVisible(m_watch->hasConfiguration());
}

void ProblemsDock::problemChosen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const ConfigurationProblem &p = m_model->problem(index.row());
    emit recordChosen(p.member, p.record);
}

void ProblemsDock::openList()
{
    show();
    raise();
    m_list->setFocus();
}
