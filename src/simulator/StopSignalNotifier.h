#pragma once

#include <QObject>
#include <QString>

#include <signal.h>

#include <memory>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so a long
// running command can stop cleanly and still save what it holds. The handler
// only writes to a pipe; one notifier at a time may be installed.
class StopSignalNotifier : public QObject
{
    Q_OBJECT

public:
    explicit StopSignalNotifier(QObject *parent = nullptr);
    ~StopSignalNotifier() override;

    bool install();
    QString errorString() const { return m_error; }

signals:
    void stopRequested();

private:
    void drain();
    void uninstall();

    int m_readEnd = -1;
    int m_writeEnd = -1;
    bool m_installed = false;
    struct sigaction m_previousInterrupt = {};
    struct sigaction m_previousTerminate = {};
    std::unique_ptr<QSocketNotifier> m_notifier;
    QString m_error;
};
