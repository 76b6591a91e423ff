#include "editor/widgets/AclPanel.h"

#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/widgets/LeavingLineEdit.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"
#include "shell/MessageService.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr int FlagColumns = 2;
// ACL 0 is the exchange's own and has no node in the tree.
constexpr int FirstListedAcl = 1;

const QString DeleteTitle = QStringLiteral("Delete ACL");
const QString DeleteQuestion = QStringLiteral("Delete %1? Its record will be freed.");
const QString DefaultOfOnePort = QStringLiteral(" 1 virtual port has it as its default ACL.");
const QString DefaultOfPorts = QStringLiteral(" %1 virtual ports have it as their default ACL.");

const std::array<const char *, AclPanel::FlagBits> FlagCaptions = {
    "Ena&bled",         "No Display", "No Enter Pin", "No Change Allowed",
    "Check Set Access", "Unused",     "Unused",       "Record Blank",
};

void addField(QFormLayout *form, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption);
    label->setBuddy(field);
    form->addRow(label, field);
}

BitCheckList *addCheckList(QVBoxLayout *column, const QString &caption, const char *objectName, QWidget *parent)
{
    auto *list = new BitCheckList(parent);
    list->setObjectName(QLatin1String(objectName));
    auto *label = new QLabel(caption, parent);
    label->setBuddy(list);
    column->addWidget(label);
    column->addWidget(list, 1);
    return list;
}
} // namespace

AclPanel::AclPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Access Control List"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeACL"));
    m_editors = new QWidget(this);

    auto *nameForm = new QFormLayout;
    m_txtACLName = new LeavingLineEdit(m_editors);
    m_txtACLName->setObjectName(QStringLiteral("txtACLName"));
    m_txtACLName->setRule(context.messages(), [this](const QString &text) {
        return FieldLimits::textRefusal(acls(), FieldNames::Name, text);
    });
    connect(m_txtACLName, &LeavingLineEdit::left, this, &AclPanel::nameLeft);
    addField(nameForm, QStringLiteral("&Name"), m_txtACLName);

    auto *security = new QGroupBox(QStringLiteral("Security Code"), m_editors);
    auto *securityForm = new QFormLayout(security);
    m_txtACLPublicID = new LeavingLineEdit(security);
    m_txtACLPublicID->setObjectName(QStringLiteral("txtACLPublicID"));
    digitRule(m_txtACLPublicID, FieldNames::PublicID);
    connect(m_txtACLPublicID, &LeavingLineEdit::left, this,
            [this] { digitsLeft(m_txtACLPublicID, FieldNames::PublicID); });
    addField(securityForm, QStringLiteral("Public DIAL &ID"), m_txtACLPublicID);
    m_txtACLPassCode = new LeavingLineEdit(security);
    m_txtACLPassCode->setObjectName(QStringLiteral("txtACLPassCode"));
    digitRule(m_txtACLPassCode, FieldNames::PassCode);
    connect(m_txtACLPassCode, &LeavingLineEdit::left, this,
            [this] { digitsLeft(m_txtACLPassCode, FieldNames::PassCode); });
    addField(securityForm, QStringLiteral("Pri&vate PASS code"), m_txtACLPassCode);

    auto *advanced = new QGroupBox(QStringLiteral("Advanced Features"), m_editors);
    auto *advancedForm = new QFormLayout(advanced);
    m_txtACLRingType = new LeavingLineEdit(advanced);
    m_txtACLRingType->setObjectName(QStringLiteral("txtACLRingType"));
    m_txtACLRingType->setNumberRange(context.messages(), 0);
    connect(m_txtACLRingType, &LeavingLineEdit::left, this,
            [this] { numberLeft(m_txtACLRingType, FieldNames::RingType); });
    addField(advancedForm, QStringLiteral("Ring &Type"), m_txtACLRingType);
    m_txtACLPriorityLevel = new LeavingLineEdit(advanced);
    m_txtACLPriorityLevel->setObjectName(QStringLiteral("txtACLPriorityLevel"));
    m_txtACLPriorityLevel->setNumberRange(context.messages(), 0);
    connect(m_txtACLPriorityLevel, &LeavingLineEdit::left, this,
            [this] { numberLeft(m_txtACLPriorityLevel, FieldNames::PriorityLevel); });
    addField(advancedForm, QStringLiteral("Priority &Level"), m_txtACLPriorityLevel);

    auto *flags = new QGroupBox(QStringLiteral("&Flags"), m_editors);
    auto *flagGrid = new QGridLayout(flags);
    const int rows = FlagBits / FlagColumns;
    for (int k = 0; k < FlagBits; ++k) {
        auto *box = new QCheckBox(QLatin1String(FlagCaptions[k]), flags);
        box->setObjectName(QStringLiteral("chkACLFlag") + QString::number(k));
        connect(box, &QCheckBox::clicked, this, [this, k](bool ticked) { flagClicked(k, ticked); });
        flagGrid->addWidget(box, k % rows, k / rows);
        m_chkACLFlag[k] = box;
    }

    // Codes and flags on top; the three lists below side by side, wide
    // enough for the rights' names.
    auto *codes = new QVBoxLayout;
    codes->addLayout(nameForm);
    codes->addWidget(security);
    codes->addWidget(advanced);
    auto *top = new QHBoxLayout;
    top->addLayout(codes, 1);
    top->addWidget(flags, 0, Qt::AlignTop);

    auto *lists = new QHBoxLayout;
    auto *rightsColumn = new QVBoxLayout;
    m_lstACLRights = addCheckList(rightsColumn, QStringLiteral("&Rights"), "lstACLRights", m_editors);
    auto *classColumn = new QVBoxLayout;
    m_lstACLClassAccess = addCheckList(classColumn, QStringLiteral("&Class Access"), "lstACLClassAccess", m_editors);
    auto *setColumn = new QVBoxLayout;
    m_lstACLSetAccess = addCheckList(setColumn, QStringLiteral("&ACL Set Access"), "lstACLSetAccess", m_editors);
    for (QVBoxLayout *column : {rightsColumn, classColumn, setColumn})
        lists->addLayout(column, 1);

    connect(m_lstACLRights, &BitCheckList::bitToggled, this,
            [this](int position, bool ticked) { bitToggled(m_lstACLRights, FieldNames::Rights, position, ticked); });
    connect(m_lstACLClassAccess, &BitCheckList::bitToggled, this, [this](int position, bool ticked) {
        bitToggled(m_lstACLClassAccess, FieldNames::ClassAccess, position, ticked);
    });
    connect(m_lstACLSetAccess, &BitCheckList::bitToggled, this, [this](int position, bool ticked) {
        bitToggled(m_lstACLSetAccess, FieldNames::SetAccess, position, ticked);
    });

    auto *editorsLayout = new QVBoxLayout(m_editors);
    editorsLayout->setContentsMargins(0, 0, 0, 0);
    editorsLayout->addLayout(top);
    editorsLayout->addLayout(lists, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_editors);
    // Nothing to edit until a fill has shown a record.
    m_editors->setEnabled(false);
}

RecordClass &AclPanel::acls() const
{
    return m_context.configuration().ACL();
}

int AclPanel::shownIndex() const
{
    return m_context.shownRecord(EditorPanel::ACL);
}

bool AclPanel::hasShownRecord() const
{
    const int index = shownIndex();
    return m_shown && index >= 0 && index < acls().Records();
}

TrackedRecord AclPanel::record() const
{
    return TrackedRecord(m_context, EditorPanel::ACL, acls(), shownIndex());
}

void AclPanel::BuildRights()
{
    const RecordClass &rights = m_context.configuration().Rights();
    QList<BitEntry> entries;
    for (int i = 1; i <= rights.Items(); ++i) {
        const QByteArray name = rights.ItemsNames(i);
        // Gaps in a layout are placeholders, not rights.
        if (name.isEmpty())
            continue;
        entries.append({QString::fromLatin1(name), rights.GetItems(name)});
    }
    m_lstACLRights->setEntries(entries);
    limitToField(m_lstACLRights, FieldNames::Rights);
    showBitSets();
}

void AclPanel::setClassEntries(const QList<BitEntry> &classes)
{
    m_lstACLClassAccess->setEntries(classes);
    m_lstACLSetAccess->setEntries(classes);
    limitToField(m_lstACLClassAccess, FieldNames::ClassAccess);
    limitToField(m_lstACLSetAccess, FieldNames::SetAccess);
    showBitSets();
}

void AclPanel::limitToField(BitCheckList *list, QByteArrayView field) const
{
    const int bits = acls().BitCount(field);
    // Greying an item is no tick by the engineer.
    const QSignalBlocker blocker(list);
    const QList<BitEntry> entries = list->entries();
    for (int i = 0; i < entries.size(); ++i) {
        const int position = entries.at(i).position;
        if (position < 0 || position >= bits)
            list->item(i)->setFlags(list->item(i)->flags() & ~Qt::ItemIsEnabled);
    }
}

void AclPanel::FillACL(int index, const QByteArray &data, bool fromPacket)
{
    RecordClass &structure = acls();
    if (!fromPacket) {
        m_context.setShownRecord(EditorPanel::ACL, index);
        showRecord(index);
        return;
    }
    structure.ShowPacket(data);
    structure.PutData(data);
    const int stored = structure.lastSaved();
    if (stored >= FirstListedAcl && stored < structure.Records() && !RecordSlots::isFree(structure, stored))
        m_context.showRecordNode(EditorPanel::ACL, stored, structure.GetString(FieldNames::Name, stored));
    // A record other than the one on show is only stored: showing it would
    // put its values under the shown record's index, where edits would land.
    if (stored >= 0 && m_shown && stored == shownIndex())
        showRecord(stored);
}

void AclPanel::showRecord(int index)
{
    m_context.setFilling(true);
    m_shown = true;
    RecordClass &structure = acls();
    const bool exists = index >= 0 && index < structure.Records();
    m_editors->setEnabled(exists);

    const QByteArray name = exists ? structure.GetString(FieldNames::Name, index) : QByteArray();
    m_txtACLName->setMaxLength(qMax(FieldLimits::textLength(structure, FieldNames::Name), int(name.size())));
    m_txtACLName->showValue(QString::fromLatin1(name));
    m_txtACLPublicID->setMaxLength(FieldLimits::digitCount(structure, FieldNames::PublicID));
    m_txtACLPublicID->showValue(exists ? QString::fromLatin1(structure.GetDigit(FieldNames::PublicID, index))
                                       : QString());
    m_txtACLPassCode->setMaxLength(FieldLimits::digitCount(structure, FieldNames::PassCode));
    m_txtACLPassCode->showValue(exists ? QString::fromLatin1(structure.GetDigit(FieldNames::PassCode, index))
                                       : QString());

    MessageService &messages = m_context.messages();
    m_txtACLRingType->setNumberRange(messages, FieldLimits::largestNumber(structure, FieldNames::RingType));
    m_txtACLRingType->showValue(exists ? QString::number(structure.GetInteger(FieldNames::RingType, index))
                                       : QString());
    m_txtACLPriorityLevel->setNumberRange(messages, FieldLimits::largestNumber(structure, FieldNames::PriorityLevel));
    m_txtACLPriorityLevel->showValue(exists ? QString::number(structure.GetInteger(FieldNames::PriorityLevel, index))
                                            : QString());

    for (int k = 0; k < FlagBits; ++k)
        m_chkACLFlag[k]->setChecked(exists && structure.GetBoolean(FieldNames::Flag, index, k));
    showBitSets();
    m_context.setFilling(false);
}

void AclPanel::showBitSets()
{
    if (!hasShownRecord())
        return;
    const RecordClass &structure = acls();
    const int index = shownIndex();
    m_lstACLClassAccess->showBits(structure, FieldNames::ClassAccess, index);
    m_lstACLRights->showBits(structure, FieldNames::Rights, index);
    m_lstACLSetAccess->showBits(structure, FieldNames::SetAccess, index);
}

void AclPanel::digitRule(LeavingLineEdit *box, QByteArrayView field)
{
    box->setRule(m_context.messages(), [this, field](const QString &text) {
        return FieldLimits::digitRefusal(acls(), field, text.trimmed());
    });
}

void AclPanel::nameLeft()
{
    const QByteArray name = m_txtACLName->text().toLatin1();
    if (record().setString(FieldNames::Name, name))
        m_context.showRecordNode(EditorPanel::ACL, shownIndex(), name);
}

void AclPanel::digitsLeft(LeavingLineEdit *box, QByteArrayView field)
{
    record().setDigit(field, box->text().trimmed().toLatin1());
}

void AclPanel::numberLeft(LeavingLineEdit *box, QByteArrayView field)
{
    record().setInteger(field, qint32(box->number()));
}

void AclPanel::flagClicked(int bit, bool ticked)
{
    if (m_context.isFilling())
        return;
    if (bit == RecordSlots::FreeBit)
        blankClicked(ticked);
    else
        record().setBoolean(FieldNames::Flag, bit, ticked);
}

void AclPanel::blankClicked(bool ticked)
{
    RecordClass &structure = acls();
    const int index = shownIndex();
    bool changed = false;
    if (!ticked) {
        RecordSlots::takeIntoUse(structure, index, &changed);
        if (changed) {
            m_context.setChanged(EditorPanel::ACL, true);
            m_context.showRecordNode(EditorPanel::ACL, index, structure.GetString(FieldNames::Name, index));
        }
        return;
    }
    const int answer = m_context.messages().show(this, QMessageBox::Question, DeleteTitle, deleteQuestion(index),
                                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        m_chkACLFlag[RecordSlots::FreeBit]->setChecked(false);
        return;
    }
    RecordSlots::release(structure, index, &changed);
    if (m_context.updatesOnline()) {
        // Sent with every edit the record held, so nothing is left to send on leaving it.
        m_context.sendRecordNow(structure, index);
        m_context.setChanged(EditorPanel::ACL, false);
    } else if (changed) {
        m_context.setChanged(EditorPanel::ACL, true);
    }
    m_context.removeRecordNode(EditorPanel::ACL, index);
}

QString AclPanel::deleteQuestion(int index) const
{
    const ExchClass &config = m_context.configuration();
    QString question = DeleteQuestion.arg(RecordLabel::record(config, ExchClass::ACLMember, index));
    const RecordClass &ports = config.VirtualPorts();
    int users = 0;
    for (int p = 0; p < ports.Records(); ++p) {
        if (!RecordSlots::isFree(ports, p) && ports.GetInteger(FieldNames::ACLID, p) == index)
            ++users;
    }
    if (users == 1)
        question += DefaultOfOnePort;
    else if (users > 1)
        question += DefaultOfPorts.arg(users);
    return question;
}

void AclPanel::bitToggled(BitCheckList *list, QByteArrayView field, int position, bool ticked)
{
    if (m_context.isFilling() || !hasShownRecord())
        return;
    record().setBit(field, position, ticked);
    // Shows what is stored: a tick that could not be stored goes, and
    // another choice on the same bit follows.
    list->showBits(acls(), field, shownIndex());
}
