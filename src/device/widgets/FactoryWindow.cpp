#include "device/widgets/FactoryWindow.h"

#include "device/NumericText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Factory Default");
const QString SentText = QStringLiteral("Rebuild Factory Configuration Command Sent to System");
const QString OfficersName = QStringLiteral("Num. of Officers");
const QString RebuildQuestion = QStringLiteral("Rebuild the factory configuration of the exchange?\n\n"
                                               "Its whole configuration is replaced by the factory default for:\n%1\n"
                                               "What the exchange holds now is lost unless it was read and saved.");
constexpr int ByteMaximum = 255;

struct BoardItem
{
    const char *text;
    FactoryConfiguration::BoardType type;
};

// The last two only where no combined tie-line board takes their place.
const BoardItem BoardItems[] = {
    {"Extension", FactoryConfiguration::ExtensionBoard}, {"<System>", FactoryConfiguration::SystemBoard},
    {"<None>", FactoryConfiguration::NoBoard},           {"Magneto", FactoryConfiguration::MagnetoBoard},
    {"Tie Line", FactoryConfiguration::TieLineBoard},
};
constexpr int ItemsWithCombinedBoard = 3;

quint8 selectedByte(const QComboBox *list)
{
    return quint8(list->currentData().toUInt());
}
} // namespace

FactoryWindow::FactoryWindow(const DeviceServices &services, QWidget *parent)
    : DeviceDialog(services, QStringLiteral("frmFactory"), Title, parent)
    , m_chkTieBoard(new QCheckBox(tr("Combined Tie Line && Processor"), this))
    , m_cboExtTxGain(makeGainList(QStringLiteral("cboExtTxGain"), FactoryConfiguration::DefaultExtensionGain))
    , m_cboExtRxGain(makeGainList(QStringLiteral("cboExtRxGain"), FactoryConfiguration::DefaultExtensionGain))
    , m_cboTieTxGain(makeGainList(QStringLiteral("cboTieTxGain"), FactoryConfiguration::DefaultTieLineGain))
    , m_cboTieRxGain(makeGainList(QStringLiteral("cboTieRxGain"), FactoryConfiguration::DefaultTieLineGain))
    , m_cboDigits(new QComboBox(this))
    , m_txtNumOfficers(makeBox(QStringLiteral("txtNumOfficers")))
{
    auto *boards = new QGroupBox(tr("Board Types"), this);
    auto *boardLayout = new QGridLayout(boards);
    for (int slot = 0; slot < FactoryConfiguration::SlotCount; ++slot) {
        auto *list = new QComboBox(boards);
        list->setObjectName(QStringLiteral("cboBoardType%1").arg(slot));
        m_cboBoardType[std::size_t(slot)] = list;
        boardLayout->addWidget(makeLabel(tr("Slot %1").arg(slot + 1), list), slot, 0);
        boardLayout->addWidget(list, slot, 1);
    }
    m_chkTieBoard->setObjectName(QStringLiteral("chkTieBoard"));
    boardLayout->addWidget(m_chkTieBoard, FactoryConfiguration::SlotCount, 0, 1, 2);

    m_cboDigits->setObjectName(QStringLiteral("cboDigits"));
    m_cboDigits->addItem(tr("2 Digit"), uint(FactoryConfiguration::TwoDigits));
    m_cboDigits->addItem(tr("3 Digit"), uint(FactoryConfiguration::ThreeDigits));

    auto *settings = new QFormLayout;
    settings->addRow(makeLabel(tr("Ext. Tx Gain"), m_cboExtTxGain), m_cboExtTxGain);
    settings->addRow(makeLabel(tr("Ext. Rx Gain"), m_cboExtRxGain), m_cboExtRxGain);
    settings->addRow(makeLabel(tr("Tie Line Tx Gain"), m_cboTieTxGain), m_cboTieTxGain);
    settings->addRow(makeLabel(tr("Tie Line Rx Gain"), m_cboTieRxGain), m_cboTieRxGain);
    settings->addRow(makeLabel(tr("Ext. Digits"), m_cboDigits), m_cboDigits);
    settings->addRow(makeLabel(tr("Num. of Officers"), m_txtNumOfficers), m_txtNumOfficers);

    QPushButton *cmdBuildFactory = makeButton(QStringLiteral("cmdBuildFactory"), tr("Build Configuration"));
    QPushButton *cmdCancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"));
    connect(cmdBuildFactory, &QPushButton::clicked, this, &FactoryWindow::cmdBuildFactory_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FactoryWindow::close);

    auto *columns = new QHBoxLayout;
    columns->addWidget(boards);
    columns->addLayout(settings);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdBuildFactory);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    fillSlotLists(false);
    connect(m_chkTieBoard, &QCheckBox::toggled, this, &FactoryWindow::chkTieBoard_Click);
    m_chkTieBoard->setChecked(true);
    m_cboDigits->setCurrentIndex(m_cboDigits->findData(uint(FactoryConfiguration::ThreeDigits)));
    m_txtNumOfficers->setText(QString::number(FactoryConfiguration::DefaultOfficers));
}

QComboBox *FactoryWindow::makeGainList(const QString &name, int initialIndex)
{
    auto *list = new QComboBox(this);
    list->setObjectName(name);
    for (int i = 0; i < FactoryConfiguration::GainCount; ++i)
        list->addItem(QStringLiteral("%1 dB").arg(FactoryConfiguration::TopGain - i), i);
    list->setCurrentIndex(initialIndex);
    return list;
}

void FactoryWindow::fillSlotLists(bool combinedTieBoard)
{
    const int items = combinedTieBoard ? ItemsWithCombinedBoard : int(std::size(BoardItems));
    for (QComboBox *list : m_cboBoardType) {
        list->clear();
        for (int i = 0; i < items; ++i)
            list->addItem(QString::fromLatin1(BoardItems[i].text), uint(BoardItems[i].type));
        list->setCurrentIndex(0);
    }
}

void FactoryWindow::chkTieBoard_Click(bool ticked)
{
    fillSlotLists(ticked);
}

void FactoryWindow::cmdBuildFactory_Click()
{
    const std::optional<double> officers = NumericText::value(m_txtNumOfficers->text());
    const double rounded = officers ? NumericText::roundHalfEven(*officers) : -1;
    if (!officers || rounded < 0 || rounded > ByteMaximum) {
        refuse(m_txtNumOfficers, NumericText::numberRequired(OfficersName, 0, ByteMaximum));
        return;
    }

    FactoryConfiguration::Settings settings;
    settings.officers = quint8(rounded);
    settings.digits = selectedByte(m_cboDigits);
    settings.extensionTxGain = quint8(m_cboExtTxGain->currentIndex());
    settings.extensionRxGain = quint8(m_cboExtRxGain->currentIndex());
    settings.tieLineTxGain = quint8(m_cboTieTxGain->currentIndex());
    settings.tieLineRxGain = quint8(m_cboTieRxGain->currentIndex());
    for (int slot = 0; slot < FactoryConfiguration::SlotCount; ++slot)
        settings.boardTypes[std::size_t(slot)] = selectedByte(m_cboBoardType[std::size_t(slot)]);
    settings.tieLineBoard = m_chkTieBoard->isChecked();
    if (!confirm(RebuildQuestion.arg(summary(settings.officers))))
        return;

    send(FactoryConfiguration::buildPacket(settings));
    say(SentText);
    close();
}

QString FactoryWindow::summary(int officers) const
{
    QStringList boards;
    for (const QComboBox *list : m_cboBoardType)
        boards.append(list->currentText());
    QStringList lines;
    lines.append(
        tr("Boards in slots 1 to %1: %2").arg(FactoryConfiguration::SlotCount).arg(boards.join(QStringLiteral(", "))));
    lines.append(tr("Combined Tie Line & Processor: %1").arg(m_chkTieBoard->isChecked() ? tr("yes") : tr("no")));
    lines.append(tr("Ext. Tx / Rx Gain: %1 / %2").arg(m_cboExtTxGain->currentText(), m_cboExtRxGain->currentText()));
    lines.append(
        tr("Tie Line Tx / Rx Gain: %1 / %2").arg(m_cboTieTxGain->currentText(), m_cboTieRxGain->currentText()));
    lines.append(tr("Ext. Digits: %1").arg(m_cboDigits->currentText()));
    lines.append(QStringLiteral("%1: %2").arg(OfficersName).arg(officers));
    return lines.join(QLatin1Char('\n'));
}
