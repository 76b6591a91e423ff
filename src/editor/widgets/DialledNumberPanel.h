#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;
class QAction;
class QComboBox;
class QTreeWidgetItem;
class RecordClass;
class SortingListView;

// The dialled numbers and the virtual port each one reaches.
class DialledNumberPanel : public QGroupBox
{
    Q_OBJECT

public:
    enum Column { NumberColumn, PortColumn, IndexColumn };

    DialledNumberPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildExtVP();
    void FillExtToVirtual();
    // Chooses a record's row in the list, as a click on it would.
    void showRecord(int index);
    // The list's pop-up menu: "Add New Dial Number" and "Delete Number".
    void popExtVPAdd();
    void popExtVPDelete();

private:
    RecordClass &numbers() const;
    RecordClass &virtualPorts() const;
    static int recordOf(const QTreeWidgetItem *item);
    QTreeWidgetItem *itemOf(int index) const;
    QTreeWidgetItem *addItem(int index, int countInUse);
    void itemChosen(QTreeWidgetItem *item);
    void itemChecked(QTreeWidgetItem *item, int column);
    void startLabelEdit(int index);
    void endLabelEdit(const QString &edited);
    void selectorLeft();
    void showMenu(const QPoint &position);

    PanelContext &m_context;
    SortingListView *m_list;
    QComboBox *m_selector;
    QAction *m_addAction;
    QAction *m_deleteAction;
    // The record whose number is being edited, and the one last chosen in the list.
    int m_editIndex = -1;
    int m_currentExtIndex = -1;
};
