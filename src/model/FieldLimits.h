#pragma once

#include "model/FieldDef.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

class RecordClass;

// What a field of an exchange-defined layout can hold, so neither an editor
// nor an imported table gives a record more than it stores unchanged.
class FieldLimits
{
public:
    // The field as the accessors find it; an empty definition when the
    // structure has none of that name.
    static FieldDef find(const RecordClass &structure, QByteArrayView name);

    // Elements of an array field: 1 for a plain field, 0 for a missing one.
    static int elements(const FieldDef &field);
    // The largest whole number one element stores unchanged.
    static qint64 largestNumber(const FieldDef &field);
    // Characters a text field holds before its closing NUL.
    static int textLength(const FieldDef &field);
    // Dial digits a digit field holds.
    static int digitCount(const FieldDef &field);
    // Whether every character is a dial digit a digit field stores and reads back unchanged: 0-9, * and #.
    static bool isDialDigits(QStringView text);
    // Where the first character beyond a single byte stands; -1 when there is none.
    static qsizetype firstWideCharacter(QStringView text);

    static int elements(const RecordClass &structure, QByteArrayView name) { return elements(find(structure, name)); }
    static qint64 largestNumber(const RecordClass &structure, QByteArrayView name)
    {
        return largestNumber(find(structure, name));
    }
    static int textLength(const RecordClass &structure, QByteArrayView name)
    {
        return textLength(find(structure, name));
    }
    static int digitCount(const RecordClass &structure, QByteArrayView name)
    {
        return digitCount(find(structure, name));
    }

    // Why the text cannot be stored unchanged in the field, in words that
    // name the field's rule; empty when it can.
    // A whole number from 0 to the largest the field stores.
    static QString numberRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
    // Dial digits (0-9, * and #), no more than the field holds.
    static QString digitRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
    // Single-byte characters other than NUL, no more than the field holds.
    static QString textRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
};
