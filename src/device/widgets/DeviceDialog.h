#pragma once

#include "device/widgets/DeviceServices.h"

#include <QDialog>

struct DevicePacket;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// The common ground of the device windows: they send device packets, show
// messages with the application's title and refuse a box's value by naming
// it and putting the focus back there.
class DeviceDialog : public QDialog
{
    Q_OBJECT

public:
    DeviceDialog(const DeviceServices &services, const QString &name, const QString &title, QWidget *parent);

protected:
    void send(const DevicePacket &packet);
    // A message box with an OK button.
    void say(const QString &text);
    // A question under the window's title, No the default: true on Yes.
    bool confirm(const QString &text);
    // The message, then the focus back in the box with its text selected.
    void refuse(QLineEdit *box, const QString &text);

    QLineEdit *makeBox(const QString &name, const QString &text = QString());
    QPushButton *makeButton(const QString &name, const QString &caption);
    QLabel *makeLabel(const QString &caption, QWidget *buddy);
    // The unit beside a box.
    QLabel *makeUnit(const QString &unit);
    // Beside a time the board counts in its own units, which the number goes in unchanged.
    QLabel *makeBoardTimeUnit();
    // A box the program fills: read-only, and looking it, with no place in the Tab order.
    void showReadOnly(QLineEdit *box);
    // The status bar "sbar1" with its one panel, which setStatus fills.
    QStatusBar *makeStatusBar();
    void setStatus(const QString &text);

    MessageService &messages() { return m_services.messages; }
    TimerFactory &timers() { return m_services.timers; }

private:
    DeviceServices m_services;
    QLabel *m_statusPanel = nullptr;
};
