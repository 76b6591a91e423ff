#pragma once

#include "analysis/FieldValue.h"
#include "csv/BitNames.h"
#include "model/FieldDef.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ExchClass;
class FieldValueReader;
class RecordClass;

// One structure as a table: a row per record, the columns `record`, `used`
// and one per field the accessors reach by name, each cell a field's value as
// dump --json shows it, flattened: elements joined by ';', digits as digit
// strings, text as it is, bits as their names where the configuration names
// them and as numbers otherwise. A field that reads as a number or as digits
// is shown as its numbers, which hold every byte.
class CsvTable
{
public:
    inline static const QString RecordColumn = QStringLiteral("record");
    inline static const QString UsedColumn = QStringLiteral("used");
    inline static const QString Yes = QStringLiteral("yes");
    inline static const QString No = QStringLiteral("no");
    static constexpr QChar Separator = u';';

    struct Column
    {
        // The layout's entry.
        int field = 0;
        FieldDef def;
        QString name;
        BitNames bitNames;
    };

    // The member that dump names so, in any letter case; -1 for none.
    static int memberNamed(const QString &name);
    // "ClassList, ACL, ..., Tones"
    static QString memberNames();

    CsvTable(const ExchClass &config, int member);

    const RecordClass &structure() const { return m_structure; }
    int member() const { return m_member; }
    const QList<Column> &columns() const { return m_columns; }
    QStringList header() const;
    // The field column a header names by the accessors' rule for names; -1 for none.
    int columnNamed(const QString &header) const;

    FieldValue value(const FieldValueReader &reader, const Column &column, int rec) const;
    QString cell(const Column &column, const FieldValue &value) const;
    // The value a cell gives the column's field, or why the field cannot hold it.
    std::optional<FieldValue> parse(const Column &column, const QString &cell, QString &reason) const;
    // Whether two values of one column store the same bytes.
    static bool sameValue(const FieldValue &a, const FieldValue &b);
    // Writes through the structure's setters the elements or bits of `to` that
    // differ from `from`, so bytes no cell changed stay as they were.
    static void write(RecordClass &structure, int rec, const Column &column, const FieldValue &from,
                      const FieldValue &to);

private:
    std::optional<FieldValue> parseNumbers(const Column &column, const QStringList &parts, QString &reason) const;
    std::optional<FieldValue> parseDigits(const Column &column, const QStringList &parts, QString &reason) const;
    std::optional<FieldValue> parseText(const Column &column, const QString &cell, QString &reason) const;
    std::optional<FieldValue> parseBits(const Column &column, const QString &cell, QString &reason) const;

    const RecordClass &m_structure;
    int m_member;
    QList<bool> m_named;
    QList<Column> m_columns;
};
