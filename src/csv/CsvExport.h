#pragma once

#include <QByteArray>

class ExchClass;

// One structure of a configuration as a CSV file (see CsvTable): the header,
// then a row for every record, or only for the records in use.
class CsvExport
{
public:
    static QByteArray write(const ExchClass &config, int member, bool usedOnly);
};
