#include "transfer/widgets/TransferWindow.h"

#include "shell/MessageService.h"
#include "transfer/widgets/StepIndicator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QString GetCaption = QStringLiteral("Get Configuration");
const QString SendCaption = QStringLiteral("Send Configuration");
const QString SendChangesCaption = QStringLiteral("Send Changes");
const QString InProgressSuffix = QStringLiteral("...");
constexpr int InitialBarMaximum = 15;
constexpr int MinimumWidth = 360;

// A bar whose maximum is 0 would turn into a busy indicator, and a value
// past the maximum would be refused and leave the old value standing.
void setBar(QProgressBar *bar, int value, int maximum)
{
    bar->setMaximum(qMax(maximum, 1));
    bar->setValue(qBound(0, value, bar->maximum()));
}
} // namespace

TransferWindow::TransferWindow(TransferEngine &engine, MessageService &messages, QWidget *parent)
    : QDialog(parent)
    , m_engine(engine)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("frmGetConfig"));
    setWindowTitle(GetCaption);
    setModal(false);
    setMinimumWidth(MinimumWidth);

    auto *steps = new QGridLayout;
    for (int i = 0; i < TransferEngine::StepCount; ++i) {
        auto *image = new StepIndicator(this);
        image->setObjectName(QStringLiteral("imgAction%1").arg(i));
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("labAction%1").arg(i));
        const bool used = i < TransferEngine::VisibleSteps;
        image->setVisible(used);
        label->setVisible(used);
        steps->addWidget(image, i, 0);
        steps->addWidget(label, i, 1);
        m_imgAction.append(image);
        m_labAction.append(label);
    }
    steps->setColumnStretch(1, 1);

    m_barOverall = new QProgressBar(this);
    m_barOverall->setObjectName(QStringLiteral("barOverall"));
    m_barCurrent = new QProgressBar(this);
    m_barCurrent->setObjectName(QStringLiteral("barCurrent"));
    m_labCount = new QLabel(this);
    m_labCount->setObjectName(QStringLiteral("labCount"));

    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        if (m_attached)
            m_engine.cancel();
    });

    auto *sbBar = new QStatusBar(this);
    sbBar->setObjectName(QStringLiteral("sbBar"));
    sbBar->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(sbBar);
    m_statusPanel->setObjectName(QStringLiteral("sbBarPanel"));
    sbBar->addWidget(m_statusPanel, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_labCount);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(steps);
    layout->addWidget(m_barOverall);
    layout->addWidget(m_barCurrent);
    layout->addLayout(buttons);
    layout->addWidget(sbBar);

    clearSteps();
}

TransferWindow::~TransferWindow()
{
    if (m_attached && m_engine.transferRunning())
        m_engine.abort();
    detach();
}

void TransferWindow::clearSteps()
{
    for (int i = 0; i < TransferEngine::StepCount; ++i) {
        m_labAction[i]->setText(TransferEngine::stepTitle(i));
        m_imgAction[i]->setState(StepIndicator::State::Blank);
    }
    setBar(m_barOverall, 0, InitialBarMaximum);
    setBar(m_barCurrent, 0, InitialBarMaximum);
    m_labCount->clear();
    m_statusPanel->clear();
}

void TransferWindow::start(TransferEngine::Mode mode, ExchClass *config, const QList<RecordRef> &records)
{
    switch (mode) {
    case TransferEngine::Mode::Get:
        setWindowTitle(GetCaption);
        break;
    case TransferEngine::Mode::Send:
        setWindowTitle(SendCaption);
        break;
    case TransferEngine::Mode::SendChanges:
        setWindowTitle(SendChangesCaption);
        break;
    }
    clearSteps();
    m_engine.setObserver(this);
    m_attached = true;
    show();
    raise();
    if (mode == TransferEngine::Mode::SendChanges)
        m_engine.startRecords(config, records);
    else
        m_engine.start(mode, config);
}

void TransferWindow::detach()
{
    if (!m_attached)
        return;
    m_engine.setObserver(nullptr);
    m_attached = false;
}

// ---- Engine progress -------------------------------------------------------

void TransferWindow::stepInProgress(int step)
{
    if (step < 0 || step >= m_labAction.size())
        return;
    m_labAction[step]->setText(TransferEngine::stepTitle(step) + InProgressSuffix);
    m_imgAction[step]->setState(StepIndicator::State::InProgress);
}

void TransferWindow::stepDone(int step)
{
    if (step < 0 || step >= m_labAction.size())
        return;
    m_labAction[step]->setText(TransferEngine::stepTitle(step));
    m_imgAction[step]->setState(StepIndicator::State::Done);
}

void TransferWindow::overallProgress(int value, int maximum)
{
    setBar(m_barOverall, value, maximum);
}

void TransferWindow::currentProgress(int value, int maximum)
{
    setBar(m_barCurrent, value, maximum);
}

void TransferWindow::countChanged(int count)
{
    m_labCount->setText(QString::number(count));
}

void TransferWindow::statusText(const QString &text)
{
    m_statusPanel->setText(text);
}

void TransferWindow::message(const QString &text)
{
    m_messages.show(this, QMessageBox::Information, QString(), text);
}

// ---- The end ---------------------------------------------------------------

void TransferWindow::finished(Outcome outcome)
{
    detach();
    const QString failure = m_engine.failureText();
    if (!failure.isEmpty())
        m_messages.show(this, QMessageBox::Warning, windowTitle(), failure);
    close();
    notifyFinished(outcome);
}

void TransferWindow::reject()
{
    // The engine's end comes back through finished(), which closes the window.
    if (m_attached && m_engine.transferRunning()) {
        m_engine.cancel();
        return;
    }
    QDialog::reject();
}

void TransferWindow::notifyFinished(Outcome outcome)
{
    if (m_finishedCallback)
        m_finishedCallback(outcome);
}
