#include "cli/TerminalProgress.h"
#include "support/TestSupport.h"

#include <QTextStream>

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

TEST(TerminalProgress, OnATerminalOneBarIsRedrawnInPlaceAndAMessageStartsALineOfItsOwn)
{
    QString text;
    QTextStream err(&text);
    TerminalProgress progress(err, true);
    progress.stepInProgress(4);
    progress.currentProgress(15, 30);
    progress.statusText(QStringLiteral("retrying"));
    progress.countChanged(40);
    progress.message(QStringLiteral("No Tones to be reconfigured"));
    progress.finished(TransferObserver::Outcome::Completed);
    err.flush();
    const QString bar = QStringLiteral("\r\x1b[2KVirtual Ports [%1%2] %3");
    EXPECT_EQ(text,
              bar.arg(QString(), QString(30, u'.'), QStringLiteral("0/0"))
                  + bar.arg(QString(15, u'#'), QString(15, u'.'), QStringLiteral("15/30"))
                  + bar.arg(QString(15, u'#'), QString(15, u'.'), QStringLiteral("15/30  retrying"))
                  + bar.arg(QString(30, u'#'), QString(), QStringLiteral("40/30  retrying"))
                  + QStringLiteral("\nNo Tones to be reconfigured\n"));
}
