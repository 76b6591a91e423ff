#pragma once

#include "editor/DocumentEditor.h"
#include "editor/DocumentHost.h"
#include "editor/PanelContext.h"
#include "editor/TableTree.h"
#include "editor/WriteStates.h"
#include "editor/widgets/DocumentWindow.h"
#include "editor/widgets/TableItem.h"
#include "editor/widgets/WriteStateIcons.h"
#include "model/ExchClass.h"

#include <QHash>
#include <QSet>
#include <QStackedWidget>
#include <QTreeWidget>

#include <array>
#include <optional>

// The document window's state behind its widgets, and what its panels see
// of it.
class DocumentWindow::Private : public PanelContext
{
public:
    Private(DocumentWindow &window, DocumentHost &host)
        : editor(host)
        , m_window(window)
        , m_host(host)
    {
    }

    ExchClass &configuration() override { return m_window.exchange(); }
    bool isFilling() const override { return filling; }
    void setFilling(bool value) override { filling = value; }
    bool isChanged(EditorPanel panel) const override { return editor.isChanged(panel); }
    void setChanged(EditorPanel panel, bool changed) override
    {
        editor.setChanged(panel, changed);
        m_window.refreshModified();
    }
    int shownRecord(EditorPanel panel) const override { return editor.shownRecord(panel); }
    void setShownRecord(EditorPanel panel, int index) override { editor.setShownRecord(panel, index); }
    void sendRecordNow(RecordClass &structure, int index) override
    {
        editor.sendRecord(configuration(), structure, index);
        m_window.refreshModified();
    }
    bool updatesOnline() const override { return m_host.updateOnlineSystem(); }
    void showRecordNode(EditorPanel panel, int index, const QByteArray &name) override
    {
        m_window.showRecordNode(panel, index, name);
    }
    void removeRecordNode(EditorPanel panel, int index) override
    {
        m_window.removeRecordNode(panel, index);
        m_window.refreshModified();
    }
    void PopulateClassLists() override
    {
        m_window.PopulateClassLists();
        m_window.refreshModified();
    }
    MessageService &messages() override { return m_host.messages(); }
    Registry &settings() override { return m_host.settings(); }
    DebugLog *log() override { return configuration().log(); }

    // The node shows the write state of its record, or the worst of its structure's records.
    void showWriteState(QTreeWidgetItem *item) const
    {
        if (!item)
            return;
        const std::optional<WriteStates::State> state =
            writeStates.atNode(item->data(0, TableItem::KeyRole).toString());
        item->setIcon(0, state ? stateIcons.icon(*state) : QIcon());
        item->setToolTip(0, state ? WriteStateIcons::toolTip(*state) : QString());
    }

    void writeStateChanged(int member, int index, WriteStates::State state)
    {
        writeStates.set(member, index, state);
        showWriteState(nodes.value(TableTree::recordKey(member, index)));
        showWriteState(nodes.value(TableTree::structureKey(member)));
    }

    template<typename PanelType>
    PanelType *panel(EditorPanel which) const
    {
        return static_cast<PanelType *>(panels[int(which)]);
    }

    DocumentEditor editor;
    QTreeWidget *trvTables = nullptr;
    QStackedWidget *panelArea = nullptr;
    QWidget *noPanel = nullptr;
    std::array<QWidget *, EditorPanelCount> panels{};
    QHash<QString, QTreeWidgetItem *> nodes;
    QSet<QString> populatedBranches;
    WriteStates writeStates;
    WriteStateIcons stateIcons;
    // The node whose panel is on show, kept by key so a tree rebuild cannot leave it dangling.
    QString shownKey;
    bool treeShown = false;
    // A click on the tree whose press found a refused value on the panel: its release goes too.
    bool pressRefused = false;
    QString keyAtPress;
    bool filling = false;

private:
    DocumentWindow &m_window;
    DocumentHost &m_host;
};
