#include "app/OptionsDialog.h"

#include "core/Registry.h"
#include "link/FakeSerialPort.h"
#include "link/SerialLink.h"
#include "support/gui/GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QPushButton>
#include <QTest>

namespace {
using namespace SettingsKeys;

// A PC with ports 3 and 4 free and port 5 held by another program.
class OptionsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        auto port = std::make_unique<FakeSerialPort>();
        port->ports = {{3, SerialPort::OpenStatus::Opened},
                       {4, SerialPort::OpenStatus::Opened},
                       {5, SerialPort::OpenStatus::InUse}};
        m_port = port.get();
        m_link = std::make_unique<SerialLink>(std::move(port), &m_registry, &m_log);
        m_registry.SaveSetting(Comms, Port, Registry::TypeNumber, 4);
        m_link->SelectSerialPort();
    }

    void openDialog(const QString &portOverride = QString())
    {
        m_dialog = std::make_unique<OptionsDialog>(*m_link, m_registry, m_messages, portOverride);
        m_dialog->show();
    }

    QComboBox *ports() const { return child<QComboBox>(m_dialog.get(), "cboPorts"); }
    QComboBox *portType() const { return child<QComboBox>(m_dialog.get(), "cboPortType"); }
    QPushButton *apply() const { return child<QPushButton>(m_dialog.get(), "cmdApply"); }
    void click(const char *name) { QTest::mouseClick(child<QAbstractButton>(m_dialog.get(), name), Qt::LeftButton); }

    static void leave(QComboBox *list)
    {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(list, &focusOut);
    }

    QString setting(const QString &section, const QString &name) const
    {
        return m_registry.GetSetting(section, name, QStringLiteral("absent"));
    }

    QTemporaryDir m_dir;
    Registry m_registry{m_dir.filePath(QStringLiteral("settings.ini"))};
    DebugLog m_log;
    MessageService m_messages;
    FakeSerialPort *m_port = nullptr;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<OptionsDialog> m_dialog;
};
} // namespace

TEST_F(OptionsDialogTest, ListsThePortsThatExistWithTheConfiguredOneSelected)
{
    openDialog();
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Options"));
    // With no speed stored the line runs at the programming port's, and the dialog says so.
    EXPECT_EQ(shownIn(m_dialog.get(), "cboPorts* cboPorts cboPortType* cboPortType chkViewTones"),
              QStringLiteral("Comm Port 3 (/dev/ttyS2),Comm Port 4 (/dev/ttyS3),Comm Port 5 (/dev/ttyUSB0)|"
                             "Comm Port 4 (/dev/ttyS3)|Printer Port,Programming Port|Programming Port|off"));
    EXPECT_FALSE(apply()->isEnabled());
}

TEST_F(OptionsDialogTest, ShowToneRecordsAloneLeavesApplyDisabledAndOkSavesItWithoutTouchingTheLine)
{
    openDialog();
    m_port->opened.clear();
    QTest::keyClick(child<QCheckBox>(m_dialog.get(), "chkViewTones"), Qt::Key_Space);
    leave(ports());
    leave(portType());
    EXPECT_FALSE(apply()->isEnabled());

    click("cmdOK");
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(setting(Settings, ViewTones), QStringLiteral("1"));
    EXPECT_EQ(setting(Comms, Speed), QStringLiteral("absent"));
    EXPECT_TRUE(m_port->opened.isEmpty());
    EXPECT_EQ(m_port->settings, QStringLiteral("38400,n,8,1"));
}

TEST_F(OptionsDialogTest, LeavingAListWithAnotherEntryEnablesApplyWhichSavesAndReopensThePort)
{
    openDialog();
    ports()->setCurrentIndex(0);
    EXPECT_FALSE(apply()->isEnabled());
    leave(ports());
    EXPECT_TRUE(apply()->isEnabled());
    QTest::keyClick(portType(), Qt::Key_Up);
    m_port->opened.clear();

    click("cmdApply");
    EXPECT_FALSE(apply()->isEnabled());
    EXPECT_EQ(setting(Comms, Port) + setting(Comms, Speed) + setting(Settings, ViewTones), QStringLiteral("3 96000"));
    EXPECT_EQ(m_port->opened, QStringList{QStringLiteral("/dev/ttyS2")});
    EXPECT_EQ(m_port->settings, QStringLiteral("9600,n,8,1"));

    // What Apply saved stays when the dialog is then cancelled.
    ports()->setCurrentIndex(1);
    leave(ports());
    click("cmdCancel");
    EXPECT_EQ(setting(Comms, Port), QStringLiteral("3"));
    EXPECT_EQ(m_port->opened, QStringList{QStringLiteral("/dev/ttyS2")});
}

TEST_F(OptionsDialogTest, APortThatCannotBeOpenedIsReportedAndStillSaved)
{
    openDialog();
    ports()->setCurrentIndex(2);
    m_messages.setNextAnswer(QMessageBox::Ok);
    click("cmdOK");

    EXPECT_EQ(messageTexts(m_messages), strings({"Serial port can not be opened. Please select a different port"}));
    EXPECT_EQ(setting(Comms, Port), QStringLiteral("5"));
    EXPECT_FALSE(m_link->isOpen());
}

TEST_F(OptionsDialogTest, ASpeedNeitherEntryCarriesSelectsNothingAndAnyChoiceEnablesApply)
{
    m_registry.SaveSetting(Comms, Speed, Registry::TypeText, QStringLiteral(" 19200"));
    openDialog();
    EXPECT_EQ(portType()->currentIndex(), -1);
    leave(portType());
    EXPECT_FALSE(apply()->isEnabled());

    portType()->setCurrentIndex(0);
    leave(portType());
    EXPECT_TRUE(apply()->isEnabled());
}

TEST_F(OptionsDialogTest, TheDeviceNamedOnTheCommandLineIsOfferedAndKeptByOk)
{
    m_port->devices = {{QStringLiteral("/dev/pts/7"), SerialPort::OpenStatus::Opened}};
    m_link->setPortOverride(QStringLiteral("/dev/pts/7"));
    m_link->SelectSerialPort();
    openDialog(QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(ports()->currentText(), QStringLiteral("/dev/pts/7 (command line)"));
    m_port->opened.clear();

    click("cmdOK");
    EXPECT_TRUE(m_port->opened.isEmpty());
    EXPECT_EQ(m_port->deviceName(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(setting(Comms, Port), QStringLiteral("4"));
}
