#pragma once

#include <QObject>

class ConnectionMonitor;
class ExchClass;
class MessageService;
class QLabel;
class QStatusBar;
class QToolButton;
class QWidget;
class RecordWriteQueue;
class SerialLink;

// The main window's status bar: the selected node's key, the record writes
// waiting or not confirmed with their Retry button, the problems count, the
// port and the connection.
class StatusPanels : public QObject
{
    Q_OBJECT

public:
    struct Sources
    {
        SerialLink &link;
        ConnectionMonitor &monitor;
        RecordWriteQueue &writes;
        MessageService &messages;
    };

    StatusPanels(QStatusBar &bar, QWidget *problemsButton, const Sources &sources, QWidget *window);

    void showSelection(const QString &text);
    void refreshPort();
    void refreshConnection();
    void refreshWrites();

signals:
    void retryRequested();

private:
    void reportEchoMismatch(const ExchClass *config, int member, int index);

    Sources m_sources;
    QWidget *m_window;
    QLabel *m_nodeKeyPanel;
    QLabel *m_writesPanel;
    QToolButton *m_retryWritesButton;
    QLabel *m_portPanel;
    QLabel *m_connectionPanel;
};
