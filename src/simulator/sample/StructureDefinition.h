#pragma once

#include <QByteArray>
#include <QList>

// One exchange structure's layout, written out as the structure-definition
// packet the exchange sends during a get. Fields follow one another from the
// first byte; the record size is their sum.
class StructureDefinition
{
public:
    StructureDefinition(int structureId, const QByteArray &name, int records);

    // size is the element size; items is the element count (0 for one element,
    // the character count for a string, or a right's bit position).
    StructureDefinition &field(const QByteArray &name, qint16 type, int size, int items = 0);

    int structSize() const;
    QByteArray packet() const;

private:
    struct Field
    {
        QByteArray name;
        qint16 type;
        int size;
        int items;
    };

    int m_structureId;
    QByteArray m_name;
    int m_records;
    QList<Field> m_fields;
};
