#pragma once

#include "device/FactoryConfiguration.h"
#include "device/widgets/DeviceDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

// frmFactory: the engineer describes the exchange's hardware and sends the
// command that rebuilds its factory configuration.
class FactoryWindow : public DeviceDialog
{
    Q_OBJECT

public:
    explicit FactoryWindow(const DeviceServices &services, QWidget *parent = nullptr);

private:
    QComboBox *makeGainList(const QString &name, int initialIndex);
    // Every slot list starts again at "Extension"; without the combined board
    // the magneto and tie-line boards may be fitted in a slot.
    void fillSlotLists(bool combinedTieBoard);
    void chkTieBoard_Click(bool ticked);
    void cmdBuildFactory_Click();
    // What the rebuild will set up, as the engineer chose it, for the confirmation.
    QString summary(int officers) const;

    std::array<QComboBox *, FactoryConfiguration::SlotCount> m_cboBoardType{};
    QCheckBox *m_chkTieBoard;
    QComboBox *m_cboExtTxGain;
    QComboBox *m_cboExtRxGain;
    QComboBox *m_cboTieTxGain;
    QComboBox *m_cboTieRxGain;
    QComboBox *m_cboDigits;
    QLineEdit *m_txtNumOfficers;
};
