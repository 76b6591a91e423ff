#include "editor/widgets/VirtualPortPanel.h"

#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/ReadOnlyLineEdit.h"
#include "editor/widgets/ValueComboBox.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/GainLevels.h"
#include "model/RecordSlots.h"
#include "model/VirtualPortLinks.h"
#include "shell/MessageService.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

const QString VirtualPortPanel::UnknownAcl = QStringLiteral("<Unknown ACL>");
const QString VirtualPortPanel::NoGroup = QStringLiteral("<No Group>");
const QString VirtualPortPanel::SelectValidAcl = QStringLiteral("Please select a valid ACL from the list");

namespace {
constexpr int UnknownAclValue = -1;
constexpr int NoGroupValue = -1;

constexpr int InGroupBit = 1;
constexpr int InPickupBit = 3;
constexpr int AclNoDisplayBit = 1;
constexpr int FirstAcl = 1;
constexpr int LastAcl = 100;
constexpr int FirstGroup = 0;
constexpr int LastGroup = 20;
constexpr int PickupGroupType = 4;

constexpr int ExtensionAction = 0;
constexpr int HotLineAction = 2;
constexpr int WarmLineAction = 3;

const QStringList PortTypes = {
    QStringLiteral("Extension"),       QStringLiteral("Tie Line"), QStringLiteral("Public Address"),
    QStringLiteral("Auto Conference"), QStringLiteral("Talkback"), QStringLiteral("Intercom"),
    QStringLiteral("Paging"),
};

const QStringList ActionTypes = {
    QStringLiteral("Extension"),  QStringLiteral("Port Disabled"),
    QStringLiteral("Hot Line"),   QStringLiteral("Warm Line"),
    QStringLiteral("Intercom"),   QStringLiteral("Tie Incoming"),
    QStringLiteral("DISA"),       QStringLiteral("PA"),
    QStringLiteral("Night Bell"), QStringLiteral("Emergency Phone"),
    QStringLiteral("Paging"),
};

const QList<BitEntry> Options = {
    {QStringLiteral("Powerdown"), 0},         {QStringLiteral("Engaged Tone"), 4},
    {QStringLiteral("Only LD"), 2},           {QStringLiteral("Paged"), 3},
    {QStringLiteral("Non Emergency"), 5},     {QStringLiteral("No Terminator"), 1},
    {QStringLiteral("T&T Capsat® Fleet"), 6}, {QStringLiteral("No Group on Busy"), 7},
};

QComboBox *gainList(const QString &name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    for (int k = 0; k < GainLevels::Count; ++k)
        list->addItem(GainLevels::text(k));
    return list;
}

QComboBox *fixedList(const QString &name, const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
} // namespace

VirtualPortPanel::VirtualPortPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Virtual Ports"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeVP"));

    m_txtVPName = new QLineEdit(this);
    m_txtVPName->setObjectName(QStringLiteral("txtVPName"));
    m_cboVPType = fixedList(QStringLiteral("cboVPType"), PortTypes, this);
    m_chkVPEnabled = new QCheckBox(QStringLiteral("Ena&bled"), this);
    m_chkVPEnabled->setObjectName(QStringLiteral("chkVPEnabled"));

    auto *header = new QHBoxLayout;
    header->addWidget(buddyLabel(QStringLiteral("&Name"), m_txtVPName, this));
    header->addWidget(m_txtVPName, 2);
    header->addWidget(buddyLabel(QStringLiteral("T&ype"), m_cboVPType, this));
    header->addWidget(m_cboVPType, 1);
    header->addWidget(m_chkVPEnabled);

    auto *links = new QGroupBox(QStringLiteral("Links"), this);
    m_txtVPDial = new ReadOnlyLineEdit(links);
    m_txtVPDial->setObjectName(QStringLiteral("txtVPDial"));
    m_txtVPPhysical = new ReadOnlyLineEdit(links);
    m_txtVPPhysical->setObjectName(QStringLiteral("txtVPPhysical"));
    auto *linksLayout = new QFormLayout(links);
    linksLayout->addRow(new QLabel(QStringLiteral("Dialled"), links), m_txtVPDial);
    linksLayout->addRow(new QLabel(QStringLiteral("Physical"), links), m_txtVPPhysical);

    auto *gains = new QGroupBox(QStringLiteral("Gains"), this);
    m_cboVPTXGain = gainList(QStringLiteral("cboVPTXGain"), gains);
    m_cboVPRXGain = gainList(QStringLiteral("cboVPRXGain"), gains);
    auto *gainsLayout = new QHBoxLayout(gains);
    gainsLayout->addWidget(buddyLabel(QStringLiteral("&Transmit"), m_cboVPTXGain, gains));
    gainsLayout->addWidget(m_cboVPTXGain, 1);
    gainsLayout->addWidget(buddyLabel(QStringLiteral("&Receive"), m_cboVPRXGain, gains));
    gainsLayout->addWidget(m_cboVPRXGain, 1);

    auto *action = new QGroupBox(QStringLiteral("&Action"), this);
    m_cboVPActionType = fixedList(QStringLiteral("cboVPActionType"), ActionTypes, action);
    auto *actionLayout = new QGridLayout(action);
    actionLayout->addWidget(m_cboVPActionType, 0, 0, 1, 4);
    for (int i = 0; i < ExtraCount; ++i) {
        auto *extra = new QLineEdit(action);
        extra->setObjectName(QStringLiteral("txtVPActionExtra%1").arg(i));
        m_txtVPActionExtra[i] = extra;
        actionLayout->addWidget(buddyLabel(QStringLiteral("Extra &%1").arg(i), extra, action), 1, 2 * i);
        actionLayout->addWidget(extra, 1, 2 * i + 1);
    }

    auto *membership = new QGroupBox(QStringLiteral("Group Membership"), this);
    auto *cboVPGroup = new ValueComboBox(membership);
    cboVPGroup->setObjectName(QStringLiteral("cboVPGroup"));
    auto *cboVPPickup = new ValueComboBox(membership);
    cboVPPickup->setObjectName(QStringLiteral("cboVPPickup"));
    m_group = {cboVPGroup, InGroupBit, FieldNames::GroupID};
    m_pickup = {cboVPPickup, InPickupBit, FieldNames::PickupID};
    auto *membershipLayout = new QFormLayout(membership);
    membershipLayout->addRow(buddyLabel(QStringLiteral("&Group"), cboVPGroup, membership), cboVPGroup);
    membershipLayout->addRow(buddyLabel(QStringLiteral("&Pickup"), cboVPPickup, membership), cboVPPickup);

    auto *defaultAcl = new QGroupBox(QStringLiteral("&Default ACL"), this);
    m_cboVPACL = new ValueComboBox(defaultAcl);
    m_cboVPACL->setObjectName(QStringLiteral("cboVPACL"));
    auto *aclLayout = new QVBoxLayout(defaultAcl);
    aclLayout->addWidget(m_cboVPACL);

    auto *classes = new QGroupBox(QStringLiteral("&Class Code"), this);
    m_lstVPClassCode = new BitCheckList(classes);
    m_lstVPClassCode->setObjectName(QStringLiteral("lstVPClassCode"));
    auto *classesLayout = new QVBoxLayout(classes);
    classesLayout->addWidget(m_lstVPClassCode);

    auto *options = new QGroupBox(QStringLiteral("&Options"), this);
    m_lstVPOptions = new BitCheckList(options);
    m_lstVPOptions->setObjectName(QStringLiteral("lstVPOptions"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_lstVPOptions);

    auto *left = new QVBoxLayout;
    left->addWidget(gains);
    left->addWidget(action);
    left->addWidget(membership);
    left->addWidget(defaultAcl);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(options);
    right->addWidget(classes, 1);
    right->addWidget(links);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(columns, 1);

    setTabOrder(m_txtVPName, m_cboVPType);
    setTabOrder(m_cboVPType, m_chkVPEnabled);
    setTabOrder(m_chkVPEnabled, m_cboVPTXGain);
    setTabOrder(m_cboVPTXGain, m_cboVPRXGain);
    setTabOrder(m_cboVPRXGain, m_cboVPActionType);
    setTabOrder(m_cboVPActionType, m_txtVPActionExtra[0]);
    setTabOrder(m_txtVPActionExtra[0], m_txtVPActionExtra[1]);
    setTabOrder(m_txtVPActionExtra[1], cboVPGroup);
    setTabOrder(cboVPGroup, cboVPPickup);
    setTabOrder(cboVPPickup, m_cboVPACL);
    setTabOrder(m_cboVPACL, m_lstVPOptions);
    setTabOrder(m_lstVPOptions, m_lstVPClassCode);

    BuildOptions();
    // Every option on show without scrolling; the classes take the rest.
    m_lstVPOptions->setFixedHeight(m_lstVPOptions->sizeHintForRow(0) * m_lstVPOptions->count()
                                   + 2 * m_lstVPOptions->frameWidth());

    LeaveWatcher::watch(
        m_txtVPName, context.messages(), [this] { return nameRefusal(); }, [this] { nameLeft(); });
    for (int i = 0; i < ExtraCount; ++i)
        LeaveWatcher::watch(
            m_txtVPActionExtra[i], context.messages(), [this, i] { return extraRefusal(i); },
            [this, i] { extraLeft(i); });
    LeaveWatcher::watch(m_cboVPACL, LeaveWatcher::Write(), [this] { return aclMayBeLeft(); });

    connect(m_cboVPType, &QComboBox::activated, this, [this](int index) { integerChosen(FieldNames::Type, index); });
    connect(m_cboVPTXGain, &QComboBox::activated, this,
            [this](int index) { integerChosen(FieldNames::TXGain, index); });
    connect(m_cboVPRXGain, &QComboBox::activated, this,
            [this](int index) { integerChosen(FieldNames::RXGain, index); });
    connect(m_cboVPActionType, &QComboBox::activated, this,
            [this](int index) { integerChosen(FieldNames::ActionType, index); });
    connect(m_cboVPACL, &QComboBox::activated, this, &VirtualPortPanel::aclChosen);
    connect(cboVPGroup, &QComboBox::activated, this, [this] { membershipChosen(m_group); });
    connect(cboVPPickup, &QComboBox::activated, this, [this] { membershipChosen(m_pickup); });
    connect(m_chkVPEnabled, &QCheckBox::clicked, this, &VirtualPortPanel::enabledClicked);
    connect(m_lstVPClassCode, &BitCheckList::bitToggled, this, &VirtualPortPanel::classToggled);
    connect(m_lstVPOptions, &BitCheckList::bitToggled, this, &VirtualPortPanel::optionToggled);
}

bool VirtualPortPanel::extrasAreIntegers(int actionType)
{
    return actionType == ExtensionAction || actionType == HotLineAction || actionType == WarmLineAction;
}

RecordClass &VirtualPortPanel::structure() const
{
    return m_context.configuration().VirtualPorts();
}

int VirtualPortPanel::shownIndex() const
{
    return m_context.shownRecord(EditorPanel::VirtualPorts);
}

TrackedRecord VirtualPortPanel::shownRecord() const
{
    return TrackedRecord(m_context, EditorPanel::VirtualPorts, structure(), shownIndex());
}

// ---- Lists -----------------------------------------------------------------

void VirtualPortPanel::BuildOptions()
{
    m_lstVPOptions->setEntries(Options);
}

void VirtualPortPanel::BuildVPACL()
{
    const RecordClass &acls = m_context.configuration().ACL();
    m_cboVPACL->clear();
    m_cboVPACL->addValue(UnknownAcl, UnknownAclValue);
    for (int i = FirstAcl; i <= LastAcl && i < acls.Records(); ++i) {
        if (RecordSlots::isInUseAndEnabled(acls, i) && !acls.GetBoolean(FieldNames::Flag, i, AclNoDisplayBit))
            m_cboVPACL->addRecord(i, acls.GetString(FieldNames::Name, i));
    }
}

void VirtualPortPanel::BuildVPGroups()
{
    const RecordClass &groups = m_context.configuration().Groups();
    for (const Membership *membership : {&m_group, &m_pickup}) {
        membership->list->clear();
        membership->list->addValue(NoGroup, NoGroupValue);
    }
    for (int g = FirstGroup; g <= LastGroup && g < groups.Records(); ++g) {
        if (!RecordSlots::isInUseAndEnabled(groups, g))
            continue;
        const bool pickup = groups.GetInteger(FieldNames::GroupType, g) == PickupGroupType;
        (pickup ? m_pickup : m_group).list->addRecord(g, groups.GetString(FieldNames::Name, g));
    }
}

void VirtualPortPanel::setClassEntries(const QList<BitEntry> &classes)
{
    m_lstVPClassCode->setEntries(classes);
    if (m_shown >= 0)
        m_lstVPClassCode->showBits(structure(), FieldNames::ClassCode, m_shown);
}

// ---- Filling ---------------------------------------------------------------

void VirtualPortPanel::FillVP(int index, const QByteArray &data, bool fromPacket)
{
    RecordClass &ports = structure();
    if (fromPacket) {
        ports.ShowPacket(data);
        ports.PutData(data);
        index = ports.GetLastSaved();
    }
    if (index < 0 || index >= ports.Records())
        return;

    m_context.setFilling(true);
    if (!RecordSlots::isFree(ports, index))
        m_context.showRecordNode(EditorPanel::VirtualPorts, index, ports.GetString(FieldNames::Name, index));
    // A record arriving from the exchange while another one is on show only
    // updates the stored copy: the controls keep writing to the shown record.
    if (!fromPacket || index == shownIndex())
        showRecord(index);
    m_context.setFilling(false);
}

void VirtualPortPanel::showRecord(int index)
{
    const RecordClass &ports = structure();
    m_shown = index;
    m_cboVPType->setCurrentIndex(ports.GetInteger(FieldNames::Type, index));
    m_cboVPTXGain->setCurrentIndex(ports.GetInteger(FieldNames::TXGain, index));
    m_cboVPRXGain->setCurrentIndex(ports.GetInteger(FieldNames::RXGain, index));

    if (!m_cboVPACL->selectValue(ports.GetInteger(FieldNames::ACLID, index)))
        m_cboVPACL->setCurrentIndex(m_cboVPACL->count() > 1 ? 1 : 0);
    showMembership(m_group, index);
    showMembership(m_pickup, index);

    const int nameLength = ports.GetItems(FieldNames::Name);
    if (nameLength > 1)
        m_txtVPName->setMaxLength(nameLength - 1);
    m_txtVPName->setText(QString::fromLatin1(ports.GetString(FieldNames::Name, index)));
    const int actionType = ports.GetInteger(FieldNames::ActionType, index);
    m_cboVPActionType->setCurrentIndex(actionType);
    for (int i = 0; i < ExtraCount; ++i)
        showExtra(index, i, actionType);
    m_chkVPEnabled->setChecked(ports.GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit));
    m_lstVPClassCode->showBits(ports, FieldNames::ClassCode, index);

    const ExchClass &config = m_context.configuration();
    m_txtVPDial->setText(VirtualPortLinks::ListVPNumbers(config, index));
    m_txtVPPhysical->setText(VirtualPortLinks::ListVPPorts(config, index));
    m_lstVPOptions->showBits(ports, FieldNames::ActionFlag, index);
}

void VirtualPortPanel::showExtra(int index, int element, int actionType)
{
    const RecordClass &ports = structure();
    const QString extra = extrasAreIntegers(actionType)
        ? QString::number(ports.GetInteger(FieldNames::ActionExtra, index, element))
        : QString::fromLatin1(ports.GetDigit(FieldNames::ActionExtra, index, element));
    m_txtVPActionExtra[element]->setText(extra);
}

void VirtualPortPanel::showMembership(const Membership &membership, int index)
{
    const RecordClass &ports = structure();
    ValueComboBox *list = membership.list;
    const bool member = ports.GetBoolean(FieldNames::Flag, index, membership.flagBit);
    if (member && list->selectValue(ports.GetInteger(membership.field, index)))
        return;
    if (list->count() > 0)
        list->setCurrentIndex(0);
}

// ---- Field editors ---------------------------------------------------------

QString VirtualPortPanel::nameRefusal() const
{
    return m_txtVPName->isModified() ? FieldLimits::textRefusal(structure(), FieldNames::Name, m_txtVPName->text())
                                     : QString();
}

void VirtualPortPanel::nameLeft()
{
    if (!m_txtVPName->isModified())
        return;
    m_txtVPName->setModified(false);
    const QByteArray name = m_txtVPName->text().toLatin1();
    if (shownRecord().setString(FieldNames::Name, name))
        m_context.showRecordNode(EditorPanel::VirtualPorts, shownIndex(), name);
}

void VirtualPortPanel::integerChosen(const QByteArray &field, int value)
{
    if (value < 0)
        return;
    shownRecord().setInteger(field, value);
    // The extras keep their bytes; shown as the new action reads them, they
    // say what the exchange will do with them.
    if (field != FieldNames::ActionType)
        return;
    for (int i = 0; i < ExtraCount; ++i) {
        if (!m_txtVPActionExtra[i]->isModified())
            showExtra(shownIndex(), i, value);
    }
}

void VirtualPortPanel::aclChosen()
{
    const std::optional<int> acl = m_cboVPACL->currentValue();
    if (acl && *acl >= 0)
        shownRecord().setInteger(FieldNames::ACLID, *acl);
}

bool VirtualPortPanel::aclMayBeLeft()
{
    // With no ACL to choose from, keeping the engineer in the list helps nobody.
    if (m_cboVPACL->currentValue() != UnknownAclValue || !m_cboVPACL->hasRecordChoice())
        return true;
    m_context.messages().show(this, QMessageBox::Warning, QString(), SelectValidAcl);
    return false;
}

void VirtualPortPanel::membershipChosen(const Membership &membership)
{
    const std::optional<int> chosen = membership.list->currentValue();
    if (!chosen)
        return;
    const int index = shownIndex();
    const RecordClass &ports = structure();
    TrackedRecord record = shownRecord();
    const bool member = ports.GetBoolean(FieldNames::Flag, index, membership.flagBit);
    if (*chosen == NoGroupValue) {
        // Leaving a group keeps the group's index: only the Flag bit says it is void.
        if (member)
            record.setBoolean(FieldNames::Flag, membership.flagBit, false);
        return;
    }
    if (member && *chosen == ports.GetInteger(membership.field, index))
        return;
    record.setBoolean(FieldNames::Flag, membership.flagBit, true);
    record.setInteger(membership.field, *chosen);
}

QString VirtualPortPanel::extraRefusal(int element) const
{
    const QLineEdit *box = m_txtVPActionExtra[element];
    if (!box->isModified())
        return {};
    const QString text = box->text().trimmed();
    return extrasAreIntegers(m_cboVPActionType->currentIndex())
        ? FieldLimits::numberRefusal(structure(), FieldNames::ActionExtra, text)
        : FieldLimits::digitRefusal(structure(), FieldNames::ActionExtra, text);
}

void VirtualPortPanel::extraLeft(int element)
{
    QLineEdit *box = m_txtVPActionExtra[element];
    if (!box->isModified())
        return;
    box->setModified(false);
    const QString text = box->text().trimmed();
    const int actionType = m_cboVPActionType->currentIndex();
    const bool integers = extrasAreIntegers(actionType);
    TrackedRecord record = shownRecord();
    if (integers)
        record.setInteger(FieldNames::ActionExtra, text.toInt(), element);
    else
        record.setDigit(FieldNames::ActionExtra, text.toLatin1(), element);
    // As the record holds it: "007" is 7.
    showExtra(shownIndex(), element, actionType);
}

void VirtualPortPanel::enabledClicked(bool ticked)
{
    if (!m_context.isFilling())
        shownRecord().setBoolean(FieldNames::Flag, RecordSlots::EnabledBit, ticked);
}

void VirtualPortPanel::classToggled(int position, bool ticked)
{
    if (!m_context.isFilling())
        shownRecord().setBit(FieldNames::ClassCode, position, ticked);
}

void VirtualPortPanel::optionToggled(int bit, bool ticked)
{
    if (!m_context.isFilling())
        shownRecord().setBit(FieldNames::ActionFlag, bit, ticked);
}
