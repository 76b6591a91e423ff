#pragma once

#include "editor/EditorPanel.h"

#include <QByteArray>
#include <QByteArrayView>

class PanelContext;
class RecordClass;

// One record as a panel's field editors write it: every write that changes
// stored bytes sets the panel's change flag, and a write that stores the same
// bytes leaves the flag as it was.
class TrackedRecord
{
public:
    TrackedRecord(PanelContext &context, EditorPanel panel, RecordClass &structure, int index);

    int index() const { return m_index; }
    RecordClass &structure() const { return m_structure; }

    // Each returns whether the stored bytes changed.
    bool setString(QByteArrayView field, const QByteArray &text);
    bool setInteger(QByteArrayView field, qint32 value, int element = 0);
    bool setDigit(QByteArrayView field, const QByteArray &digits, int element = 0);
    bool setBoolean(QByteArrayView field, int bit, bool value, int element = 0);
    // Bit n of a bit set: positions above 7 address the following bytes.
    bool setBit(QByteArrayView field, int n, bool value);

private:
    bool track(bool changed);

    PanelContext &m_context;
    EditorPanel m_panel;
    RecordClass &m_structure;
    int m_index;
};
