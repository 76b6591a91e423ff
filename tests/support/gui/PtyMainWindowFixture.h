#pragma once

#include "app/MainWindow.h"
#include "core/QtTimerFactory.h"
#include "core/Registry.h"
#include "shell/FileDialogService.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"

#include <memory>

class DocumentWindow;

// The program's main window on one side of a pseudo-terminal and a simulated
// exchange holding the sample configuration on the other.
class PtyMainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // A loaded main window on the device, its own timers those given.
    std::unique_ptr<MainWindow> openWindow(const QString &device, TimerFactory &timers);
    void trigger(const char *item);
    // Reads the exchange into a new document through the menu item; null when its tree never filled.
    DocumentWindow *readExchange(const char *item = "mnuFileNew");
    // Runs the event loop until done() holds; false when a minute passed first.
    static bool waitFor(const std::function<bool()> &done);

    // Retransmissions every 50 ms instead of 2500 ms: on an unpaced line the behaviour is the same.
    QtTimerFactory m_scaledTimers{0.02};
    SimulatedTimers m_simulatedTimers;
    // A test whose windows' timers must never run out points this at the simulated ones before SetUp.
    TimerFactory *m_windowTimers = &m_scaledTimers;
    QTemporaryDir m_dir;
    Registry m_registry{m_dir.filePath(QStringLiteral("settings.ini"))};
    MessageService m_messages;
    FileDialogService m_fileDialogs;
    DebugLog m_log;
    ExchangeSimulator m_simulator;
    PtyEndpoint m_pty{&m_simulator};
    std::unique_ptr<MainWindow> m_window;
};
