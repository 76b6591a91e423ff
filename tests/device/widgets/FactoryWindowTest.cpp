#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/FactoryWindow.h"
#include "link/PacketCode.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

class FactoryWindowTest : public DeviceWindowFixture<FactoryWindow>
{
protected:
    QComboBox *list(const QString &name) const { return child<QComboBox>(m_window.data(), name); }
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::FactoryConfiguration); }
};

TEST_F(FactoryWindowTest, TheRebuildIsConfirmedNamingWhatItBuildsThenSentAndTheWindowCloses)
{
    EXPECT_EQ(child<QCheckBox>(m_window.data(), "chkTieBoard")->text(), QStringLiteral("Combined Tie Line && Processor"));
    click("cmdBuildFactory");
    EXPECT_EQ(sent().size(), 1);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0], QStringLiteral("Rebuild the factory configuration of the exchange?\n\n"
                                            "Its whole configuration is replaced by the factory default for:\n"
                                            "Boards in slots 1 to 5: Extension, Extension, Extension, Extension, "
                                            "Extension\n"
                                            "Combined Tie Line & Processor: yes\n"
                                            "Ext. Tx / Rx Gain: -10 dB / -10 dB\n"
                                            "Tie Line Tx / Rx Gain: -2 dB / -2 dB\n"
                                            "Ext. Digits: 3 Digit\n"
                                            "Num. of Officers: 5\n"
                                            "What the exchange holds now is lost unless it was read and saved."));
    EXPECT_EQ(m_messages.shownMessages()[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(messages()[1], QStringLiteral("Rebuild Factory Configuration Command Sent to System"));
    EXPECT_FALSE(m_window->isVisible());

    reopenDeclining();
    click("cmdBuildFactory");
    EXPECT_EQ(sent().size(), 1) << "answered No";
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(FactoryWindowTest, TheCheckBoxRefillsEverySlotWithThreeOrFiveBoardTypesAndTheChoicesAreSent)
{
    QComboBox *slot0 = list(QStringLiteral("cboBoardType0"));
    EXPECT_EQ(slot0->count(), 3);
    list(QStringLiteral("cboBoardType1"))->setCurrentIndex(2);
    child<QCheckBox>(m_window.data(), "chkTieBoard")->click();
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(list(QStringLiteral("cboBoardType%1").arg(s))->count(), 5);
        EXPECT_EQ(list(QStringLiteral("cboBoardType%1").arg(s))->currentText(), QStringLiteral("Extension"));
    }
    const std::pair<const char *, const char *> choices[] = {
        {"cboBoardType2", "Magneto"}, {"cboBoardType4", "Tie Line"}, {"cboBoardType0", "<System>"},
        {"cboExtTxGain", "-27 dB"},   {"cboExtRxGain", "3 dB"}};
    for (const auto &[name, text] : choices)
        list(QLatin1String(name))->setCurrentIndex(list(QLatin1String(name))->findText(QLatin1String(text)));
    list(QStringLiteral("cboDigits"))->setCurrentIndex(0);
    type("txtNumOfficers", "2.5");
    click("cmdBuildFactory");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 02 0A 1E 00 05 05 00 00 83 85 83 84 00 00 00 00 00")});
}

TEST_F(FactoryWindowTest, OfficersThatAreNoByteAreRefusedAndCancelSendsNothing)
{
    for (const char *officers : {"256", "abc", "-1", ""}) {
        m_messages.clearShownMessages();
        type("txtNumOfficers", officers);
        click("cmdBuildFactory");
        EXPECT_EQ(messages(), strings({"Num. of Officers must be a number in the range 0 - 255"})) << officers;
        EXPECT_TRUE(hasFocus("txtNumOfficers"));
    }
    click("cmdCancel");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_frames.isEmpty());
}

} // namespace
