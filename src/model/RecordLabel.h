#pragma once

#include <QString>

class ExchClass;

// How the program names a structure and one of its records to the engineer:
// "Virtual Ports", "Virtual Ports 12 (Front Desk)".
class RecordLabel
{
public:
    // The structure's title as the tree and the transfer window show it.
    static QString structureTitle(int member);
    // "Virtual Ports 12 (Front Desk)"; "Virtual Ports 12" for a record
    // without a name or a structure without a Name field.
    static QString record(const ExchClass &config, int member, int index);
    // The same for a record whose name has been read already.
    static QString record(int member, int index, const QByteArray &name);
    // A record as lists and the tree offer it: "12 - Front Desk", "12 - <No Name>".
    static QString numbered(int index, const QByteArray &name);
};
