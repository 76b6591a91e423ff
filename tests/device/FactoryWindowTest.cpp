#include "DeviceWindowFixture.h"
#include "FactoryWindow.h"
#include "PacketCode.h"

#include <QCheckBox>
#include <QComboBox>

namespace {
class FactoryWindowTest : public DeviceWindowFixture<FactoryWindow>
{
protected:
    QComboBox *list(const QString &name) const { return control<QComboBox>(name); }
    QComboBox *slot(int index) const { return list(QStringLiteral("cboBoardType%1").arg(index)); }
    QCheckBox *tieBoard() const { return control<QCheckBox>(QStringLiteral("chkTieBoard")); }
    QList<QByteArray> sent() const { return m_recorder.payloads(PacketCode::FactoryConfiguration); }
};
} // namespace

TEST_F(FactoryWindowTest, TheDefaultConfigurationIsSentAndConfirmedAndTheWindowCloses)
{
    EXPECT_EQ(list(QStringLiteral("cboExtTxGain"))->currentText(), QStringLiteral("-10 dB"));
    EXPECT_EQ(list(QStringLiteral("cboTieRxGain"))->currentText(), QStringLiteral("-2 dB"));
    EXPECT_EQ(tieBoard()->text(), QStringLiteral("Combined Tie Line && Processor"));
    click(QStringLiteral("cmdBuildFactory"));
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00")});
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
}

TEST_F(FactoryWindowTest, AnsweringNoToTheRebuildSendsNothingAndKeepsTheWindow)
{
    reopenDeclining();
    click(QStringLiteral("cmdBuildFactory"));
    EXPECT_EQ(m_recorder.count(), 0);
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(FactoryWindowTest, TheCheckBoxRefillsEverySlotWithThreeOrFiveBoardTypes)
{
    EXPECT_EQ(slot(0)->count(), 3);
    slot(1)->setCurrentIndex(2);
    tieBoard()->click();
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(slot(s)->count(), 5);
        EXPECT_EQ(slot(s)->currentText(), QStringLiteral("Extension"));
    }
    slot(2)->setCurrentIndex(slot(2)->findText(QStringLiteral("Magneto")));
    slot(4)->setCurrentIndex(slot(4)->findText(QStringLiteral("Tie Line")));
    slot(0)->setCurrentIndex(slot(0)->findText(QStringLiteral("<System>")));
    list(QStringLiteral("cboExtTxGain"))->setCurrentIndex(30);
    list(QStringLiteral("cboExtRxGain"))->setCurrentIndex(0);
    list(QStringLiteral("cboDigits"))->setCurrentIndex(0);
    type(QStringLiteral("txtNumOfficers"), QStringLiteral("2.5"));
    click(QStringLiteral("cmdBuildFactory"));
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 02 0A 1E 00 05 05 00 00 83 85 83 84 00 00 00 00 00")});
    EXPECT_EQ(list(QStringLiteral("cboExtTxGain"))->itemText(30), QStringLiteral("-27 dB"));
    EXPECT_EQ(list(QStringLiteral("cboExtRxGain"))->itemText(0), QStringLiteral("3 dB"));
}

TEST_F(FactoryWindowTest, OfficersThatAreNoByteAreRefusedAndCancelSendsNothing)
{
    for (const char *officers : {"256", "abc", "-1", ""}) {
        m_messages.clearShownMessages();
        type(QStringLiteral("txtNumOfficers"), QString::fromLatin1(officers));
        click(QStringLiteral("cmdBuildFactory"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("Num. of Officers must be a number in the range 0 - 255")})
            << officers;
        EXPECT_TRUE(hasFocus(QStringLiteral("txtNumOfficers")));
    }
    click(QStringLiteral("cmdCancel"));
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_recorder.count(), 0);
}
