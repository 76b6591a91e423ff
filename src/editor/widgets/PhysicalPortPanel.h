#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;
class QComboBox;
class QTreeWidgetItem;
class RecordClass;
class SortingListView;

// The physical ports and the virtual port each one is bound to.
class PhysicalPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    enum Column { PositionColumn, PortColumn, TerminalColumn };
    PhysicalPortPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildPhysicalVP();
    void FillPortToVirtual();
    // Chooses a record's row in the list, as a click on it would.
    void showRecord(int index);

private:
    RecordClass &ports() const;
    RecordClass &virtualPorts() const;
    static int recordOf(const QTreeWidgetItem *item);
    void itemChosen(QTreeWidgetItem *item);
    QString selectorLeaving() const;
    void selectorLeft();

    PanelContext &m_context;
    SortingListView *m_list;
    QComboBox *m_selector;
    // The physical port last chosen in the list.
    int m_currentPortIndex = -1;
};
