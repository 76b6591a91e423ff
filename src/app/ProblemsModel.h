#pragma once

#include "analysis/ConfigurationProblem.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

// The rows of the Problems list. A model rather than a list of items, so
// that a configuration with thousands of problems is shown again after each
// check without building a row of widgets' data for each.
class ProblemsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { SeverityColumn, RecordColumn, FieldColumn, MessageColumn, ColumnCount };

    explicit ProblemsModel(QObject *parent = nullptr);

    void setIcons(const QIcon &error, const QIcon &warning);
    void setProblems(const QList<ConfigurationProblem> &problems);
    const ConfigurationProblem &problem(int row) const { return m_problems.at(row); }
    // The row of the problem about the same thing (rule, record and field) as
    // this one, whatever its wording now; -1 when there is none.
    int rowAbout(const ConfigurationProblem &problem) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ConfigurationProblem> m_problems;
    QIcon m_errorIcon;
    QIcon m_warningIcon;
};
