#pragma once

#include "model/FieldDef.h"

#include <QByteArrayView>
#include <QString>

class RecordClass;

// What a field of an exchange-defined layout can hold, so an editor offers
// the engineer no more than the record stores unchanged.
class FieldLimits
{
public:
    // The field as the accessors find it; an empty definition when the
    // structure has none of that name.
    static FieldDef find(const RecordClass &structure, QByteArrayView name);
    // Elements of an array field: 1 for a plain field, 0 for a missing one.
    static int elements(const RecordClass &structure, QByteArrayView name);
    // The largest whole number one element stores unchanged.
    static qint64 largestNumber(const RecordClass &structure, QByteArrayView name);
    // Characters a text field holds before its closing NUL.
    static int textLength(const RecordClass &structure, QByteArrayView name);
    // Dial digits a digit field holds.
    static int digitCount(const RecordClass &structure, QByteArrayView name);

    // Why the text cannot be stored unchanged in the field, in words that
    // name the field's rule; empty when it can.
    // A whole number from 0 to the largest the field stores.
    static QString numberRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
    // Dial digits (0-9, * and #), no more than the field holds.
    static QString digitRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
    // Single-byte characters, no more than the field holds.
    static QString textRefusal(const RecordClass &structure, QByteArrayView name, const QString &text);
};
