#pragma once

#include <QString>

// What a configuration transfer shows while it runs: the transfer window in
// the program, a progress line in the command-line tool, a recorder in tests.
class TransferObserver
{
public:
    enum class Outcome {
        Completed,    // every structure went across; the document is rebuilt
        Cancelled,    // the engineer pressed Cancel
        NotConnected, // the comms reset found no exchange on the line
    };

    virtual ~TransferObserver() = default;

    virtual void stepInProgress(int step) = 0;
    virtual void stepDone(int step) = 0;
    virtual void overallProgress(int value, int maximum) = 0;
    virtual void currentProgress(int value, int maximum) = 0;
    virtual void countChanged(int count) = 0;
    // The retransmission and comms-reset panel; empty clears it.
    virtual void statusText(const QString &text) = 0;
    // A message the engineer must acknowledge before the transfer goes on.
    virtual void message(const QString &text) = 0;
    virtual void finished(Outcome outcome) = 0;
};
