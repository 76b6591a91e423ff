#pragma once

#include "device/widgets/DeviceDialog.h"
#include "link/BoardInformation.h"

#include <QByteArray>
#include <QList>

class QLineEdit;

// frmBoardInfo: the serial number and manufacture date of the boards in slots
// 1 .. 7, as the exchange reported them; one board's can be corrected and
// written back, the serial number first and, once the exchange has
// acknowledged it, the date.
class BoardInfoWindow : public DeviceDialog
{
    Q_OBJECT

public:
    static constexpr int RowCount = BoardInformation::RowCount;

    explicit BoardInfoWindow(const DeviceServices &services, QWidget *parent = nullptr);

    void fill(const BoardInformation &boards);
    // The exchange acknowledged the last packet.
    void DataReceived();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdSave_Click(int row);

    QList<QLineEdit *> m_txtSerial;
    QList<QLineEdit *> m_txtManu;
    int m_sendSlot = 0;
    QByteArray m_dateField;
    bool m_sendingSerial = false;
    bool m_sendingDate = false;
};
