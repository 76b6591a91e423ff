#pragma once

#include "transfer/TransferObserver.h"

#include <QString>

#include <functional>

class QTextStream;

// Shows a transfer on standard error: one redrawn line with the step and a bar
// on a terminal, plain lines for each step and event otherwise (logs, CI).
class TerminalProgress : public TransferObserver
{
public:
    TerminalProgress(QTextStream &err, bool interactive);

    void stepInProgress(int step) override;
    void stepDone(int step) override;
    void currentProgress(int value, int maximum) override;
    void countChanged(int count) override;
    void statusText(const QString &text) override;
    void message(const QString &text) override;
    void finished(Outcome outcome) override;

    void setFinishedCallback(std::function<void()> callback) { m_onFinished = std::move(callback); }
    bool isFinished() const { return m_finished; }
    Outcome outcome() const { return m_outcome; }

private:
    void redraw();
    void printLine(const QString &line);

    QTextStream &m_err;
    bool m_interactive;
    QString m_step;
    QString m_status;
    int m_current = 0;
    int m_maximum = 0;
    bool m_lineOpen = false;
    bool m_finished = false;
    Outcome m_outcome = Outcome::Completed;
    QString m_lastMessage;
    std::function<void()> m_onFinished;
};
