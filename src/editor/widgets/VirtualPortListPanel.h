#pragma once

#include "editor/EditorPanel.h"

#include <QByteArray>
#include <QGroupBox>
#include <QStringList>

class PanelContext;
class QComboBox;
class QTreeWidgetItem;
class RecordClass;
class SortingListView;

// A panel listing records each bound to a virtual port: the list, each row
// keyed by its record, and under it the selector of the chosen row's port.
class VirtualPortListPanel : public QGroupBox
{
    Q_OBJECT

public:
    // Chooses a record's row in the list, as a click on it would.
    void showRecord(int index);

protected:
    // The first column carries each row's key, the second the row's port.
    static constexpr int KeyColumn = 0;
    static constexpr int PortColumn = 1;

    struct Names
    {
        QString panel;
        QString list;
        QStringList headers;
        QString selector;
        QString selectorFrame;
        // Each row's key is the prefix and the record's index.
        QString keyPrefix;
        // The record's field that holds its port.
        QByteArray portField;
    };

    VirtualPortListPanel(const QString &title, PanelContext &context, EditorPanel panel, Names names, QWidget *parent);

    // The table the list shows, and the virtual ports its records are bound to.
    RecordClass &table() const;
    RecordClass &virtualPorts() const;
    int recordOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *itemOf(int index) const;
    // A new row of the list, keyed by the record.
    QTreeWidgetItem *addRow(int index);
    // Fills the selector with the virtual ports a record can be bound to.
    void fillSelector();
    // The port the selector shows; VirtualPortChoices::UnknownValue for none.
    int selectedPort() const;
    // The record last chosen in the list; -1 for none.
    int currentIndex() const { return m_currentIndex; }
    void forgetCurrent() { m_currentIndex = -1; }
    // Binds the record to the port; a changed binding shows in its row and goes to the exchange at once.
    void bindPort(int index, int port);

    PanelContext &m_context;
    SortingListView *m_list;
    QComboBox *m_selector;

private:
    void itemChosen(QTreeWidgetItem *item);

    EditorPanel m_panel;
    Names m_names;
    int m_currentIndex = -1;
};
