#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QGroupBox>

#include <array>

class LeavingLineEdit;
class PanelContext;
class QCheckBox;
class QComboBox;
class RecordClass;
class TrackedRecord;

// The system parameters: the single record of exchange-wide settings.
class SystemPanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int FrequencyBoxes = 8;
    static constexpr int CallLogBits = 8;

    SystemPanel(PanelContext &context, QWidget *parent = nullptr);

    void FillSystem(int index, const QByteArray &data, bool fromPacket);

private:
    RecordClass &system() const;
    TrackedRecord record() const;
    LeavingLineEdit *addNumberBox(const char *objectName);
    void nameLeft();
    void numberLeft(LeavingLineEdit *box, QByteArrayView field, int element);
    void gainChosen(int index);
    void callLogClicked(int bit, bool ticked);

    PanelContext &m_context;
    QWidget *m_editors = nullptr;
    LeavingLineEdit *m_txtSYSName = nullptr;
    LeavingLineEdit *m_txtSYSPublicIDLen = nullptr;
    LeavingLineEdit *m_txtSYSPassCodeLen = nullptr;
    LeavingLineEdit *m_txtSYSExtLength = nullptr;
    QComboBox *m_cboSYSConferenceGain = nullptr;
    std::array<LeavingLineEdit *, FrequencyBoxes> m_txtSYSFreqs{};
    std::array<QCheckBox *, CallLogBits> m_chkSYSCallLogFlag{};
    // Frequency boxes past the field's elements would write element 0 again.
    int m_frequencyCount = 0;
};
