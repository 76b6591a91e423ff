#include "editor/widgets/SystemPanel.h"

#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/widgets/LeavingLineEdit.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/GainLevels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The system structure has one record.
constexpr int SystemRecord = 0;
constexpr int FrequencyColumns = 4;
constexpr int CallLogColumns = 2;

const std::array<const char *, SystemPanel::CallLogBits> CallLogCaptions = {
    "Internal", "Incoming", "External", "ACL Changes", "Time Changes", "Unused", "Unused", "40 Column Output",
};

QString indexedName(const char *name, int index)
{
    return QLatin1String(name) + QString::number(index);
}

void addField(QFormLayout *form, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption);
    label->setBuddy(field);
    form->addRow(label, field);
}
} // namespace

SystemPanel::SystemPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("System Parameters"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeSystem"));

    m_editors = new QWidget(this);
    auto *form = new QFormLayout;

    m_txtSYSName = new LeavingLineEdit(m_editors);
    m_txtSYSName->setObjectName(QStringLiteral("txtSYSName"));
    m_txtSYSName->setRule(context.messages(), [this](const QString &text) {
        return FieldLimits::textRefusal(system(), FieldNames::Name, text);
    });
    connect(m_txtSYSName, &LeavingLineEdit::left, this, &SystemPanel::nameLeft);
    addField(form, QStringLiteral("System &Name"), m_txtSYSName);

    m_txtSYSPublicIDLen = addNumberBox("txtSYSPublicIDLen");
    connect(m_txtSYSPublicIDLen, &LeavingLineEdit::left, this,
            [this] { numberLeft(m_txtSYSPublicIDLen, FieldNames::PublicIDLen, 0); });
    addField(form, QStringLiteral("&PIN Length"), m_txtSYSPublicIDLen);

    m_txtSYSPassCodeLen = addNumberBox("txtSYSPassCodeLen");
    connect(m_txtSYSPassCodeLen, &LeavingLineEdit::left, this,
            [this] { numberLeft(m_txtSYSPassCodeLen, FieldNames::PassCodeLen, 0); });
    addField(form, QStringLiteral("Pass Code &Length"), m_txtSYSPassCodeLen);

    m_txtSYSExtLength = addNumberBox("txtSYSExtLength");
    connect(m_txtSYSExtLength, &LeavingLineEdit::left, this,
            [this] { numberLeft(m_txtSYSExtLength, FieldNames::ExtLength, 0); });
    addField(form, QStringLiteral("&Ext Num Length"), m_txtSYSExtLength);

    m_cboSYSConferenceGain = new QComboBox(m_editors);
    m_cboSYSConferenceGain->setObjectName(QStringLiteral("cboSYSConferenceGain"));
    for (int k = 0; k < GainLevels::Count; ++k)
        m_cboSYSConferenceGain->addItem(GainLevels::text(k));
    // The engineer's choice only: a fill setting the index writes nothing.
    connect(m_cboSYSConferenceGain, &QComboBox::activated, this, &SystemPanel::gainChosen);
    addField(form, QStringLiteral("Conference &Gain"), m_cboSYSConferenceGain);

    auto *frequencies = new QGroupBox(QStringLiteral("Special Tone &Frequencies"), m_editors);
    auto *frequencyGrid = new QGridLayout(frequencies);
    for (int i = 0; i < FrequencyBoxes; ++i) {
        LeavingLineEdit *box = new LeavingLineEdit(frequencies);
        box->setObjectName(indexedName("txtSYSFreqs", i));
        box->setNumberRange(context.messages(), 0);
        connect(box, &LeavingLineEdit::left, this, [this, box, i] { numberLeft(box, FieldNames::Freqs, i); });
        frequencyGrid->addWidget(box, i / FrequencyColumns, i % FrequencyColumns);
        m_txtSYSFreqs[i] = box;
    }

    auto *callLog = new QGroupBox(QStringLiteral("&Call Log Types"), m_editors);
    auto *callLogGrid = new QGridLayout(callLog);
    // Down the first column, then the second: bits 0-3 left, 4-7 right.
    const int rows = CallLogBits / CallLogColumns;
    for (int k = 0; k < CallLogBits; ++k) {
        auto *box = new QCheckBox(QLatin1String(CallLogCaptions[k]), callLog);
        box->setObjectName(indexedName("chkSYSCallLogFlag", k));
        connect(box, &QCheckBox::clicked, this, [this, k](bool ticked) { callLogClicked(k, ticked); });
        callLogGrid->addWidget(box, k % rows, k / rows);
        m_chkSYSCallLogFlag[k] = box;
    }

    auto *editorsLayout = new QVBoxLayout(m_editors);
    editorsLayout->setContentsMargins(0, 0, 0, 0);
    editorsLayout->addLayout(form);
    editorsLayout->addWidget(frequencies);
    editorsLayout->addWidget(callLog);
    editorsLayout->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_editors);
    // Nothing to edit until a fill has shown the record and the field sizes.
    m_editors->setEnabled(false);
}

LeavingLineEdit *SystemPanel::addNumberBox(const char *objectName)
{
    auto *box = new LeavingLineEdit(m_editors);
    box->setObjectName(QLatin1String(objectName));
    box->setNumberRange(m_context.messages(), 0);
    return box;
}

RecordClass &SystemPanel::system() const
{
    return m_context.configuration().System();
}

TrackedRecord SystemPanel::record() const
{
    return TrackedRecord(m_context, EditorPanel::System, system(), SystemRecord);
}

void SystemPanel::FillSystem(int, const QByteArray &data, bool fromPacket)
{
    m_context.setFilling(true);
    RecordClass &structure = system();
    if (fromPacket) {
        structure.ShowPacket(data);
        structure.PutData(data);
    }

    // Before the exchange has sent its layout there is no record to show or edit.
    const bool hasRecord = structure.Records() > SystemRecord;
    m_editors->setEnabled(hasRecord);
    MessageService &messages = m_context.messages();
    const QByteArray name = hasRecord ? structure.GetString(FieldNames::Name, SystemRecord) : QByteArray();
    m_txtSYSName->setMaxLength(qMax(FieldLimits::textLength(structure, FieldNames::Name), int(name.size())));
    m_txtSYSName->showValue(QString::fromLatin1(name));

    const std::array<std::pair<LeavingLineEdit *, QByteArrayView>, 3> lengths = {{
        {m_txtSYSPublicIDLen, FieldNames::PublicIDLen},
        {m_txtSYSPassCodeLen, FieldNames::PassCodeLen},
        {m_txtSYSExtLength, FieldNames::ExtLength},
    }};
    for (const auto &[box, field] : lengths) {
        box->setNumberRange(messages, FieldLimits::largestNumber(structure, field));
        box->showValue(hasRecord ? QString::number(structure.GetInteger(field, SystemRecord)) : QString());
    }

    const int gain = hasRecord ? structure.GetInteger(FieldNames::ConferenceGain, SystemRecord) : -1;
    m_cboSYSConferenceGain->setCurrentIndex(gain >= 0 && gain < GainLevels::Count ? gain : -1);

    m_frequencyCount = hasRecord ? FieldLimits::elements(structure, FieldNames::Freqs) : 0;
    const qint64 largestFrequency = FieldLimits::largestNumber(structure, FieldNames::Freqs);
    for (int i = 0; i < FrequencyBoxes; ++i) {
        LeavingLineEdit *box = m_txtSYSFreqs[i];
        const bool inField = i < m_frequencyCount;
        box->setEnabled(inField);
        box->setNumberRange(messages, largestFrequency);
        box->showValue(inField ? QString::number(structure.GetInteger(FieldNames::Freqs, SystemRecord, i)) : QString());
    }

    for (int k = 0; k < CallLogBits; ++k)
        m_chkSYSCallLogFlag[k]->setChecked(hasRecord && structure.GetBoolean(FieldNames::CallLogFlag, SystemRecord, k));
    m_context.setFilling(false);
}

void SystemPanel::nameLeft()
{
    const QString name = m_txtSYSName->text();
    // The tree's root keeps its caption: it names the exchange type, not the site.
    record().setString(FieldNames::Name, name.toLatin1());
}

void SystemPanel::numberLeft(LeavingLineEdit *box, QByteArrayView field, int element)
{
    if (field == FieldNames::Freqs && element >= m_frequencyCount)
        return;
    record().setInteger(field, qint32(box->number()), element);
}

void SystemPanel::gainChosen(int index)
{
    record().setInteger(FieldNames::ConferenceGain, index);
}

void SystemPanel::callLogClicked(int bit, bool ticked)
{
    record().setBoolean(FieldNames::CallLogFlag, bit, ticked);
}
