#include "device/widgets/BoardInfoWindow.h"

#include "device/BoardPackets.h"

#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
const QString Title = QStringLiteral("Board Information");
const QString DateInvalidText = QStringLiteral("Manufacture Date invalid");
const QString SerialInvalidText = QStringLiteral("Serial Number invalid");
const QString SentText = QStringLiteral("Send Info to Board ");
const QString WriteQuestion = QStringLiteral("Write serial number %1 and manufacture date %2 to the board in Slot %3?");
const QString DateFormat = QStringLiteral("dd/MM/yyyy");

constexpr int DateLength = 10;
// 0-based positions of the separators in "dd/mm/yyyy".
constexpr int FirstSeparator = 2;
constexpr int SecondSeparator = 5;
const QChar Separator = QLatin1Char('/');
constexpr int YearAt = 6;
constexpr int YearLength = 4;
constexpr int MonthAt = 3;
constexpr int DayAt = 0;
constexpr int DayMonthLength = 2;

// The board report shows only these characters, so a serial number holding
// others would not read back as it was written.
bool keepsAsWritten(QChar c)
{
    return c.unicode() >= 32 && c.unicode() <= 126;
}
// The window numbers the slots from 1; the packets carry the row from 0.
int shownSlot(int row)
{
    return row + 1;
}
} // namespace

BoardInfoWindow::BoardInfoWindow(const DeviceServices &services, QWidget *parent)
    : DeviceDialog(services, QStringLiteral("frmBoardInfo"), Title, parent)
{
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Serial"), this), 0, 1);
    layout->addWidget(new QLabel(tr("Manu Date"), this), 0, 2);
    for (int row = 0; row < RowCount; ++row) {
        auto *labSlot = new QLabel(tr("Slot %1").arg(shownSlot(row)), this);
        labSlot->setObjectName(QStringLiteral("labSlot%1").arg(row));
        QLineEdit *serial = makeBox(QStringLiteral("txtSerial%1").arg(row));
        serial->setMaxLength(BoardPackets::SerialNumberLength);
        QLineEdit *date = makeBox(QStringLiteral("txtManu%1").arg(row));
        date->setMaxLength(DateLength);
        serial->installEventFilter(this);
        date->installEventFilter(this);
        QPushButton *save = makeButton(QStringLiteral("cmdSave%1").arg(row), tr("Save"));
        connect(save, &QPushButton::clicked, this, [this, row] { cmdSave_Click(row); });
        layout->addWidget(labSlot, row + 1, 0);
        layout->addWidget(serial, row + 1, 1);
        layout->addWidget(date, row + 1, 2);
        layout->addWidget(save, row + 1, 3);
        m_txtSerial.append(serial);
        m_txtManu.append(date);
    }
}

void BoardInfoWindow::fill(const BoardInformation &boards)
{
    for (int row = 0; row < RowCount; ++row) {
        m_txtSerial[row]->setText(boards.rows[std::size_t(row)].serialNumber);
        m_txtManu[row]->setText(boards.rows[std::size_t(row)].manufactureDate);
    }
}

bool BoardInfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *box = qobject_cast<QLineEdit *>(watched))
            // After the click that gave the focus has placed the cursor.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return DeviceDialog::eventFilter(watched, event);
}

void BoardInfoWindow::cmdSave_Click(int row)
{
    QLineEdit *serialBox = m_txtSerial[row];
    QLineEdit *dateBox = m_txtManu[row];
    const QString serial = serialBox->text();
    const QString date = dateBox->text();
    if (date.size() != DateLength) {
        refuse(dateBox, DateInvalidText);
        return;
    }
    if (serial.size() != BoardPackets::SerialNumberLength
        || !std::all_of(serial.cbegin(), serial.cend(), keepsAsWritten)) {
        refuse(serialBox, SerialInvalidText);
        return;
    }
    if (date.at(FirstSeparator) != Separator || date.at(SecondSeparator) != Separator
        || !QDate::fromString(date, DateFormat).isValid()) {
        refuse(dateBox, DateInvalidText);
        return;
    }

    if (!confirm(WriteQuestion.arg(serial, date).arg(shownSlot(row))))
        return;

    m_dateField =
        (date.mid(YearAt, YearLength) + date.mid(MonthAt, DayMonthLength) + date.mid(DayAt, DayMonthLength)).toLatin1();
    m_sendingSerial = true;
    m_sendingDate = false;
    m_sendSlot = row;
    send(BoardPackets::serialNumber(quint8(row), serial.toLatin1()));
}

void BoardInfoWindow::DataReceived()
{
    if (m_sendingSerial) {
        m_sendingSerial = false;
        m_sendingDate = true;
        send(BoardPackets::manufactureDate(quint8(m_sendSlot), m_dateField));
    } else if (m_sendingDate) {
        m_sendingDate = false;
        say(SentText + QString::number(shownSlot(m_sendSlot)));
    }
}
