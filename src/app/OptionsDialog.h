#pragma once

#include <QDialog>

class MessageService;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class Registry;
class SerialLink;

// frmOptions: the serial port, its speed, whether tone records are shown and
// how many configurations the history keeps of each site.
// Every showing fills itself from the settings; Apply saves them and reopens
// the port at once.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int PrinterPortSpeed = 9600;
    static constexpr int ProgrammingPortSpeed = 38400;

    // portOverride is the port named on the command line for this run (a
    // number or a device path), which the dialog shows as the port in use.
    OptionsDialog(SerialLink &link, Registry &registry, MessageService &messages,
                  const QString &portOverride = QString(), QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int NoPosition = -1;

    void fill(const QString &portOverride);
    void fillPorts(const QString &portOverride);
    // Leaving a list: a selection other than the one filled or last applied enables Apply.
    void changeTest(const QComboBox *list);
    void Apply();
    // Closes the line and opens it again on the stored port, or on device when one is given.
    void reopenPort(const QString &device);
    void cmdOK_Click();
    void cmdApply_Click();

    SerialLink &m_link;
    Registry &m_registry;
    MessageService &m_messages;
    QCheckBox *m_chkViewTones;
    QComboBox *m_cboPorts;
    QComboBox *m_cboPortType;
    QSpinBox *m_spnHistoryKeep;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
    QPushButton *m_cmdApply;
    // The list positions selected when the dialog was filled or last applied.
    int m_portsTag = 0;
    int m_portTypeTag = NoPosition;
};
