#pragma once

#include "editor/EditorPanel.h"

#include <QByteArray>

class DebugLog;
class ExchClass;
class MessageService;
class RecordClass;
class Registry;

// What an editor panel needs of the document window that shows it.
class PanelContext
{
public:
    virtual ~PanelContext() = default;

    virtual ExchClass &configuration() = 0;
    // Set while a panel is filled from its record: check boxes raised by the
    // fill must not write back.
    virtual bool isFilling() const = 0;
    virtual void setFilling(bool filling) = 0;
    virtual bool isChanged(EditorPanel panel) const = 0;
    virtual void setChanged(EditorPanel panel, bool changed) = 0;
    // The record a virtual port, ACL, group or tone panel shows.
    virtual int shownRecord(EditorPanel panel) const = 0;
    virtual void setShownRecord(EditorPanel panel, int index) = 0;
    // Sends one record to the exchange now, whatever "Update Online System" says.
    virtual void sendRecordNow(RecordClass &structure, int index) = 0;
    // File → "Update Online System": changed records go to the exchange as the engineer moves on.
    virtual bool updatesOnline() const = 0;
    // Gives the record's tree node the text "n - name" ("n - <No Name>"),
    // adding the node under its branch when it is missing.
    virtual void showRecordNode(EditorPanel panel, int index, const QByteArray &name) = 0;
    // A record no longer in use leaves the tree.
    virtual void removeRecordNode(EditorPanel panel, int index) = 0;
    // The class lists changed: rebuild the list view and the three check lists.
    virtual void PopulateClassLists() = 0;
    virtual MessageService &messages() = 0;
    virtual Registry &settings() = 0;
    virtual DebugLog *log() = 0;
};
