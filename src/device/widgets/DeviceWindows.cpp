#include "device/widgets/DeviceWindows.h"

#include "device/BoardPackets.h"
#include "device/FactoryConfiguration.h"
#include "device/widgets/BoardInfoWindow.h"
#include "device/widgets/ExtensionParametersWindow.h"
#include "device/widgets/FactoryWindow.h"
#include "device/widgets/TieLineParametersWindow.h"
#include "link/SerialLink.h"
#include "shell/MessageService.h"

namespace {
const QString ResetQuestion = QStringLiteral("Are you Sure about resetting the System?");
const QString ResetTitle = QStringLiteral("RESET SYSTEM");
const QString NoExchangeTitle = QStringLiteral("Get Configuration");
const QString NoOrvexText = QStringLiteral("No Orvex detected");
const QString NotRebuildingText = QStringLiteral("Not returning to factory configuration");
const QString NotResettingText = QStringLiteral("Not resetting exchange");
const QChar LineBreak = QLatin1Char('\n');
} // namespace

DeviceWindows::DeviceWindows(const Services &services, SerialLink &link, QWidget *parentWindow)
    : m_messages(services.messages)
    , m_timers(services.timers)
    , m_currentTime(services.currentTime)
    , m_link(link)
    , m_parentWindow(parentWindow)
    , m_sender(&link, nullptr, &services.log)
{
    m_link.dispatcher().setDeviceSink(this);
}

DeviceWindows::~DeviceWindows()
{
    m_link.dispatcher().setDeviceSink(nullptr);
    delete m_time;
    delete m_boardInfo;
    delete m_extParams;
    delete m_tieParams;
    delete m_factory;
}

void DeviceWindows::closeAll()
{
    for (QWidget *window : std::initializer_list<QWidget *>{m_time, m_boardInfo, m_extParams, m_tieParams, m_factory}) {
        if (window)
            window->close();
    }
}

DeviceServices DeviceWindows::windowServices()
{
    return {m_sender, m_messages, m_timers};
}

void DeviceWindows::bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void DeviceWindows::refuseWithoutExchange(const QString &refusal)
{
    m_messages.show(m_parentWindow, QMessageBox::Warning, NoExchangeTitle, NoOrvexText + LineBreak + refusal);
}

void DeviceWindows::mnuFileBuildFactory_Click()
{
    if (m_link.noConnection()) {
        refuseWithoutExchange(NotRebuildingText);
        return;
    }
    if (!m_factory) {
        m_factory = new FactoryWindow(windowServices(), m_parentWindow);
        // Modal without a nested event loop, so packets keep arriving.
        m_factory->setWindowModality(Qt::WindowModal);
    }
    bringForward(m_factory);
}

void DeviceWindows::mnuFileReset_Click()
{
    const int answer = m_messages.show(m_parentWindow, QMessageBox::Critical, ResetTitle, ResetQuestion,
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (m_link.noConnection()) {
        refuseWithoutExchange(NotResettingText);
        return;
    }
    sendDevicePacket(m_sender, FactoryConfiguration::resetPacket());
}

void DeviceWindows::mnuShowTime_Click()
{
    if (!m_time)
        m_time = new TimeWindow(windowServices(), m_currentTime, m_parentWindow);
    bringForward(m_time);
}

void DeviceWindows::mnuBoards_Click()
{
    sendDevicePacket(m_sender, BoardPackets::readRequest());
}

void DeviceWindows::mnuAdvExt_Click()
{
    if (!m_extParams)
        m_extParams = new ExtensionParametersWindow(windowServices(), m_parentWindow);
    bringForward(m_extParams);
}

void DeviceWindows::mnuAdvTie_Click()
{
    if (!m_tieParams)
        m_tieParams = new TieLineParametersWindow(windowServices(), m_parentWindow);
    bringForward(m_tieParams);
}

bool DeviceWindows::isOpenAndVisible(AckReceiver window) const
{
    switch (window) {
    case AckReceiver::ExtensionParameters:
        return m_extParams && m_extParams->isVisible();
    case AckReceiver::TieLineParameters:
        return m_tieParams && m_tieParams->isVisible();
    case AckReceiver::BoardInfo:
        return m_boardInfo && m_boardInfo->isVisible();
    }
    return false;
}

void DeviceWindows::DataReceived(AckReceiver window)
{
    switch (window) {
    case AckReceiver::ExtensionParameters:
        if (m_extParams)
            m_extParams->DataReceived();
        break;
    case AckReceiver::TieLineParameters:
        if (m_tieParams)
            m_tieParams->DataReceived();
        break;
    case AckReceiver::BoardInfo:
        if (m_boardInfo)
            m_boardInfo->DataReceived();
        break;
    }
}

void DeviceWindows::showClock(const ClockReading &clock)
{
    if (m_time)
        m_time->showClock(clock);
}

void DeviceWindows::showBoardInformation(const BoardInformation &boards)
{
    if (!m_boardInfo) {
        m_boardInfo = new BoardInfoWindow(windowServices(), m_parentWindow);
        // Modal without a nested event loop: the acknowledgements of its own
        // packets arrive while it is shown.
        m_boardInfo->setWindowModality(Qt::ApplicationModal);
    }
    m_boardInfo->fill(boards);
    bringForward(m_boardInfo);
}
