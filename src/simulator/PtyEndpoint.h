#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class ExchangeSimulator;
class QSocketNotifier;

// Puts a simulator on a pseudo-terminal, so the program's serial port can
// open the slave side as if the exchange's cable were plugged in. Replies
// can be held to the pace of a real line.
class PtyEndpoint : public QObject
{
    Q_OBJECT

public:
    // Reply bytes held before the endpoint stops reading requests.
    static constexpr qsizetype MaxPendingOutput = 256 * 1024;

    explicit PtyEndpoint(ExchangeSimulator *simulator, QObject *parent = nullptr);
    ~PtyEndpoint() override;

    bool open();
    void close();
    bool isOpen() const { return m_master >= 0; }
    // The device a client opens, e.g. /dev/pts/5; empty while closed.
    QString slavePath() const { return m_slavePath; }
    QString errorString() const { return m_error; }

    // Line rate in bits per second, 10 bits to a byte; 0 writes replies at once.
    void setBaudRate(int baud);
    int baudRate() const { return m_baudRate; }

signals:
    // The pseudo-terminal failed while serving; it stays open but inactive.
    void failed(const QString &reason);

private:
    void readInput();
    void writeOutput();
    bool fail(const QString &message);
    void stopServing(const QString &reason);

    ExchangeSimulator *m_simulator;
    int m_master = -1;
    // Held open so the master never sees a hang-up between client sessions.
    int m_slaveKeeper = -1;
    QString m_slavePath;
    QString m_error;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QByteArray m_output;
    bool m_stopped = false;
    int m_baudRate = 0;
    QTimer m_paceTimer;
    QElapsedTimer m_lineClock;
    qint64 m_lineBusyUntil = 0;
};
