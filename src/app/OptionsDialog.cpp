#include "app/OptionsDialog.h"

#include "core/Registry.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "shell/MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace SettingsKeys;

namespace {
const QString CommPortCaption = QStringLiteral("Comm Port ");
const QString CannotOpenText = QStringLiteral("Serial port can not be opened. Please select a different port");
constexpr int ViewTonesShown = 1;
constexpr int ViewTonesHidden = 0;
constexpr int MostHistoryKept = 10000;

QComboBox *makeList(const QString &name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
} // namespace

OptionsDialog::OptionsDialog(SerialLink &link, Registry &registry, MessageService &messages,
                             const QString &portOverride, QWidget *parent)
    : QDialog(parent)
    , m_link(link)
    , m_registry(registry)
    , m_messages(messages)
    , m_chkViewTones(new QCheckBox(tr("Show Tone Records"), this))
    , m_cboPorts(makeList(QStringLiteral("cboPorts"), this))
    , m_cboPortType(makeList(QStringLiteral("cboPortType"), this))
    , m_spnHistoryKeep(new QSpinBox(this))
    , m_cmdOK(makeButton(QStringLiteral("cmdOK"), tr("OK"), this))
    , m_cmdCancel(makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this))
    , m_cmdApply(makeButton(QStringLiteral("cmdApply"), tr("&Apply"), this))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    m_chkViewTones->setObjectName(QStringLiteral("chkViewTones"));
    m_cmdOK->setDefault(true);

    auto *viewOptions = new QGroupBox(tr("View Options"), this);
    auto *viewLayout = new QVBoxLayout(viewOptions);
    viewLayout->addWidget(m_chkViewTones);

    m_spnHistoryKeep->setObjectName(QStringLiteral("spnHistoryKeep"));
    m_spnHistoryKeep->setRange(1, MostHistoryKept);
    auto *history = new QGroupBox(tr("History"), this);
    auto *historyLayout = new QFormLayout(history);
    historyLayout->addRow(tr("Configurations kept per site"), m_spnHistoryKeep);

    auto *portSettings = new QGroupBox(tr("Serial Port Settings"), this);
    auto *portLayout = new QFormLayout(portSettings);
    portLayout->addRow(tr("Comms Port"), m_cboPorts);
    portLayout->addRow(tr("System Port"), m_cboPortType);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdApply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(viewOptions);
    layout->addWidget(portSettings);
    layout->addWidget(history);
    layout->addLayout(buttons);

    m_cboPortType->addItem(tr("Printer Port"), PrinterPortSpeed);
    m_cboPortType->addItem(tr("Programming Port"), ProgrammingPortSpeed);
    fill(portOverride);

    for (QComboBox *list : {m_cboPorts, m_cboPortType}) {
        list->installEventFilter(this);
        // Picking an entry leaves the list in effect: Apply must be usable at once.
        connect(list, &QComboBox::activated, this, [this, list] { changeTest(list); });
    }
    connect(m_spnHistoryKeep, &QSpinBox::valueChanged, this, [this] { m_cmdApply->setEnabled(true); });
    connect(m_cmdOK, &QPushButton::clicked, this, &OptionsDialog::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_cmdApply, &QPushButton::clicked, this, &OptionsDialog::cmdApply_Click);
}

bool OptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_cboPorts || watched == m_cboPortType))
        changeTest(static_cast<const QComboBox *>(watched));
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::fill(const QString &portOverride)
{
    m_chkViewTones->setChecked(m_registry.GetNumber(Settings, ViewTones, DefaultViewTones) == ViewTonesShown);
    m_spnHistoryKeep->setValue(m_registry.GetNumber(Settings, HistoryKeep, DefaultHistoryKeep));

    const int speed = m_registry.GetNumber(Comms, Speed, DefaultSpeed);
    m_portTypeTag = m_cboPortType->findData(speed);
    m_cboPortType->setCurrentIndex(m_portTypeTag);

    fillPorts(portOverride);
    m_cmdApply->setEnabled(false);
}

void OptionsDialog::fillPorts(const QString &portOverride)
{
    bool overrideIsNumber = false;
    const int overridePort = portOverride.toInt(&overrideIsNumber);
    const bool deviceOverride = !portOverride.isEmpty() && !overrideIsNumber;
    if (deviceOverride)
        m_cboPorts->addItem(tr("%1 (command line)").arg(portOverride), portOverride);

    for (int port = SerialPort::FirstPortNumber; port <= SerialPort::LastPortNumber; ++port) {
        const int status = m_link.portStatus(port);
        if (status != SerialLink::PortAvailable && status != SerialLink::PortInUse)
            continue;
        const QString caption = CommPortCaption + QString::number(port);
        m_cboPorts->addItem(QStringLiteral("%1 (%2)").arg(caption, QtSerialPort::devicePath(port)), port);
    }

    // The port in use for this run is the one named on the command line, if any.
    const int selectedPort = overrideIsNumber ? overridePort : m_registry.GetNumber(Comms, Port, DefaultPort);
    m_portsTag = deviceOverride ? 0 : m_cboPorts->findData(selectedPort);
    m_cboPorts->setCurrentIndex(m_portsTag);
}

void OptionsDialog::changeTest(const QComboBox *list)
{
    const int tag = list == m_cboPorts ? m_portsTag : m_portTypeTag;
    if (list->currentIndex() != tag)
        m_cmdApply->setEnabled(true);
}

void OptionsDialog::Apply()
{
    // Only a list the engineer changed is saved: the line stays as it is otherwise.
    const bool portChanged = m_cboPorts->currentIndex() != m_portsTag;
    const bool speedChanged = m_cboPortType->currentIndex() != m_portTypeTag;
    m_portsTag = m_cboPorts->currentIndex();
    m_portTypeTag = m_cboPortType->currentIndex();

    // A list without a selection keeps what is stored.
    if (speedChanged && m_portTypeTag != NoPosition) {
        const int speed = m_cboPortType->currentData().toInt();
        m_registry.SaveSetting(Comms, Speed, Registry::TypeText, QStringLiteral(" %1").arg(speed));
    }
    const QVariant portData = m_cboPorts->currentData();
    const bool deviceChosen = portData.typeId() == QMetaType::QString;
    if (portChanged && m_portsTag != NoPosition && !deviceChosen)
        m_registry.SaveSetting(Comms, Port, Registry::TypeNumber, portData.toInt());

    if (portChanged || speedChanged || !m_link.isOpen())
        reopenPort(deviceChosen ? portData.toString() : QString());

    m_registry.SaveSetting(Settings, ViewTones, Registry::TypeNumber,
                           m_chkViewTones->isChecked() ? ViewTonesShown : ViewTonesHidden);
    m_registry.SaveSetting(Settings, HistoryKeep, Registry::TypeNumber, m_spnHistoryKeep->value());
}

void OptionsDialog::reopenPort(const QString &device)
{
    m_link.closePort();
    const int speed = m_registry.GetNumber(Comms, Speed, DefaultSpeed);
    const SerialPort::OpenResult opened = !device.isEmpty()
        ? m_link.openDevice(device, speed)
        : m_link.openPort(m_registry.GetNumber(Comms, Port, DefaultPort), speed);
    if (!opened.opened())
        m_messages.show(this, QMessageBox::Warning, QString(), CannotOpenText);
}

void OptionsDialog::cmdOK_Click()
{
    Apply();
    accept();
}

void OptionsDialog::cmdApply_Click()
{
    Apply();
    m_cmdApply->setEnabled(false);
}
