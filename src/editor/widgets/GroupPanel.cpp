#include "editor/widgets/GroupPanel.h"

#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/ReadOnlyLineEdit.h"
#include "editor/widgets/ValueComboBox.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "shell/MessageService.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

const QString GroupPanel::UnknownVP = QStringLiteral("<Unknown VP>");
const QString GroupPanel::SelectValidVP = QStringLiteral("Please Select Valid Virtual Port");
const QString GroupPanel::SelectEnabledVP = QStringLiteral("Please Select Valid Virtual Port - This is not enabled");
const QString GroupPanel::TimeNotNumeric = QStringLiteral("Only a time in seconds to be entered here");
const QString GroupPanel::TimeTooLong = QStringLiteral("Maximum time between group members = 600sec (10 mins)");

namespace {
const QString TimeStoredAs =
    QStringLiteral("%1 s is stored as %2 s: the exchange keeps this time in quarter seconds, from 0.5 s.");

constexpr int NoMemberValue = -1;
constexpr int UnknownVPValue = -2;
constexpr int LinkedBit = 1;
constexpr int FlagBoxes = 2;
// Group record 0 is offered to virtual ports but never listed in the tree.
constexpr int FirstListedGroup = 1;

constexpr int FirstScrollValue = 1;
constexpr int LastScrollValue = GroupPanel::MemberSlots - GroupPanel::GridRows + 1;
constexpr int ScrollSmallChange = 1;
constexpr int ScrollLargeChange = 4;
constexpr int LastStart = GroupPanel::MemberSlots - GroupPanel::GridRows;
// Quarter-second times have at most two decimals and five whole digits.
constexpr int TimeDigits = 8;

const QStringList GroupTypes = {
    QStringLiteral("Hunt"), QStringLiteral("MCF"),    QStringLiteral("AutoConference"),
    QStringLiteral("SCF"),  QStringLiteral("Pickup"), QStringLiteral("Intercom"),
};

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// Elements a field has: none when the structure lacks it.
int elementsOf(const RecordClass &structure, const QByteArray &field)
{
    if (structure.GetType(field) == FieldType::None)
        return 0;
    return qMax<int>(structure.GetItems(field), 1);
}
} // namespace

GroupPanel::GroupPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Groups"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeGroup"));

    m_txtGPName = new QLineEdit(this);
    m_txtGPName->setObjectName(QStringLiteral("txtGPName"));
    m_cboGPGroupType = new QComboBox(this);
    m_cboGPGroupType->setObjectName(QStringLiteral("cboGPGroupType"));
    m_cboGPGroupType->addItems(GroupTypes);
    const std::array<QString, FlagBoxes> flagCaptions = {QStringLiteral("&Enabled"), QStringLiteral("&Linked")};
    for (int k = 0; k < FlagBoxes; ++k) {
        m_chkGPFlag[k] = new QCheckBox(flagCaptions[k], this);
        m_chkGPFlag[k]->setObjectName(QStringLiteral("chkGPFlag%1").arg(k));
    }
    m_txtGPGroupNumbers = new ReadOnlyLineEdit(this);
    m_txtGPGroupNumbers->setObjectName(QStringLiteral("txtGPGroupNumbers"));

    auto *header = new QGridLayout;
    header->addWidget(buddyLabel(QStringLiteral("&Name"), m_txtGPName, this), 0, 0);
    header->addWidget(m_txtGPName, 0, 1);
    header->addWidget(buddyLabel(QStringLiteral("&Type"), m_cboGPGroupType, this), 0, 2);
    header->addWidget(m_cboGPGroupType, 0, 3);
    auto *flags = new QHBoxLayout;
    flags->addWidget(m_chkGPFlag[0]);
    flags->addWidget(m_chkGPFlag[1]);
    flags->addStretch();
    header->addLayout(flags, 1, 1);
    header->addWidget(new QLabel(QStringLiteral("Last Member"), this), 1, 2);
    header->addWidget(m_txtGPGroupNumbers, 1, 3);
    header->setColumnStretch(1, 2);
    header->setColumnStretch(3, 1);

    auto *members = new QGroupBox(QStringLiteral("Group &Members"), this);
    auto *grid = new QGridLayout(members);
    grid->addWidget(new QLabel(QStringLiteral("Virtual Port"), members), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Time Before (s)"), members), 0, 3);
    for (int r = 0; r < GridRows; ++r) {
        Row &row = m_rows[r];
        row.number = new QLabel(members);
        row.number->setObjectName(QStringLiteral("labGroupMember%1").arg(r));
        row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.used = new QCheckBox(members);
        row.used->setObjectName(QStringLiteral("chkGroupMember%1").arg(r));
        row.member = new ValueComboBox(members);
        row.member->setObjectName(QStringLiteral("cboGroupMember%1").arg(r));
        row.time = new QLineEdit(members);
        row.time->setObjectName(QStringLiteral("txtGroupTime%1").arg(r));
        row.time->setMaxLength(TimeDigits);
        grid->addWidget(row.number, r + 1, 0);
        grid->addWidget(row.used, r + 1, 1);
        grid->addWidget(row.member, r + 1, 2);
        grid->addWidget(row.time, r + 1, 3);
    }
    m_srlGroupMembers = new QScrollBar(Qt::Vertical, members);
    m_srlGroupMembers->setObjectName(QStringLiteral("srlGroupMembers"));
    m_srlGroupMembers->setRange(FirstScrollValue, LastScrollValue);
    m_srlGroupMembers->setSingleStep(ScrollSmallChange);
    m_srlGroupMembers->setPageStep(ScrollLargeChange);
    // The scroll bar takes the focus, by wheel too, so a time being typed is
    // written to its member before the rows move on.
    m_srlGroupMembers->setFocusPolicy(Qt::WheelFocus);
    grid->addWidget(m_srlGroupMembers, 1, 4, GridRows, 1);
    grid->setRowStretch(GridRows + 1, 1);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(members, 1);

    setTabOrder(m_txtGPName, m_cboGPGroupType);
    setTabOrder(m_cboGPGroupType, m_chkGPFlag[0]);
    setTabOrder(m_chkGPFlag[0], m_chkGPFlag[1]);
    QWidget *previous = m_chkGPFlag[1];
    for (const Row &row : m_rows) {
        for (QWidget *control : std::initializer_list<QWidget *>{row.used, row.member, row.time}) {
            setTabOrder(previous, control);
            previous = control;
        }
    }
    setTabOrder(previous, m_srlGroupMembers);

    LeaveWatcher::watch(
        m_txtGPName, context.messages(), [this] { return nameRefusal(); }, [this] { nameLeft(); });
    connect(m_cboGPGroupType, &QComboBox::activated, this, &GroupPanel::typeChosen);
    for (int k = 0; k < FlagBoxes; ++k)
        connect(m_chkGPFlag[k], &QCheckBox::clicked, this, [this, k](bool ticked) { flagClicked(k, ticked); });
    for (int r = 0; r < GridRows; ++r) {
        const Row &row = m_rows[r];
        connect(row.used, &QCheckBox::clicked, this, [this, r](bool ticked) { memberClicked(r, ticked); });
        connect(row.member, &QComboBox::activated, this, [this, r] { memberChosen(r); });
        LeaveWatcher::watch(
            row.member, [this, r] { memberChosen(r); }, [this, r] { return memberMayBeLeft(r); });
        LeaveWatcher::watch(row.time, LeaveWatcher::Write(), [this, r] { return timeMayBeLeft(r); });
    }
    connect(m_srlGroupMembers, &QScrollBar::valueChanged, this, &GroupPanel::scrolled);
}

RecordClass &GroupPanel::structure() const
{
    return m_context.configuration().Groups();
}

int GroupPanel::shownIndex() const
{
    return m_context.shownRecord(EditorPanel::Groups);
}

TrackedRecord GroupPanel::shownRecord() const
{
    return TrackedRecord(m_context, EditorPanel::Groups, structure(), shownIndex());
}

int GroupPanel::memberCapacity() const
{
    const RecordClass &groups = structure();
    return std::min({int(MemberSlots), elementsOf(groups, FieldNames::GroupMembers),
                     elementsOf(groups, FieldNames::TimeToNext), groups.BitCount(FieldNames::MembersUsed)});
}

std::optional<int> GroupPanel::quartersFor(double seconds)
{
    const double quarters = seconds * QuartersPerSecond;
    if (std::isnan(quarters) || quarters >= MaximumQuarters + 0.5)
        return std::nullopt;
    if (quarters < MinimumQuarters)
        return MinimumQuarters;
    return qRound(quarters);
}

QString GroupPanel::secondsText(int quarters)
{
    return QString::number(double(quarters) / QuartersPerSecond, 'g', TimeDigits);
}

// ---- Lists and filling -----------------------------------------------------

void GroupPanel::BuildGroupVP()
{
    const RecordClass &ports = m_context.configuration().VirtualPorts();
    for (const Row &row : m_rows) {
        row.member->clear();
        row.member->addValue(QString(), NoMemberValue);
        for (int n = 0; n < ports.Records(); ++n) {
            if (RecordSlots::isInUseAndEnabled(ports, n))
                row.member->addRecord(n, ports.GetString(FieldNames::Name, n));
        }
        row.member->addValue(UnknownVP, UnknownVPValue);
    }
}

void GroupPanel::FillGroup(int index, const QByteArray &data, bool fromPacket)
{
    RecordClass &groups = structure();
    if (fromPacket) {
        groups.ShowPacket(data);
        groups.PutData(data);
        index = groups.GetLastSaved();
    }
    if (index < 0 || index >= groups.Records())
        return;

    m_context.setFilling(true);
    if (index >= FirstListedGroup && !RecordSlots::isFree(groups, index))
        m_context.showRecordNode(EditorPanel::Groups, index, groups.GetString(FieldNames::Name, index));
    // A record arriving from the exchange while another one is on show only
    // updates the stored copy: the controls keep writing to the shown record.
    if (!fromPacket || index == shownIndex())
        showRecord(index);
    m_context.setFilling(false);
}

void GroupPanel::showRecord(int index)
{
    const RecordClass &groups = structure();
    m_shown = index;
    m_cboGPGroupType->setCurrentIndex(groups.GetInteger(FieldNames::GroupType, index));
    const int nameLength = groups.GetItems(FieldNames::Name);
    if (nameLength > 1)
        m_txtGPName->setMaxLength(nameLength - 1);
    m_txtGPName->setText(QString::fromLatin1(groups.GetString(FieldNames::Name, index)));
    {
        const QSignalBlocker blocker(m_srlGroupMembers);
        m_srlGroupMembers->setValue(FirstScrollValue);
    }
    ProcessGroupMembers(0);
    m_txtGPGroupNumbers->setText(QString::number(groups.GetInteger(FieldNames::GroupNumbers, index)));
    for (int k = 0; k < FlagBoxes; ++k)
        m_chkGPFlag[k]->setChecked(groups.GetBoolean(FieldNames::Flag, index, k));
}

void GroupPanel::ProcessGroupMembers(int start)
{
    m_start = qBound(0, start, LastStart);
    if (m_shown < 0)
        return;
    const RecordClass &groups = structure();
    const int capacity = memberCapacity();
    m_refreshingRows = true;
    for (int r = 0; r < GridRows; ++r) {
        const Row &row = m_rows[r];
        const int m = m_start + r;
        row.number->setText(QString::number(m + 1));
        const bool exists = m < capacity;
        const bool used = exists && groups.GetBit(FieldNames::MembersUsed, m_shown, m);
        row.used->setEnabled(exists);
        row.used->setChecked(used);
        row.member->setEnabled(used);
        row.time->setEnabled(used);
        if (!used) {
            row.member->setCurrentIndex(0);
            row.time->clear();
            continue;
        }
        if (!row.member->selectValue(groups.GetInteger(FieldNames::GroupMembers, m_shown, m))
            && row.member->count() > 0)
            row.member->setCurrentIndex(row.member->count() - 1);
        row.time->setText(secondsText(groups.GetInteger(FieldNames::TimeToNext, m_shown, m)));
    }
    m_refreshingRows = false;
}

int GroupPanel::lastUsedMember() const
{
    for (int m = memberCapacity() - 1; m >= 0; --m) {
        if (structure().GetBit(FieldNames::MembersUsed, shownIndex(), m))
            return m + 1;
    }
    return 0;
}

// ---- Field editors ---------------------------------------------------------

QString GroupPanel::nameRefusal() const
{
    return m_txtGPName->isModified() ? FieldLimits::textRefusal(structure(), FieldNames::Name, m_txtGPName->text())
                                     : QString();
}

void GroupPanel::nameLeft()
{
    if (!m_txtGPName->isModified())
        return;
    m_txtGPName->setModified(false);
    const QByteArray name = m_txtGPName->text().toLatin1();
    if (shownRecord().setString(FieldNames::Name, name) && shownIndex() >= FirstListedGroup)
        m_context.showRecordNode(EditorPanel::Groups, shownIndex(), name);
}

void GroupPanel::typeChosen(int type)
{
    if (type >= 0)
        shownRecord().setInteger(FieldNames::GroupType, type);
}

void GroupPanel::flagClicked(int bit, bool ticked)
{
    if (!m_context.isFilling())
        shownRecord().setBoolean(FieldNames::Flag, bit, ticked);
}

void GroupPanel::scrolled(int value)
{
    ProcessGroupMembers(value - FirstScrollValue);
}

void GroupPanel::memberClicked(int row, bool ticked)
{
    if (m_refreshingRows)
        return;
    TrackedRecord record = shownRecord();
    record.setBit(FieldNames::MembersUsed, m_start + row, ticked);
    ProcessGroupMembers(m_start);
    // The last member counts every ticked member, not only those on show.
    const int last = lastUsedMember();
    m_txtGPGroupNumbers->setText(QString::number(last));
    record.setInteger(FieldNames::GroupNumbers, last);
}

void GroupPanel::memberChosen(int row)
{
    const std::optional<int> port = m_rows[row].member->currentValue();
    if (port && *port >= 0)
        shownRecord().setInteger(FieldNames::GroupMembers, *port, m_start + row);
}

bool GroupPanel::memberMayBeLeft(int row)
{
    const ValueComboBox *list = m_rows[row].member;
    // With no virtual port to choose from, keeping the engineer in the list helps nobody.
    if (!list->hasRecordChoice())
        return true;
    const std::optional<int> port = list->currentValue();
    if (port == NoMemberValue) {
        m_context.messages().show(this, QMessageBox::Warning, QString(), SelectValidVP);
        return false;
    }
    if (port == UnknownVPValue) {
        m_context.messages().show(this, QMessageBox::Warning, QString(), SelectEnabledVP);
        return false;
    }
    return true;
}

bool GroupPanel::timeMayBeLeft(int row)
{
    QLineEdit *box = m_rows[row].time;
    if (m_refreshingRows || !box->isModified())
        return true;
    bool numeric = false;
    const QString typed = box->text().trimmed();
    const double seconds = typed.toDouble(&numeric);
    if (!numeric || !std::isfinite(seconds)) {
        m_context.messages().show(this, QMessageBox::Warning, QString(), TimeNotNumeric);
        return false;
    }
    const std::optional<int> quarters = quartersFor(seconds);
    if (!quarters) {
        m_context.messages().show(this, QMessageBox::Warning, QString(), TimeTooLong);
        return false;
    }
    const QString stored = secondsText(*quarters);
    box->setText(stored);
    shownRecord().setInteger(FieldNames::TimeToNext, *quarters, m_start + row);
    if (*quarters != seconds * QuartersPerSecond)
        m_context.messages().show(this, QMessageBox::Information, QString(), TimeStoredAs.arg(typed, stored));
    return true;
}
