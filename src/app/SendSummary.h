#pragma once

#include <QString>

class ExchClass;

// What Send Configuration will write, for the engineer to confirm: the
// records of each structure in the order the send goes through them.
class SendSummary
{
public:
    // One line per structure sent, "Virtual Ports: 24 records", each ended by a line break.
    static QString recordsToWrite(const ExchClass &config);
};
