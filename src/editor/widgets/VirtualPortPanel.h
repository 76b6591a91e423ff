#pragma once

#include "editor/widgets/BitCheckList.h"

#include <QByteArray>
#include <QGroupBox>

#include <array>

class PanelContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class RecordClass;
class TrackedRecord;
class ValueComboBox;

// One virtual port record: type, gains, default ACL, groups, classes, action and options.
class VirtualPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int ExtraCount = 2;
    static const QString UnknownAcl;     // "<Unknown ACL>"
    static const QString NoGroup;        // "<No Group>"
    static const QString SelectValidAcl; // "Please select a valid ACL from the list"

    VirtualPortPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildOptions();
    void BuildVPACL();
    void BuildVPGroups();
    void FillVP(int index, const QByteArray &data, bool fromPacket);
    void setClassEntries(const QList<BitEntry> &classes);

    // An action's two extras are integers for the extension, hot-line and
    // warm-line actions and dial digits for every other action.
    static bool extrasAreIntegers(int actionType);

private:
    // A group list and the Flag bit and field that record membership of it.
    struct Membership
    {
        ValueComboBox *list;
        int flagBit;
        QByteArray field;
    };

    RecordClass &structure() const;
    int shownIndex() const;
    TrackedRecord shownRecord() const;
    void showRecord(int index);
    void showExtra(int index, int element, int actionType);
    void showMembership(const Membership &membership, int index);

    QString nameRefusal() const;
    QString extraRefusal(int element) const;
    void nameLeft();
    void integerChosen(const QByteArray &field, int value);
    void aclChosen();
    bool aclMayBeLeft();
    void membershipChosen(const Membership &membership);
    void extraLeft(int element);
    void enabledClicked(bool ticked);
    void classToggled(int position, bool ticked);
    void optionToggled(int bit, bool ticked);

    PanelContext &m_context;
    // The record the controls show, or -1 before the first fill.
    int m_shown = -1;

    QLineEdit *m_txtVPName;
    QComboBox *m_cboVPType;
    QCheckBox *m_chkVPEnabled;
    QComboBox *m_cboVPTXGain;
    QComboBox *m_cboVPRXGain;
    QComboBox *m_cboVPActionType;
    std::array<QLineEdit *, ExtraCount> m_txtVPActionExtra{};
    Membership m_group;
    Membership m_pickup;
    ValueComboBox *m_cboVPACL;
    BitCheckList *m_lstVPClassCode;
    BitCheckList *m_lstVPOptions;
    QLineEdit *m_txtVPDial;
    QLineEdit *m_txtVPPhysical;
};
