#include "csv/CsvImport.h"

#include "analysis/DialledNumbers.h"
#include "analysis/FieldReader.h"
#include "analysis/FieldValueReader.h"
#include "core/DebugLog.h"
#include "csv/CsvReader.h"
#include "csv/CsvTable.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

#include <QHash>

#include <algorithm>

namespace {
QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool isBlank(const QStringList &cells)
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QString &cell) { return cell.isEmpty(); });
}

DebugLog &logOf(const ExchClass &config)
{
    return config.log() ? *config.log() : DebugLog::shared();
}

// Each record's number as dialled when it is enabled and in use; empty otherwise.
QList<QByteArray> enabledNumbers(const RecordClass &numbers)
{
    const FieldReader flag(numbers, FieldNames::Flag);
    QList<QByteArray> result(qMax<int>(numbers.Records(), 0));
    for (int i = 0; i < result.size(); ++i) {
        const bool enabled = !flag.isBits()
            || (!flag.bit(i, RecordSlots::FreeBit).value_or(true)
                && flag.bit(i, RecordSlots::EnabledBit).value_or(false));
        if (enabled)
            result[i] = DialledNumbers::fullNumber(numbers, i);
    }
    return result;
}
} // namespace

CsvImport::CsvImport(ExchClass &config, int member)
    : m_config(config)
    , m_member(member)
{
}

CsvImport::~CsvImport() = default;

void CsvImport::addProblem(int line, const QString &column, const QString &reason)
{
    m_problems.append({line, column, reason});
}

bool CsvImport::hasFlag() const
{
    return m_config.member(m_member).GetType(FieldNames::Flag) == FieldType::Boolean;
}

QList<int> CsvImport::changedRecords() const
{
    QList<int> records;
    if (!m_planned)
        return records;
    for (const RowEdit &row : m_edits)
        records.append(row.record);
    return records;
}

bool CsvImport::plan(QByteArrayView csv)
{
    m_planned = false;
    m_plannedRevision.reset();
    m_problems.clear();
    m_edits.clear();
    m_result = ExchClass();
    m_table = std::make_unique<CsvTable>(m_config, m_member);

    CsvReader reader;
    if (!reader.read(csv)) {
        addProblem(reader.errorLine(), QString(), reader.errorString());
        return false;
    }
    const QList<CsvReader::Row> &rows = reader.rows();
    if (rows.isEmpty()) {
        addProblem(1, QString(), QStringLiteral("the file is empty: it needs a header row"));
        return false;
    }
    if (!readHeader(rows.first().line, rows.first().cells))
        return false;

    QList<int> lineOfRecord(qMax<int>(m_table->structure().Records(), 0), 0);
    const FieldValueReader fieldReader(logOf(m_config));
    for (qsizetype i = 1; i < rows.size(); ++i)
        readRow(fieldReader, rows.at(i).line, rows.at(i).cells, lineOfRecord);
    // The rows' good cells are tried together even when others are bad, so
    // the report names every row at fault, clashes included.
    tryEdits();
    checkDialledNumbers();
    if (!m_problems.isEmpty()) {
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [](const CsvProblem &a, const CsvProblem &b) { return a.line < b.line; });
        return false;
    }
    m_planned = true;
    m_plannedRevision = m_config.revision();
    return true;
}

// Spreadsheets may save empty columns after the table's own: a column
// without a name is passed over as long as it stays empty.
bool CsvImport::readHeader(int line, const QStringList &cells)
{
    m_headerColumns.clear();
    m_headerNames.clear();
    QHash<int, QString> seen;
    for (const QString &cell : cells) {
        const QString name = cell.trimmed();
        int column = m_table->columnNamed(name);
        if (name.compare(CsvTable::RecordColumn, Qt::CaseInsensitive) == 0)
            column = RecordCell;
        else if (name.compare(CsvTable::UsedColumn, Qt::CaseInsensitive) == 0)
            column = UsedCell;
        else if (name.isEmpty())
            column = UnnamedCell;
        if (column == UnknownCell)
            addProblem(
                line, name,
                QStringLiteral("%1 has no field of this name").arg(QLatin1String(ExchClass::info(m_member).name)));
        else if (column != UnnamedCell && seen.contains(column))
            addProblem(line, name, QStringLiteral("the column is also given as %1").arg(quoted(seen.value(column))));
        seen.insert(column, name);
        m_headerColumns.append(column);
        m_headerNames.append(name);
    }
    if (!m_headerColumns.contains(RecordCell))
        addProblem(line, QString(), QStringLiteral("the header has no %1 column").arg(CsvTable::RecordColumn));
    return m_problems.isEmpty();
}

std::optional<int> CsvImport::recordNumber(int line, const QString &cell, const QList<int> &lineOfRecord)
{
    const RecordClass &structure = m_table->structure();
    const QString text = cell.trimmed();
    const bool digits =
        !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int record = digits ? text.toInt(&ok) : -1;
    if (!ok || record >= structure.Records()) {
        addProblem(line, CsvTable::RecordColumn,
                   structure.Records() > 0
                       ? QStringLiteral("must be a record number from 0 to %1, not %2")
                             .arg(structure.Records() - 1)
                             .arg(quoted(text))
                       : QStringLiteral("%1 has no records").arg(QLatin1String(ExchClass::info(m_member).name)));
        return std::nullopt;
    }
    if (lineOfRecord.at(record) > 0) {
        addProblem(line, CsvTable::RecordColumn,
                   QStringLiteral("record %1 is also on line %2").arg(record).arg(lineOfRecord.at(record)));
        return std::nullopt;
    }
    return record;
}

void CsvImport::readRow(const FieldValueReader &reader, int line, const QStringList &cells, QList<int> &lineOfRecord)
{
    if (isBlank(cells))
        return;
    if (cells.size() != m_headerColumns.size()) {
        addProblem(line, QString(),
                   QStringLiteral("%1 cells where the header has %2").arg(cells.size()).arg(m_headerColumns.size()));
        return;
    }
    const std::optional<int> record = recordNumber(line, cells.at(m_headerColumns.indexOf(RecordCell)), lineOfRecord);
    if (!record)
        return;
    lineOfRecord[*record] = line;

    const RecordClass &structure = m_table->structure();
    RowEdit row{line, *record, {}, std::nullopt};
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const int column = m_headerColumns.at(i);
        const QString &text = cells.at(i);
        const QString &name = m_headerNames.at(i);
        if (column == UsedCell) {
            const QString answer = text.trimmed();
            const bool yes = answer.compare(CsvTable::Yes, Qt::CaseInsensitive) == 0;
            if (!yes && answer.compare(CsvTable::No, Qt::CaseInsensitive) != 0) {
                addProblem(line, name,
                           QStringLiteral("must be %1 or %2, not %3").arg(CsvTable::Yes, CsvTable::No, quoted(answer)));
                continue;
            }
            if (yes == structure.GetRecordUsed(*record))
                continue;
            if (!yes && structure.usedMap().isEmpty())
                addProblem(line, name,
                           QStringLiteral("every record of %1 is in use: it keeps no map of records in use")
                               .arg(QLatin1String(ExchClass::info(m_member).name)));
            else if (hasFlag() && !FieldReader(structure, FieldNames::Flag).bit(*record, RecordSlots::FreeBit))
                addProblem(line, name, QStringLiteral("record %1 is too short to hold its Flag").arg(*record));
            else
                row.used = yes;
            continue;
        }
        if (column == UnnamedCell && !text.isEmpty())
            addProblem(line, QString(), QStringLiteral("cell %1 is under a column without a name").arg(i + 1));
        if (column < 0)
            continue;
        const CsvTable::Column &field = m_table->columns().at(column);
        const FieldValue current = m_table->value(reader, field, *record);
        if (text == m_table->cell(field, current))
            continue;
        QString reason;
        const std::optional<FieldValue> value = m_table->parse(field, text, reason);
        if (!value) {
            addProblem(line, name, reason);
            continue;
        }
        if (current.kind == FieldValue::Kind::Unreadable) {
            addProblem(line, name, QStringLiteral("the record cannot hold the field: %1").arg(current.error));
            continue;
        }
        if (CsvTable::sameValue(current, *value))
            continue;
        if (field.def.Type == FieldType::ReadOnlyInteger) {
            addProblem(line, name, QStringLiteral("the field is read-only"));
            continue;
        }
        row.cells.append({column, current, *value});
    }
    checkFreeBit(row);
    if (!row.cells.isEmpty() || row.used)
        m_edits.append(row);
}

// Bit 7 of a Flag marks a free record, and the used column says whether the
// record is in use: a row where the two disagree is refused, not guessed at.
void CsvImport::checkFreeBit(const RowEdit &row)
{
    const QList<CsvTable::Column> &columns = m_table->columns();
    for (const CellEdit &cell : row.cells) {
        const CsvTable::Column &column = columns.at(cell.column);
        if (cell.to.kind != FieldValue::Kind::Bits || column.field != m_table->structure().fieldIndex(FieldNames::Flag))
            continue;
        const bool wasFree = cell.from.numbers.contains(RecordSlots::FreeBit);
        const bool free = cell.to.numbers.contains(RecordSlots::FreeBit);
        const bool used = row.used.value_or(m_table->structure().GetRecordUsed(row.record));
        if (free == wasFree || free != used)
            continue;
        addProblem(row.line, column.name,
                   free
                       ? QStringLiteral("bit %1 marks a free record, but the record stays in use: set %2 to %3 instead")
                             .arg(RecordSlots::FreeBit)
                             .arg(CsvTable::UsedColumn, CsvTable::No)
                       : QStringLiteral("without bit %1 the record is in use, but it stays free: set %2 to %3 instead")
                             .arg(RecordSlots::FreeBit)
                             .arg(CsvTable::UsedColumn, CsvTable::Yes));
    }
}

void CsvImport::applyRow(ExchClass &config, const RowEdit &row, QString *column) const
{
    RecordClass &structure = config.member(m_member);
    const QList<CsvTable::Column> &columns = m_table->columns();
    for (const CellEdit &cell : row.cells) {
        *column = columns.at(cell.column).name;
        CsvTable::write(structure, row.record, columns.at(cell.column), cell.from, cell.to);
    }
    if (!row.used)
        return;
    *column = CsvTable::UsedColumn;
    if (!hasFlag())
        structure.SetRecordUsed(row.record, *row.used);
    else if (*row.used)
        RecordSlots::takeIntoUse(structure, row.record);
    else
        RecordSlots::release(structure, row.record);
}

// The changes are made on a copy first: any write the model refuses, which
// the checks above should have foreseen, is a problem of its row.
void CsvImport::tryEdits()
{
    m_result = m_config;
    const RowEdit *current = nullptr;
    QString column;
    const QMetaObject::Connection connection =
        QObject::connect(&logOf(m_config), &DebugLog::errorReported, [&](const QString &, const QString &message) {
            if (current)
                addProblem(current->line, column, QStringLiteral("cannot be written: %1").arg(message));
        });
    for (const RowEdit &row : std::as_const(m_edits)) {
        current = &row;
        applyRow(m_result, row, &column);
    }
    QObject::disconnect(connection);
}

// Numbers are compared as dialled in full, as the dialled-number panel
// compares them. Only the rows that change a number, or enable one, are
// checked: a clash the file already had is the check's to report.
void CsvImport::checkDialledNumbers()
{
    if (m_member != ExchClass::ExtToVirtualMember)
        return;
    const QList<QByteArray> before = enabledNumbers(m_config.ExtToVirtual());
    const QList<QByteArray> numberOf = enabledNumbers(m_result.ExtToVirtual());
    QHash<QByteArray, QList<int>> holders;
    QList<QByteArray> sorted;
    for (int i = 0; i < numberOf.size(); ++i) {
        if (numberOf.at(i).isEmpty())
            continue;
        holders[numberOf.at(i)].append(i);
        sorted.append(numberOf.at(i));
    }
    std::sort(sorted.begin(), sorted.end());

    const int columnIndex = m_table->columnNamed(QString::fromLatin1(FieldNames::ExtNumberA));
    const QString column =
        columnIndex >= 0 ? m_table->columns().at(columnIndex).name : QString::fromLatin1(FieldNames::ExtNumberA);
    for (const RowEdit &row : std::as_const(m_edits)) {
        const QByteArray number = numberOf.value(row.record);
        if (number.isEmpty() || number == before.value(row.record))
            continue;
        const QString text = QString::fromLatin1(number);
        const auto problem = [&](const QString &reason) { addProblem(row.line, column, reason); };
        const QList<int> &same = holders[number];
        if (same.size() > 1) {
            const int other = same.first() != row.record ? same.first() : same.at(1);
            problem(QStringLiteral("%1 is also the number of record %2").arg(text).arg(other));
            continue;
        }
        std::optional<int> beginning;
        for (qsizetype length = 1; length < number.size() && !beginning; ++length) {
            const auto it = holders.constFind(number.left(length));
            if (it != holders.cend())
                beginning = it->first();
        }
        if (beginning) {
            problem(QStringLiteral("%1 can never be dialled: record %2's number %3 begins it")
                        .arg(text)
                        .arg(*beginning)
                        .arg(QString::fromLatin1(numberOf.at(*beginning))));
            continue;
        }
        const auto longer = std::upper_bound(sorted.cbegin(), sorted.cend(), number);
        if (longer != sorted.cend() && longer->startsWith(number)) {
            const int other = holders.value(*longer).first();
            problem(QStringLiteral("%1 begins record %2's number %3, which could then never be dialled")
                        .arg(text)
                        .arg(other)
                        .arg(QString::fromLatin1(*longer)));
        }
    }
}

bool CsvImport::apply()
{
    if (!m_plannedRevision || *m_plannedRevision != m_config.revision())
        return false;
    QString column;
    for (const RowEdit &row : std::as_const(m_edits))
        applyRow(m_config, row, &column);
    m_plannedRevision.reset();
    return true;
}
