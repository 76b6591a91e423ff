#pragma once

#include "app/MainWindow.h"
#include "core/Registry.h"
#include "editor/widgets/DocumentWindow.h"
#include "link/FakeSerialPort.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "shell/FileDialogService.h"
#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>

// A main window on a fake serial line with ports 3 and 4 present and "Port"
// set to 4, settings in a temporary file, and answers queued for its dialogs.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_registry = std::make_unique<Registry>(m_dir.filePath(QStringLiteral("settings.ini")));
        m_registry->SaveSetting(SettingsKeys::Comms, SettingsKeys::Port, Registry::TypeNumber, 4);
        createWindow();
    }

    void createWindow()
    {
        auto port = std::make_unique<FakeSerialPort>();
        port->ports = {{3, SerialPort::OpenStatus::Opened}, {4, SerialPort::OpenStatus::Opened}};
        m_port = port.get();
        m_window = std::make_unique<MainWindow>(
            MainWindow::Services{*m_registry, m_messages, m_fileDialogs, m_timers, m_log}, std::move(port));
    }

    QAction *action(const char *name) const { return child<QAction>(m_window.get(), name); }
    QString panelText(const char *name) const { return child<QLabel>(m_window.get(), name)->text(); }

    QString sampleCopy(const QString &name) const
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QStringLiteral(QB_DATA_DIR "/sample.QBF"), path));
        return path;
    }

    void openThroughDialog(const QString &path)
    {
        m_fileDialogs.setNextFileName(path);
        action("mnuFileOpen")->trigger();
    }
    // Opens a copy of the sample under the name; its path.
    QString openSample(const char *name = "a.QBF")
    {
        const QString path = sampleCopy(QLatin1String(name));
        openThroughDialog(path);
        return path;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Registry> m_registry;
    MessageService m_messages;
    FileDialogService m_fileDialogs;
    SimulatedTimers m_timers;
    DebugLog m_log;
    FakeSerialPort *m_port = nullptr;
    std::unique_ptr<MainWindow> m_window;
};
