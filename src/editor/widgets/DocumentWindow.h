#pragma once

#include "editor/EditorPanel.h"
#include "link/DocumentSink.h"
#include "model/RecordJournal.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class DocumentHost;
class ExchClass;
class QCloseEvent;
class QUndoStack;
class QTreeWidget;
class QTreeWidgetItem;
struct TableNode;

// frmDocument: the editor of one exchange configuration, a tree of tables on
// the left and one panel per structure on the right.
class DocumentWindow : public QWidget, public DocumentSink
{
    Q_OBJECT

public:
    // The panels and their change flags, in the order a tree click sends them.
    using Panel = EditorPanel;

    static const QString DocumentCaptionPrefix; // "Document"

    explicit DocumentWindow(DocumentHost &host, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    int ExNum() const { return m_exNum; }
    // Also starts the undo history of that configuration.
    void setExNum(int exNum);
    // "Document n" until saved or loaded, then the file's full path. The
    // window's title adds the mark of unsaved changes.
    QString caption() const;
    void setCaption(const QString &caption);
    // ":" + path for a window loaded from a file.
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    bool isUntitled() const;

    // Loads into this document's configuration; shows the file's message on failure.
    bool LoadFile(const QString &path);
    // Saves; reports a failure to the engineer and returns false.
    bool SaveFile(const QString &path);
    // Rebuilds the tree (and the lists the panels use) from the configuration.
    void GetConfiguration();
    // Commits the edit on screen to the record it belongs to and queues every
    // changed record for the exchange (when online). False when the value on
    // screen is refused: the engineer has been told and the command that
    // asked must not go on.
    bool commitEdits();
    // Whether the configuration changed since it was loaded, read or saved.
    bool isModified() const;
    // The configuration as it stands counts as saved and starts the undo
    // history (after a load or a get).
    void markUnmodified();
    // Brings the title's mark of unsaved changes up to date, after the
    // configuration was changed from outside the window.
    void refreshModified();
    // Edit → Undo and Redo, after the edit on screen has gone to its record.
    QUndoStack &undoStack() const;
    void undo();
    void redo();
    // Every change to the records until endStep() is one step of the undo
    // history, with this name (a command run from outside the window).
    void beginStep(const QString &name);
    void endStep();
    // Toolbar "UpdateSys": sends the visible panel's record now.
    void saveRecord();
    // Toolbar "CopyRec": copies the visible panel's record to a free slot.
    void CopyRecord();

    bool isChanged(Panel panel) const;
    void setChanged(Panel panel, bool changed);
    // Puts a record of a structure (ExchClass member) on show: its node in the
    // tree, or its structure's node with the record chosen in the panel's
    // list. False when the value on screen was refused, or the tree has no
    // node for the structure.
    bool showRecord(int member, int index);
    // The node on show as the status bar names it ("Virtual Ports › 2 - Front Desk").
    QString selection() const;
    // The panel on show, if any.
    bool isPanelVisible(Panel panel) const;
    QTreeWidget *tree() const;
    QSize sizeHint() const override;

    // DocumentSink: packets the dispatcher routes to the active document.
    ExchClass *configuration() override;
    void FillVP(int index, const QByteArray &data, bool fromPacket) override;
    void FillGroup(int index, const QByteArray &data, bool fromPacket) override;
    void FillACL(int index, const QByteArray &data, bool fromPacket) override;
    void FillClassLists(const QByteArray &data) override;
    void FillSystem(int index, const QByteArray &data, bool fromPacket) override;
    void BuildRights(const QByteArray &packet) override;

    // Rebuilds the class list view and the three class check lists.
    void PopulateClassLists();
    // The panel of a kind, for the window's own tests and the toolbar.
    QWidget *panelWidget(Panel panel) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Private;

    ExchClass &exchange() const;
    bool viewTones() const;
    void showTree(const QList<TableNode> &nodes);
    // After a rebuild: opens the branches that were open and puts the node on show back.
    void restoreTree(const QStringList &openBranches, bool refill);
    QTreeWidgetItem *addNode(const TableNode &node);
    void nodeSelected(QTreeWidgetItem *item);
    void nodeClicked(QTreeWidgetItem *item);
    // Puts the node's panel on show, filled from its record, and names the node in the status bar.
    void showNode(QTreeWidgetItem *item);
    // Checks and writes the control with the focus on the panel on show. False when refused.
    bool commitFocusedControl();
    void preparePanel(Panel panel);
    void fillPanel(Panel panel, int record);
    void showRecordNode(Panel panel, int index, const QByteArray &name);
    void removeRecordNode(Panel panel, int index);
    void populateBranch(QTreeWidgetItem *item);
    void copyToFreeSlot(Panel panel);
    bool saveBeforeClose();
    // Asks about writes of this document the exchange has not confirmed; true when it may close.
    bool mayCloseWithUnconfirmedWrites();
    // Asks about unsaved changes; true when it may close.
    bool mayCloseUnsaved();
    // After undo or redo: the tree and the panel show the records as they now are.
    void showRestored(const RecordJournal::Step &step);

    std::unique_ptr<Private> d;
    DocumentHost &m_host;
    int m_exNum = 0;
    QString m_caption;
    QString m_tag;
};
