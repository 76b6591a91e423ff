#pragma once

#include "editor/widgets/VirtualPortListPanel.h"

class QAction;

// The dialled numbers and the virtual port each one reaches.
class DialledNumberPanel : public VirtualPortListPanel
{
    Q_OBJECT

public:
    enum Column { NumberColumn = KeyColumn, PortColumn = VirtualPortListPanel::PortColumn, IndexColumn };

    DialledNumberPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildExtVP();
    void FillExtToVirtual();
    // The list's pop-up menu: "Add New Dial Number" and "Delete Number".
    void popExtVPAdd();
    void popExtVPDelete();

private:
    QTreeWidgetItem *addItem(int index, int countInUse);
    void itemChecked(QTreeWidgetItem *item, int column);
    void startLabelEdit(int index);
    void endLabelEdit(const QString &edited);
    void selectorLeft();
    void showMenu(const QPoint &position);

    QAction *m_addAction;
    QAction *m_deleteAction;
    // The record whose number is being edited.
    int m_editIndex = -1;
};
