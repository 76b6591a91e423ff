#include "editor/TrackedRecord.h"

#include "editor/PanelContext.h"
#include "model/RecordClass.h"

TrackedRecord::TrackedRecord(PanelContext &context, EditorPanel panel, RecordClass &structure, int index)
    : m_context(context)
    , m_panel(panel)
    , m_structure(structure)
    , m_index(index)
{
}

bool TrackedRecord::track(bool changed)
{
    if (changed)
        m_context.setChanged(m_panel, true);
    return changed;
}

bool TrackedRecord::setString(QByteArrayView field, const QByteArray &text)
{
    bool changed = false;
    m_structure.SetString(field, m_index, text, &changed);
    return track(changed);
}

bool TrackedRecord::setInteger(QByteArrayView field, qint32 value, int element)
{
    bool changed = false;
    m_structure.SetInteger(field, m_index, value, element, &changed);
    return track(changed);
}

bool TrackedRecord::setDigit(QByteArrayView field, const QByteArray &digits, int element)
{
    bool changed = false;
    m_structure.SetDigit(field, m_index, digits, element, &changed);
    return track(changed);
}

bool TrackedRecord::setBoolean(QByteArrayView field, int bit, bool value, int element)
{
    bool changed = false;
    m_structure.SetBoolean(field, m_index, bit, value, element, &changed);
    return track(changed);
}

bool TrackedRecord::setBit(QByteArrayView field, int n, bool value)
{
    // A position past the field would land in the next field's bytes.
    if (n < 0 || n >= m_structure.BitCount(field))
        return false;
    return setBoolean(field, n, value, 0);
}
