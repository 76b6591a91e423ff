#pragma once

#include <QString>

// What a configuration transfer shows while it runs: the transfer window in
// the program, a progress line in the command-line tool, a recorder in tests.
class TransferObserver
{
public:
    enum class Outcome {
        Completed,    // every structure went across whole; the document is rebuilt
        Cancelled,    // the engineer pressed Cancel or closed the window
        NotConnected, // the comms reset found no exchange on the line
        NoReply,      // retransmissions and comms resets brought no reply
        Incomplete,   // the replies ended without all that was asked for, or a
                      // written record came back other than sent
    };

    virtual ~TransferObserver() = default;

    // Each has nothing to do by default, so an observer takes only what it shows.
    virtual void stepInProgress(int) {}
    virtual void stepDone(int) {}
    virtual void overallProgress(int /*value*/, int /*maximum*/) {}
    virtual void currentProgress(int /*value*/, int /*maximum*/) {}
    virtual void countChanged(int) {}
    // The retransmission and comms-reset panel; empty clears it.
    virtual void statusText(const QString &) {}
    // A message the engineer must acknowledge before the transfer goes on.
    virtual void message(const QString &) {}
    virtual void finished(Outcome outcome) = 0;
};
