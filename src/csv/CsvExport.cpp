#include "csv/CsvExport.h"

#include "analysis/FieldValueReader.h"
#include "core/DebugLog.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"
#include "model/ExchClass.h"
#include "model/OutputFile.h"

#include <QIODevice>

QByteArray CsvExport::write(const ExchClass &config, int member, bool usedOnly)
{
    const CsvTable table(config, member);
    const RecordClass &structure = table.structure();
    const FieldValueReader reader(config.log() ? *config.log() : DebugLog::shared());
    CsvWriter writer;
    writer.addRow(table.header());
    for (int rec = 0; rec < structure.Records(); ++rec) {
        const bool used = structure.GetRecordUsed(rec);
        if (usedOnly && !used)
            continue;
        QStringList cells{QString::number(rec), used ? CsvTable::Yes : CsvTable::No};
        for (const CsvTable::Column &column : table.columns())
            cells.append(table.cell(column, table.value(reader, column, rec)));
        writer.addRow(cells);
    }
    return writer.data();
}

bool CsvExport::save(const ExchClass &config, int member, bool usedOnly, const QString &path, QString *errorString)
{
    const QByteArray table = write(config, member, usedOnly);
    OutputFile file(path);
    QString reason;
    if (!file.open()) {
        reason = file.errorString();
    } else if (file.device().write(table) != table.size()) {
        reason = file.device().errorString();
        file.cancel();
    } else if (!file.commit()) {
        reason = file.errorString();
    } else {
        return true;
    }
    *errorString = QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
    return false;
}
