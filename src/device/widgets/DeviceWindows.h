#pragma once

#include "device/widgets/TimeWindow.h"
#include "link/DeviceSink.h"
#include "link/PacketSender.h"

#include <QObject>
#include <QPointer>

class BoardInfoWindow;
class DebugLog;
class ExtensionParametersWindow;
class FactoryWindow;
class MessageService;
class SerialLink;
class TieLineParametersWindow;
class TimerFactory;

// The device commands of the main window's System and Advanced menus and the
// windows they open. Each window is made on first use and unloaded when
// closed. Registered with the link's dispatcher, it hands acknowledgements,
// the clock and the board information to the window that waits for them.
class DeviceWindows : public QObject, public DeviceSink
{
    Q_OBJECT

public:
    struct Services
    {
        MessageService &messages;
        TimerFactory &timers;
        DebugLog &log;
        // The PC's clock; the system clock when empty.
        TimeWindow::Clock currentTime;
    };

    // The windows open over parentWindow; link carries the packets and says
    // whether an exchange is there.
    DeviceWindows(const Services &services, SerialLink &link, QWidget *parentWindow);
    ~DeviceWindows() override;

    void closeAll();

    // System → "Build Factory Configuration", "Reset System", "Set System Time".
    void mnuFileBuildFactory_Click();
    void mnuFileReset_Click();
    void mnuShowTime_Click();
    // Advanced → "Get Board Serial Info", "Change Extension Parameters",
    // "Change Tie Line Parameters".
    void mnuBoards_Click();
    void mnuAdvExt_Click();
    void mnuAdvTie_Click();

    // DeviceSink
    bool isOpenAndVisible(AckReceiver window) const override;
    void DataReceived(AckReceiver window) override;
    void showClock(const ClockReading &clock) override;
    void showBoardInformation(const BoardInformation &boards) override;

private:
    DeviceServices windowServices();
    void refuseWithoutExchange(const QString &refusal);
    static void bringForward(QWidget *window);

    MessageService &m_messages;
    TimerFactory &m_timers;
    TimeWindow::Clock m_currentTime;
    SerialLink &m_link;
    QWidget *m_parentWindow;
    // Device commands leave through their own sender, outside the
    // configuration transfer's retransmission.
    PacketSender m_sender;

    QPointer<TimeWindow> m_time;
    QPointer<BoardInfoWindow> m_boardInfo;
    QPointer<ExtensionParametersWindow> m_extParams;
    QPointer<TieLineParametersWindow> m_tieParams;
    QPointer<FactoryWindow> m_factory;
};
