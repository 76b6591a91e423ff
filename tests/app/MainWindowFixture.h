#pragma once

#include "DebugLog.h"
#include "DocumentWindow.h"
#include "ExchClass.h"
#include "FakeSerialPort.h"
#include "FieldNames.h"
#include "FileDialogService.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "Registry.h"
#include "SimulatedTimers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A main window on a fake serial line with ports 3 and 4 present and "Port"
// set to 4, settings in a temporary file, and answers queued for its dialogs.
class MainWindowFixture : public ::testing::Test
{
protected:
    static constexpr int ConfiguredPort = 4;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_registry = std::make_unique<Registry>(m_dir.filePath(QStringLiteral("settings.ini")));
        m_registry->SaveSetting(SettingsKeys::Comms, SettingsKeys::Port, Registry::TypeNumber, ConfiguredPort);
        createWindow();
    }

    void createWindow()
    {
        auto port = std::make_unique<FakeSerialPort>();
        port->ports = {{3, SerialPort::OpenStatus::Opened}, {ConfiguredPort, SerialPort::OpenStatus::Opened}};
        m_port = port.get();
        m_window = std::make_unique<MainWindow>(
            MainWindow::Services{*m_registry, m_messages, m_fileDialogs, m_timers, m_log}, std::move(port));
    }

    QAction *action(const char *name) const
    {
        QAction *found = m_window->findChild<QAction *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString panelText(const char *name) const
    {
        return m_window->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }

    QMdiArea *mdiArea() const { return m_window->findChild<QMdiArea *>(); }

    // The visible captions of the recently used files, top first.
    QStringList recentCaptions() const
    {
        QStringList captions;
        for (int i = 1; i <= SettingsKeys::MruMaxEntries; ++i) {
            const QAction *item = action(QStringLiteral("mnuFileMRU%1").arg(i).toLatin1().constData());
            if (item->isVisible())
                captions.append(item->text());
        }
        return captions;
    }

    QString sampleCopy(const QString &name) const
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QStringLiteral(QB_DATA_DIR "/sample.QBF"), path));
        return path;
    }

    QString fileHolding(const QString &name, const QByteArray &content) const
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    void openThroughDialog(const QString &path)
    {
        m_fileDialogs.setNextFileName(path);
        action("mnuFileOpen")->trigger();
    }

    QStringList captions() const
    {
        QStringList result;
        for (const DocumentWindow *document : m_window->documents())
            result.append(document->caption());
        return result;
    }

    // An edit made straight in the document's configuration, so the document has changed.
    void rename(DocumentWindow *document, const char *systemName)
    {
        m_window->configuration(document->ExNum()).System().SetString(FieldNames::Name, 0, systemName);
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
