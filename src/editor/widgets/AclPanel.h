#pragma once

#include "editor/widgets/BitCheckList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QGroupBox>

#include <array>

class LeavingLineEdit;
class PanelContext;
class QCheckBox;
class RecordClass;
class TrackedRecord;

// An access control list record: rights, class access, codes and flags.
class AclPanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int FlagBits = 8;

    AclPanel(PanelContext &context, QWidget *parent = nullptr);

    // The rights are the fields of the rights structure: each one's name, and
    // its count as its bit in an ACL's Rights.
    void BuildRights();
    void FillACL(int index, const QByteArray &data, bool fromPacket);
    void setClassEntries(const QList<BitEntry> &classes);

private:
    RecordClass &acls() const;
    int shownIndex() const;
    bool hasShownRecord() const;
    TrackedRecord record() const;
    void showRecord(int index);
    // Ticks the three lists from the shown record, once one has been shown.
    void showBitSets();
    // Greys out choices whose bit lies past the field: they cannot be stored.
    void limitToField(BitCheckList *list, QByteArrayView field) const;
    void nameLeft();
    void digitRule(LeavingLineEdit *box, QByteArrayView field);
    void digitsLeft(LeavingLineEdit *box, QByteArrayView field);
    void numberLeft(LeavingLineEdit *box, QByteArrayView field);
    void flagClicked(int bit, bool ticked);
    // "Record Blank" frees the ACL's slot: asked first, as any delete is.
    void blankClicked(bool ticked);
    QString deleteQuestion(int index) const;
    void bitToggled(BitCheckList *list, QByteArrayView field, int position, bool ticked);

    PanelContext &m_context;
    QWidget *m_editors = nullptr;
    LeavingLineEdit *m_txtACLName = nullptr;
    LeavingLineEdit *m_txtACLPublicID = nullptr;
    LeavingLineEdit *m_txtACLPassCode = nullptr;
    LeavingLineEdit *m_txtACLRingType = nullptr;
    LeavingLineEdit *m_txtACLPriorityLevel = nullptr;
    std::array<QCheckBox *, FlagBits> m_chkACLFlag{};
    BitCheckList *m_lstACLRights = nullptr;
    BitCheckList *m_lstACLClassAccess = nullptr;
    BitCheckList *m_lstACLSetAccess = nullptr;
    bool m_shown = false;
};
