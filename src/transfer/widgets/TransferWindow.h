#pragma once

#include "transfer/TransferEngine.h"
#include "transfer/TransferObserver.h"

#include <QDialog>
#include <QList>

#include <functional>

class ExchClass;
class MessageService;
class QLabel;
class QProgressBar;
class StepIndicator;

// frmGetConfig: shows a configuration transfer while the engine runs it, and
// lets the engineer cancel it. Not modal; one window serves every transfer.
class TransferWindow : public QDialog, public TransferObserver
{
    Q_OBJECT

public:
    using FinishedCallback = std::function<void(Outcome)>;

    TransferWindow(TransferEngine &engine, MessageService &messages, QWidget *parent = nullptr);
    ~TransferWindow() override;

    // Called when a transfer ends: by itself, by Cancel or closing the window
    // (Cancelled), or by a failure, which is shown first.
    void setFinishedCallback(FinishedCallback callback) { m_finishedCallback = std::move(callback); }
    // Shows the window and starts the engine on config, which must outlive the
    // transfer; a send of changes writes the records listed.
    void start(TransferEngine::Mode mode, ExchClass *config, const QList<RecordRef> &records = {});

    // TransferObserver
    void stepInProgress(int step) override;
    void stepDone(int step) override;
    void overallProgress(int value, int maximum) override;
    void currentProgress(int value, int maximum) override;
    void countChanged(int count) override;
    void statusText(const QString &text) override;
    void message(const QString &text) override;
    void finished(Outcome outcome) override;

    // Escape and the close button end up here: a running transfer stops at once.
    void reject() override;

private:
    void clearSteps();
    void detach();
    void notifyFinished(Outcome outcome);

    TransferEngine &m_engine;
    MessageService &m_messages;
    FinishedCallback m_finishedCallback;
    bool m_attached = false;

    QList<QLabel *> m_labAction;
    QList<StepIndicator *> m_imgAction;
    QProgressBar *m_barOverall;
    QProgressBar *m_barCurrent;
    QLabel *m_labCount;
    QLabel *m_statusPanel;
};
