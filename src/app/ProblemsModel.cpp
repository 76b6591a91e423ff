#include "app/ProblemsModel.h"

ProblemsModel::ProblemsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ProblemsModel::setIcons(const QIcon &error, const QIcon &warning)
{
    m_errorIcon = error;
    m_warningIcon = warning;
}

void ProblemsModel::setProblems(const QList<ConfigurationProblem> &problems)
{
    beginResetModel();
    m_problems = problems;
    endResetModel();
}

int ProblemsModel::rowAbout(const ConfigurationProblem &problem) const
{
    for (int row = 0; row < m_problems.size(); ++row) {
        const ConfigurationProblem &p = m_problems.at(row);
        if (p.rule == problem.rule && p.member == problem.member && p.record == problem.record
            && p.field == problem.field)
            return row;
    }
    return -1;
}

int ProblemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_problems.size());
}

int ProblemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_problems.size())
        return {};
    const ConfigurationProblem &p = m_problems.at(index.row());
    const bool error = p.severity == ConfigurationProblem::Severity::Error;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case SeverityColumn:
            return error ? tr("Error") : tr("Warning");
        case RecordColumn:
            return p.label();
        case FieldColumn:
            return p.field;
        case MessageColumn:
            return p.message;
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == SeverityColumn)
            return error ? m_errorIcon : m_warningIcon;
        return {};
    case Qt::ToolTipRole:
        // The rule's id names the check in the documentation and in validate's output.
        return index.column() == SeverityColumn ? p.rule : p.text();
    default:
        return {};
    }
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SeverityColumn:
        return tr("Severity");
    case RecordColumn:
        return tr("Record");
    case FieldColumn:
        return tr("Field");
    case MessageColumn:
        return tr("Problem");
    default:
        return {};
    }
}
