#pragma once

#include "EditorPanel.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

class DocumentHost;
class ExchClass;
class RecordClass;

// A document's editing state apart from its widgets: the panel on show, the
// record each record panel shows, the panels holding unsent edits, and the
// sending of records to the exchange.
class DocumentEditor
{
public:
    struct CopiedRecord
    {
        int index;
        QByteArray name;
    };

    explicit DocumentEditor(DocumentHost &host);

    bool isChanged(EditorPanel panel) const;
    void setChanged(EditorPanel panel, bool changed);
    // The record a virtual port, ACL, group or tone panel shows; 0 for the
    // panels of single-record or whole-table structures.
    int shownRecord(EditorPanel panel) const;
    void setShownRecord(EditorPanel panel, int index);
    std::optional<EditorPanel> visiblePanel() const { return m_visible; }

    // The engineer moves on: every panel with edits sends its record when the
    // exchange is updated online, and is clean afterwards either way.
    void leaveRecords(ExchClass &config);
    // Puts the node's panel on show; a record node's tag becomes the shown record.
    std::optional<EditorPanel> showNode(const QString &key, int tag);
    // Sends the visible panel's record whether or not the exchange is updated online.
    void saveRecord(ExchClass &config);
    // Copies the shown virtual port or group into the lowest free slot, names
    // and sends the copy. Nothing when no slot is free.
    std::optional<CopiedRecord> copyToFreeSlot(ExchClass &config, EditorPanel panel);

    static RecordClass &structureOf(ExchClass &config, EditorPanel panel);
    // Queues one record of the configuration for the exchange.
    void sendRecord(ExchClass &config, RecordClass &structure, int index);

private:

    DocumentHost &m_host;
    std::array<bool, EditorPanelCount> m_changed{};
    std::array<int, EditorPanelCount> m_shownRecord{};
    std::optional<EditorPanel> m_visible;
};
