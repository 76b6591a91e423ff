#pragma once

#include "editor/widgets/BitCheckList.h"

#include <QByteArray>
#include <QGroupBox>

class ClassNameDelegate;
class PanelContext;
class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class RecordClass;

// The class list: named call classes, each owning one bit position.
class ClassListPanel : public QGroupBox
{
    Q_OBJECT

public:
    enum Column { NameColumn, PositionColumn };
    static const QString DeleteQuestion; // "Do you want to delete the class "%1"?"

    ClassListPanel(PanelContext &context, QWidget *parent = nullptr);

    // Rebuilds the list view; returns the enabled classes the check lists offer.
    QList<BitEntry> populate();
    void FillClassLists(const QByteArray &data);
    // Chooses a record's row in the list, as a click on it would.
    void showRecord(int index);
    // Copies the current class into the first free slot, on a bit of its own.
    void CopyClass();
    // Puts a new class into the first free slot among records 1 to 10.
    void AddNewClass();
    // Asks, then frees the current class's slot and tells the exchange.
    void DeleteClass();
    // The record of the class last chosen in the list; -1 when there is none.
    int currentClassIndex() const { return m_currentClassIndex; }

private:
    RecordClass &classes() const;
    // The slot AddNewClass fills; -1 when records 1 to 10 are all in use.
    int freeAddSlot() const;
    // The bit position a new class takes; -1, said to the engineer, when none is left.
    int freePosition();
    QTreeWidgetItem *itemForRecord(int index) const;
    static int recordOf(const QTreeWidgetItem *item);
    void showClass(QTreeWidgetItem *item, int index) const;
    void makeCurrent(int index);
    void applySort();
    void itemChanged(QTreeWidgetItem *item, int column);
    void currentItemChanged(QTreeWidgetItem *current);
    void columnClicked(int column);
    void showPopup(const QPoint &position);
    void addNewClassAndName();

    PanelContext &m_context;
    QTreeWidget *m_lvwClassList = nullptr;
    ClassNameDelegate *m_delegate = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_mnuClassAddNew = nullptr;
    QAction *m_mnuClassDelete = nullptr;
    int m_currentClassIndex = -1;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_populating = false;
};
