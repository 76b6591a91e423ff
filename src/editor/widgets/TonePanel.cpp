#include "editor/widgets/TonePanel.h"

#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/ReadOnlyLineEdit.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "shell/MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString NotANumberMessage = QStringLiteral("Only a time in 250ms units to be entered here");
const QString TooLongMessage = QStringLiteral("Maximum 250ms time units = 120");
const QString StoredAsMessage = QStringLiteral("%1 is stored as %2: lengths are whole 250 ms units, from 1 to 120.");

// The grid shows its sixteen rows as two columns of eight.
constexpr int RowsPerColumn = 8;
constexpr int PositionColumn = 0;
constexpr int FrequencyColumn = 1;
constexpr int AudibleColumn = 2;
constexpr int LengthColumn = 3;
constexpr int ColumnsPerBlock = 4;
constexpr int BlockSpacing = 24;
constexpr int LengthBoxWidth = 48;

QString controlName(const char *name, int row)
{
    return QLatin1String(name) + QString::number(row);
}
} // namespace

TonePanel::TonePanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Tones"), parent)
    , m_context(context)
    , m_name(new ReadOnlyLineEdit(this))
{
    setObjectName(QStringLiteral("fmeTones"));

    m_name->setObjectName(QStringLiteral("txtToneName"));
    auto *nameLabel = new QLabel(QStringLiteral("&Name"), this);
    nameLabel->setBuddy(m_name);
    auto *nameLayout = new QHBoxLayout;
    nameLayout->addWidget(nameLabel);
    nameLayout->addWidget(m_name, 1);

    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(ColumnsPerBlock, BlockSpacing);
    for (int block = 0; block < Rows / RowsPerColumn; ++block) {
        const int first = block * (ColumnsPerBlock + 1);
        grid->addWidget(new QLabel(QStringLiteral("Frequency"), this), 0, first + FrequencyColumn);
        grid->addWidget(new QLabel(QStringLiteral("Audible"), this), 0, first + AudibleColumn);
        grid->addWidget(new QLabel(QStringLiteral("Length\n(250 ms)"), this), 0, first + LengthColumn);
    }
    for (int row = 0; row < Rows; ++row) {
        addRow(row);
        const int line = 1 + row % RowsPerColumn;
        const int first = row / RowsPerColumn * (ColumnsPerBlock + 1);
        grid->addWidget(m_positions[row], line, first + PositionColumn);
        grid->addWidget(m_frequencies[row], line, first + FrequencyColumn);
        grid->addWidget(m_audible[row], line, first + AudibleColumn, Qt::AlignCenter);
        grid->addWidget(m_lengths[row], line, first + LengthColumn);
    }
    grid->setColumnStretch(FrequencyColumn, 1);
    grid->setColumnStretch(ColumnsPerBlock + 1 + FrequencyColumn, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameLayout);
    layout->addLayout(grid);
    layout->addStretch(1);

    QWidget *previous = m_name;
    for (int row = 0; row < Rows; ++row) {
        for (QWidget *control : {static_cast<QWidget *>(m_frequencies[row]), static_cast<QWidget *>(m_audible[row]),
                                 static_cast<QWidget *>(m_lengths[row])}) {
            setTabOrder(previous, control);
            previous = control;
        }
        setRowEnabled(row, false);
    }
}

void TonePanel::addRow(int row)
{
    m_positions[row] = new QLabel(QString::number(row + 1), this);
    m_positions[row]->setObjectName(controlName("labTonePosn", row));
    m_frequencies[row] = new QComboBox(this);
    m_frequencies[row]->setObjectName(controlName("cboToneFreq", row));
    m_positions[row]->setBuddy(m_frequencies[row]);
    m_audible[row] = new QCheckBox(this);
    m_audible[row]->setObjectName(controlName("chkToneAudible", row));
    m_lengths[row] = new QLineEdit(this);
    m_lengths[row]->setObjectName(controlName("txtToneLen", row));
    m_lengths[row]->setMaximumWidth(LengthBoxWidth);

    MessageService &messages = m_context.messages();
    LeaveWatcher::watch(m_frequencies[row], [this, row] { frequencyLeft(row); });
    connect(m_audible[row], &QCheckBox::clicked, this, [this, row] { audibleClicked(row); });
    LeaveWatcher::watch(m_audible[row], [this, row] { audibleLeft(row); });
    LeaveWatcher::watch(
        m_lengths[row], messages, [this, row] { return lengthLeaving(row); }, [this, row] { lengthLeft(row); });
}

RecordClass &TonePanel::tones() const
{
    return m_context.configuration().Tones();
}

int TonePanel::shownIndex() const
{
    return m_context.shownRecord(EditorPanel::Tones);
}

void TonePanel::BuildToneFreqs()
{
    for (int row = 0; row < Rows; ++row) {
        m_positions[row]->setText(QString::number(row + 1));
        QComboBox *list = m_frequencies[row];
        list->clear();
        for (const ToneSteps::Frequency &frequency : ToneSteps::frequencies())
            list->addItem(frequency.text, frequency.value);
    }
}

void TonePanel::FillTone(int index)
{
    m_context.setShownRecord(EditorPanel::Tones, index);
    m_context.setFilling(true);
    m_refreshingRows = true;
    TrackedRecord record(m_context, EditorPanel::Tones, tones(), index);
    const ToneSteps steps(record);
    m_stepCount = steps.stepCount();
    const bool exists = index >= 0 && index < tones().Records();
    m_name->setText(exists ? QString::fromLatin1(tones().GetString(FieldNames::Name, index)) : QString());
    bool afterEnd = false;
    for (int row = 0; row < Rows; ++row) {
        if (afterEnd || row >= m_stepCount) {
            showAfterEnd(row);
            continue;
        }
        setRowEnabled(row, true);
        m_rowStates[row] = RowState::Step;
        m_frequencies[row]->setCurrentIndex(m_frequencies[row]->findData(steps.tone(row)));
        showLevel(row, steps.level(row));
        if (steps.isEnd(row)) {
            showEnd(row);
            afterEnd = true;
        } else {
            m_lengths[row]->setText(QString::number(steps.time(row)));
        }
    }
    m_refreshingRows = false;
    m_context.setFilling(false);
}

void TonePanel::setRowEnabled(int row, bool enabled)
{
    m_positions[row]->setEnabled(enabled);
    m_frequencies[row]->setEnabled(enabled);
    m_audible[row]->setEnabled(enabled);
    m_lengths[row]->setEnabled(enabled);
}

void TonePanel::showLevel(int row, ToneSteps::Level level)
{
    QCheckBox *box = m_audible[row];
    const bool undetermined = level == ToneSteps::Level::Undetermined;
    box->setTristate(undetermined);
    if (undetermined)
        box->setCheckState(Qt::PartiallyChecked);
    else
        box->setCheckState(level == ToneSteps::Level::Audible ? Qt::Checked : Qt::Unchecked);
}

void TonePanel::showEnd(int row)
{
    m_rowStates[row] = RowState::End;
    m_positions[row]->setEnabled(true);
    m_frequencies[row]->setEnabled(true);
    m_frequencies[row]->setCurrentIndex(ToneSteps::EndIndex());
    showLevel(row, ToneSteps::Level::Silent);
    m_audible[row]->setEnabled(false);
    m_lengths[row]->clear();
    m_lengths[row]->setEnabled(false);
}

void TonePanel::showAfterEnd(int row)
{
    m_rowStates[row] = RowState::AfterEnd;
    setRowEnabled(row, false);
    m_lengths[row]->clear();
    showLevel(row, ToneSteps::Level::Silent);
    m_frequencies[row]->setCurrentIndex(-1);
}

void TonePanel::frequencyLeft(int row)
{
    const int chosen = m_frequencies[row]->currentIndex();
    if (m_context.isFilling() || m_refreshingRows || chosen < 0 || row >= m_stepCount)
        return;
    TrackedRecord record(m_context, EditorPanel::Tones, tones(), shownIndex());
    ToneSteps steps(record);
    const bool onEnd = m_rowStates[row] != RowState::Step;
    const int lastRow = m_stepCount - 1;
    m_refreshingRows = true;
    if (chosen == ToneSteps::EndIndex()) {
        // Passing through the End step chooses nothing.
        if (m_rowStates[row] != RowState::End) {
            steps.setEnd(row);
            showEnd(row);
        }
    } else if (onEnd && row == lastRow) {
        // The last step must stay the End step.
        steps.setEnd(row);
        m_frequencies[row]->setCurrentIndex(ToneSteps::EndIndex());
    } else {
        if (onEnd) {
            steps.moveEndBelow(row);
            showEnd(row + 1);
            m_rowStates[row] = RowState::Step;
            setRowEnabled(row, true);
            m_lengths[row]->setText(QString::number(ToneSteps::MinLength));
            showLevel(row, ToneSteps::Level::Silent);
        }
        steps.setTone(row, m_frequencies[row]->itemData(chosen).toInt());
    }
    m_refreshingRows = false;
}

void TonePanel::audibleClicked(int row)
{
    // Once the engineer has said audible or silent, the box has only those two states.
    if (m_audible[row]->checkState() != Qt::PartiallyChecked)
        m_audible[row]->setTristate(false);
    audibleLeft(row);
}

void TonePanel::audibleLeft(int row)
{
    const Qt::CheckState state = m_audible[row]->checkState();
    // An undetermined level stays as the exchange sent it until the engineer decides.
    if (m_context.isFilling() || m_refreshingRows || row >= m_stepCount || state == Qt::PartiallyChecked)
        return;
    TrackedRecord record(m_context, EditorPanel::Tones, tones(), shownIndex());
    ToneSteps(record).setAudible(row, state == Qt::Checked);
}

QString TonePanel::lengthLeaving(int row)
{
    if (m_refreshingRows)
        return QString();
    const QString typed = m_lengths[row]->text().trimmed();
    const ToneSteps::Length length = ToneSteps::checkLength(typed);
    switch (length.verdict) {
    case ToneSteps::Length::NotANumber:
        return NotANumberMessage;
    case ToneSteps::Length::TooLong:
        return TooLongMessage;
    case ToneSteps::Length::Accepted:
        break;
    }
    const QString stored = QString::number(length.value);
    m_lengths[row]->setText(stored);
    if (length.adjusted)
        m_context.messages().show(this, QMessageBox::Information, QString(), StoredAsMessage.arg(typed, stored));
    return QString();
}

void TonePanel::lengthLeft(int row)
{
    const QString text = m_lengths[row]->text();
    if (m_refreshingRows || text.isEmpty() || row >= m_stepCount)
        return;
    const ToneSteps::Length length = ToneSteps::checkLength(text);
    if (length.verdict != ToneSteps::Length::Accepted)
        return;
    TrackedRecord record(m_context, EditorPanel::Tones, tones(), shownIndex());
    ToneSteps(record).setLength(row, length.value);
}
