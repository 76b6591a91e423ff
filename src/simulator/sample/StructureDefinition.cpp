#include "simulator/sample/StructureDefinition.h"

#include "link/PacketCode.h"
#include "link/ReplyPacket.h"
#include "model/FieldFunctions.h"

#include <QtGlobal>

namespace {
constexpr int NameLength = 16;

QByteArray paddedName(const QByteArray &name)
{
    return name.leftJustified(NameLength, '\0', true);
}
} // namespace

StructureDefinition::StructureDefinition(int structureId, const QByteArray &name, int records)
    : m_structureId(structureId)
    , m_name(name)
    , m_records(records)
{
}

StructureDefinition &StructureDefinition::field(const QByteArray &name, qint16 type, int size, int items)
{
    m_fields.append({name, type, size, items});
    return *this;
}

int StructureDefinition::structSize() const
{
    // Wraps like the 16-bit field it is written into.
    qint64 total = 0;
    for (const Field &f : m_fields)
        total += qint64(f.size) * qMax(f.items, 1);
    return int(qint16(total));
}

QByteArray StructureDefinition::packet() const
{
    QByteArray data = EVal(structSize(), 2) + paddedName(m_name) + EVal(m_fields.size(), 2) + EVal(m_records, 2);
    for (const Field &f : m_fields)
        data += EVal(f.size, 2) + paddedName(f.name) + EVal(f.items, 2) + EVal(f.type, 2);
    return ReplyPacket::make(PacketCode::StructureDefinition, m_structureId, data);
}
