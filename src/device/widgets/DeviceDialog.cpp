#include "device/widgets/DeviceDialog.h"

#include "device/DevicePacket.h"
#include "device/widgets/LeaveValidator.h"
#include "shell/MessageService.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace {
const QString BoardUnits = QStringLiteral("board units");
const QString BoardUnitsTip = QStringLiteral("The board's own time units; the number is sent unchanged.");
} // namespace

DeviceDialog::DeviceDialog(const DeviceServices &services, const QString &name, const QString &title, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(name);
    setWindowTitle(title);
    // Windows are loaded on first use and unloaded when closed.
    setAttribute(Qt::WA_DeleteOnClose);
}

void DeviceDialog::send(const DevicePacket &packet)
{
    sendDevicePacket(m_services.sender, packet);
}

void DeviceDialog::say(const QString &text)
{
    m_services.messages.show(this, QMessageBox::NoIcon, QString(), text);
}

bool DeviceDialog::confirm(const QString &text)
{
    return m_services.messages.show(this, QMessageBox::Warning, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No)
        == QMessageBox::Yes;
}

void DeviceDialog::refuse(QLineEdit *box, const QString &text)
{
    m_services.messages.show(this, QMessageBox::Warning, QString(), text);
    LeaveValidator::refocus(box);
}

QLineEdit *DeviceDialog::makeBox(const QString &name, const QString &text)
{
    auto *box = new QLineEdit(text, this);
    box->setObjectName(name);
    return box;
}

QPushButton *DeviceDialog::makeButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    // Enter in a box must not press a send button by surprise.
    button->setAutoDefault(false);
    return button;
}

QLabel *DeviceDialog::makeLabel(const QString &caption, QWidget *buddy)
{
    auto *label = new QLabel(caption, this);
    label->setBuddy(buddy);
    return label;
}

QLabel *DeviceDialog::makeUnit(const QString &unit)
{
    return new QLabel(unit, this);
}

QLabel *DeviceDialog::makeBoardTimeUnit()
{
    QLabel *label = makeUnit(BoardUnits);
    label->setToolTip(BoardUnitsTip);
    return label;
}

void DeviceDialog::showReadOnly(QLineEdit *box)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    QPalette look = box->palette();
    look.setColor(QPalette::Base, look.color(QPalette::Window));
    box->setPalette(look);
}

QStatusBar *DeviceDialog::makeStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("sbar1"));
    bar->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(bar);
    m_statusPanel->setObjectName(QStringLiteral("sbar1Panel1"));
    bar->addWidget(m_statusPanel, 1);
    return bar;
}

void DeviceDialog::setStatus(const QString &text)
{
    if (m_statusPanel)
        m_statusPanel->setText(text);
}
