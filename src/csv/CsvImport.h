#pragma once

#include "analysis/FieldValue.h"
#include "csv/CsvProblem.h"
#include "model/ExchClass.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class CsvTable;
class FieldValueReader;

// Imports one structure's records from a CSV file as CsvExport writes it.
// Rows are matched by their record number; a column may be left out, and a
// cell equal to its field's value leaves the field's bytes untouched. Every
// row is checked before anything changes, so a file with any bad row changes
// nothing: plan() reads and checks, then apply() makes the changes through
// the structure's setters, where a document's undo step records them.
class CsvImport
{
public:
    CsvImport(ExchClass &config, int member);
    ~CsvImport();
    CsvImport(const CsvImport &) = delete;
    CsvImport &operator=(const CsvImport &) = delete;

    // True when every row can be imported; otherwise problems() says why not.
    bool plan(QByteArrayView csv);
    // Every reason the file cannot be imported, by line.
    const QList<CsvProblem> &problems() const { return m_problems; }
    // After a successful plan: the configuration as the import would leave it.
    const ExchClass &result() const { return m_result; }
    // After a successful plan, and after apply(): the records the import changes, in file order.
    QList<int> changedRecords() const;

    // Makes the planned changes in the configuration, once. False, changing
    // nothing, without a successful plan or when the configuration has
    // changed since.
    bool apply();

private:
    struct CellEdit
    {
        int column;
        FieldValue from;
        FieldValue to;
    };
    struct RowEdit
    {
        int line = 0;
        int record = 0;
        QList<CellEdit> cells;
        std::optional<bool> used;
    };
    // What each header cell names: a field column's index or one of these.
    static constexpr int UnknownCell = -1;
    static constexpr int RecordCell = -2;
    static constexpr int UsedCell = -3;
    static constexpr int UnnamedCell = -4;

    bool readHeader(int line, const QStringList &cells);
    void readRow(const FieldValueReader &reader, int line, const QStringList &cells, QList<int> &lineOfRecord);
    std::optional<int> recordNumber(int line, const QString &cell, const QList<int> &lineOfRecord);
    void checkFreeBit(const RowEdit &row);
    void tryEdits();
    void checkDialledNumbers();
    // column is set to each change's column before it is made.
    void applyRow(ExchClass &config, const RowEdit &row, QString *column) const;
    bool hasFlag() const;
    void addProblem(int line, const QString &column, const QString &reason);

    ExchClass &m_config;
    int m_member;
    std::unique_ptr<CsvTable> m_table;
    QList<int> m_headerColumns;
    QStringList m_headerNames;
    QList<RowEdit> m_edits;
    QList<CsvProblem> m_problems;
    ExchClass m_result;
    bool m_planned = false;
    // What the configuration's revision was when planned, until applied.
    std::optional<quint64> m_plannedRevision;
};
