#pragma once

#include <QByteArray>
#include <QString>

class ExchClass;

// One structure of a configuration as a CSV file (see CsvTable): the header,
// then a row for every record, or only for the records in use.
class CsvExport
{
public:
    static QByteArray write(const ExchClass &config, int member, bool usedOnly);
    // Writes the table whole to a file through a temporary one; false with a line naming the file and the reason.
    static bool save(const ExchClass &config, int member, bool usedOnly, const QString &path, QString *errorString);
};
