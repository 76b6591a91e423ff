#include "cli/TerminalProgress.h"

#include <QTextStream>

#include <gtest/gtest.h>

TEST(TerminalProgress, LeavesTheLastMessageOfAFailedTransferToTheFailureLineAndPrintsEveryOther)
{
    const auto run = [](TransferObserver::Outcome outcome) {
        QString text;
        QTextStream err(&text);
        TerminalProgress progress(err, false);
        progress.message(QStringLiteral("No Tones to be reconfigured"));
        progress.message(QStringLiteral("Orvex not connected or turned on"));
        progress.finished(outcome);
        err.flush();
        return text;
    };
    EXPECT_EQ(run(TransferObserver::Outcome::NotConnected), QStringLiteral("No Tones to be reconfigured\n"));
    EXPECT_EQ(run(TransferObserver::Outcome::Completed),
              QStringLiteral("No Tones to be reconfigured\nOrvex not connected or turned on\n"));
}
