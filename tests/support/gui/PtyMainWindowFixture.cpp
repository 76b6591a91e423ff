#include "support/gui/PtyMainWindowFixture.h"

#include "editor/widgets/DocumentWindow.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TreeSearch.h"

#include <QAction>

void PtyMainWindowFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    SampleConfiguration::build(m_simulator.configuration());
    ASSERT_TRUE(m_pty.open()) << m_pty.errorString().toStdString();
    m_window = openWindow(m_pty.slavePath(), *m_windowTimers);
    ASSERT_TRUE(m_window->link().isOpen());
    ASSERT_FALSE(m_window->link().noConnection());
}

std::unique_ptr<MainWindow> PtyMainWindowFixture::openWindow(const QString &device, TimerFactory &timers)
{
    auto window =
        std::make_unique<MainWindow>(MainWindow::Services{m_registry, m_messages, m_fileDialogs, timers, m_log},
                                     std::make_unique<QtSerialPort>(m_scaledTimers, &m_log));
    window->setPortOverride(device);
    window->load();
    return window;
}

void PtyMainWindowFixture::trigger(const char *item)
{
    child<QAction>(m_window.get(), item)->trigger();
}

DocumentWindow *PtyMainWindowFixture::readExchange(const char *item)
{
    trigger(item);
    DocumentWindow *document = m_window->activeDocument();
    if (!document)
        return nullptr;
    QTreeWidget *tree = document->tree();
    const bool filled = waitFor([tree] {
        const QTreeWidgetItem *virtualPorts = findTreeNode(tree, QStringLiteral("RVP"));
        return virtualPorts && virtualPorts->childCount() > 0;
    });
    return filled ? document : nullptr;
}

bool PtyMainWindowFixture::waitFor(const std::function<bool()> &done)
{
    return runEventsUntil(done, 60000);
}
