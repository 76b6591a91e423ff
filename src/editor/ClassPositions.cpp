#include "editor/ClassPositions.h"

#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

namespace {
bool hasBit(const RecordClass &structure, const QByteArray &field, int index, int position)
{
    return position < structure.BitCount(field) && structure.GetBit(field, index, position);
}

void clearBit(RecordClass &structure, const QByteArray &field, int index, int position)
{
    if (position < structure.BitCount(field))
        structure.SetBoolean(field, index, position, false);
}
} // namespace

ClassPositions::ClassPositions(ExchClass &config)
    : m_config(config)
{
}

int ClassPositions::capacity() const
{
    qint64 count = FieldLimits::largestNumber(m_config.ClassList(), FieldNames::ClassCodePosn) + 1;
    // A structure the exchange has not described holds no bits to run out of.
    const std::pair<const RecordClass *, QByteArray> bitSets[] = {
        {&m_config.VirtualPorts(), FieldNames::ClassCode},
        {&m_config.ACL(), FieldNames::ClassAccess},
        {&m_config.ACL(), FieldNames::SetAccess},
    };
    for (const auto &[structure, field] : bitSets) {
        if (structure->BitCount(field) > 0)
            count = qMin<qint64>(count, structure->BitCount(field));
    }
    return int(count);
}

int ClassPositions::freePosition() const
{
    const RecordClass &classes = m_config.ClassList();
    QList<bool> held(capacity(), false);
    for (int i = 0; i < classes.Records(); ++i) {
        if (RecordSlots::isFree(classes, i))
            continue;
        const int position = classes.GetInteger(FieldNames::ClassCodePosn, i);
        if (position >= 0 && position < held.size())
            held[position] = true;
    }
    return int(held.indexOf(false));
}

bool ClassPositions::heldByAnother(int position, int classIndex) const
{
    const RecordClass &classes = m_config.ClassList();
    for (int i = 0; i < classes.Records(); ++i) {
        if (i != classIndex && !RecordSlots::isFree(classes, i)
            && classes.GetInteger(FieldNames::ClassCodePosn, i) == position)
            return true;
    }
    return false;
}

ClassPositions::Holders ClassPositions::holders(int position) const
{
    Holders result;
    if (position < 0)
        return result;
    const RecordClass &ports = m_config.VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i) {
        if (!RecordSlots::isFree(ports, i) && hasBit(ports, FieldNames::ClassCode, i, position))
            result.ports.append(i);
    }
    const RecordClass &acls = m_config.ACL();
    for (int i = 0; i < acls.Records(); ++i) {
        if (!RecordSlots::isFree(acls, i)
            && (hasBit(acls, FieldNames::ClassAccess, i, position) || hasBit(acls, FieldNames::SetAccess, i, position)))
            result.acls.append(i);
    }
    return result;
}

ClassPositions::Holders ClassPositions::takeFromAll(int position)
{
    const Holders taken = holders(position);
    for (int i : taken.ports)
        clearBit(m_config.VirtualPorts(), FieldNames::ClassCode, i, position);
    for (int i : taken.acls) {
        clearBit(m_config.ACL(), FieldNames::ClassAccess, i, position);
        clearBit(m_config.ACL(), FieldNames::SetAccess, i, position);
    }
    return taken;
}
