#pragma once

#include <QByteArray>
#include <QGroupBox>

#include <array>
#include <optional>

class PanelContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class RecordClass;
class TrackedRecord;
class ValueComboBox;

// One group record: its type and the grid of up to sixteen members.
class GroupPanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int MemberSlots = 16;
    static constexpr int GridRows = 8;
    // The exchange counts member times in quarter seconds, from half a
    // second up to ten minutes.
    static constexpr int QuartersPerSecond = 4;
    static constexpr int MinimumQuarters = 2;
    static constexpr int MaximumQuarters = 2400;

    static const QString UnknownVP;       // "<Unknown VP>"
    static const QString SelectValidVP;   // "Please Select Valid Virtual Port"
    static const QString SelectEnabledVP; // "... - This is not enabled"
    static const QString TimeNotNumeric;  // "Only a time in seconds to be entered here"
    static const QString TimeTooLong;     // "Maximum time between group members = 600sec (10 mins)"

    GroupPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildGroupVP();
    void FillGroup(int index, const QByteArray &data, bool fromPacket);
    // Refills the eight rows with members start to start + 7.
    void ProcessGroupMembers(int start);
    bool RefreshingRows() const { return m_refreshingRows; }

    // A time in seconds as the quarter seconds stored for it: the nearest
    // quarter, at least half a second; none when it is above ten minutes.
    static std::optional<int> quartersFor(double seconds);
    // Quarter seconds shown in seconds: 10 as "2.5".
    static QString secondsText(int quarters);

private:
    struct Row
    {
        QLabel *number;
        QCheckBox *used;
        ValueComboBox *member;
        QLineEdit *time;
    };

    RecordClass &structure() const;
    int shownIndex() const;
    TrackedRecord shownRecord() const;
    void showRecord(int index);
    // How many members the record's fields can hold, up to sixteen.
    int memberCapacity() const;
    int lastUsedMember() const;

    QString nameRefusal() const;
    void nameLeft();
    void typeChosen(int type);
    void flagClicked(int bit, bool ticked);
    void scrolled(int value);
    void memberClicked(int row, bool ticked);
    void memberChosen(int row);
    bool memberMayBeLeft(int row);
    bool timeMayBeLeft(int row);

    PanelContext &m_context;
    bool m_refreshingRows = false;
    // The member shown in the first row.
    int m_start = 0;
    int m_shown = -1;

    QLineEdit *m_txtGPName;
    QComboBox *m_cboGPGroupType;
    std::array<QCheckBox *, 2> m_chkGPFlag{};
    QLineEdit *m_txtGPGroupNumbers;
    std::array<Row, GridRows> m_rows{};
    QScrollBar *m_srlGroupMembers;
};
