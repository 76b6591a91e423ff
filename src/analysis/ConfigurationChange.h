#pragma once

#include "analysis/FieldValue.h"

#include <QString>

#include <optional>

// One difference between two configurations in one record: a field's value,
// the record's use, or bytes that no field of the layout reads.
struct ConfigurationChange
{
    enum class Kind {
        Field,
        // The record taken into use, freed, added to the table or gone from it.
        Usage,
        // Bytes outside every field, or the whole record where the structure's layout changed.
        Record,
    };
    // A record slot's use by the slot convention (Flag bit 7 marks a free
    // slot) and by the used map, where the two disagree too.
    enum class Use { Absent, Used, Free, FreeButMapped, UsedButUnmapped };

    // How either side reads where a record or a field does not exist.
    static inline const QString AbsentText = QStringLiteral("absent");

    Kind kind = Kind::Field;
    int member = 0;
    int record = 0;
    // The record's name on the side where the record is in use (the old
    // side first); empty when it has none.
    QString recordName;
    // "ACL 2 (Dist 1)", as RecordLabel names records.
    QString recordLabel;
    // Field: the layout's entry and its name.
    int fieldIndex = 0;
    QString field;
    // Field and Record: each side's value; none where the record does not exist.
    std::optional<FieldValue> oldValue;
    std::optional<FieldValue> newValue;
    // Usage: each side's use.
    Use oldUse = Use::Absent;
    Use newUse = Use::Absent;

    // The structure as dump names it: "ACL", "VirtualPorts".
    QString memberName() const;
    // Each side as a person reads it: a field's value as dump shows it, the
    // use in words, a record's bytes in hexadecimal; "absent" for no record.
    QString oldText() const;
    QString newText() const;
    // What changed, without the record: "Name "Dist 1" -> "Reception"",
    // "bytes 00 01 -> 00 02", "used -> free".
    QString changeText() const;

    static bool inUse(Use use) { return use == Use::Used || use == Use::UsedButUnmapped; }
    static QString useText(Use use);

private:
    QString sideText(Use use, const std::optional<FieldValue> &value) const;
};

// Its members hold nothing but Qt's implicitly shared containers, which may
// move by memcpy, so a growing list of changes is moved that way.
Q_DECLARE_TYPEINFO(ConfigurationChange, Q_RELOCATABLE_TYPE);
