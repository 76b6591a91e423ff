#include "export/widgets/AclGeneratorWindow.h"

#include "export/ReportTestSupport.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "shell/MessageService.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
constexpr int ModelAcl = 5;

class AclGeneratorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(config);
        window = std::make_unique<AclGeneratorWindow>(config, ModelAcl, line, messages, random);
        window->show();
    }

    template<typename Widget>
    Widget *child(const char *name) const
    {
        Widget *found = window->findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void type(const char *box, const char *text)
    {
        QLineEdit *edit = child<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    void fill(const char *start, const char *end, const char *pin, const char *increment)
    {
        type("txtStartACL", start);
        type("txtEndACL", end);
        type("txtStartPin", pin);
        type("txtPinInc", increment);
    }

    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    ExchClass config;
    WriteRecorder line;
    MessageService messages;
    ScriptedRandom random{{100, 200, 300, 400, 500}};
    std::unique_ptr<AclGeneratorWindow> window;
};

TEST_F(AclGeneratorWindowTest, GenerateAppendsABlockPerRunAndCopyPutsTheListingOnTheClipboard)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Copy ACLs"));
    EXPECT_EQ(window->objectName(), QStringLiteral("frmCopyACL"));
    EXPECT_TRUE(window->isModal());
    EXPECT_FALSE(child<QPushButton>("cmdCopy")->isEnabled());

    fill("14", "16", "3000", "5");
    click("cmdSave");
    fill("17", "18", "4000", "");
    click("cmdSave");

    const QString shown = child<QPlainTextEdit>("txtGenerated")->toPlainText();
    EXPECT_EQ(shown.count(QStringLiteral("Name,PublicID,PassCode")), 2);
    EXPECT_TRUE(shown.contains(QStringLiteral("ACLID 14,3000,1100\nACLID 15,3005,1200\nACLID 16,3010,1300\n")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("ACLID 17,4000,1400\nACLID 18,4000,1500")));
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 18), QByteArray("ACL ID 18"));
    EXPECT_EQ(line.sent.size(), 5);
    EXPECT_TRUE(window->isVisible());

    click("cmdCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(shown).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("\r\nACLID 18,4000,1500")));
}

TEST_F(AclGeneratorWindowTest, ARangeOutsideTheTableIsRefusedWithAMessageAndNothingSent)
{
    fill("22", "30", "1", "1");
    messages.setNextAnswer(QMessageBox::Ok);
    click("cmdSave");
    ASSERT_EQ(messages.shownMessages().size(), 1);
    EXPECT_EQ(messages.shownMessages()[0].title, QStringLiteral("Copy ACLs"));
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_TRUE(child<QPlainTextEdit>("txtGenerated")->toPlainText().isEmpty());
}

TEST_F(AclGeneratorWindowTest, ARangeHoldingAclsInUseIsGeneratedOnlyOnceTheEngineerAgreesToReplaceThem)
{
    fill("4", "7", "3000", "1");
    messages.setNextAnswer(QMessageBox::No);
    click("cmdSave");
    ASSERT_EQ(messages.shownMessages().size(), 1);
    EXPECT_EQ(messages.shownMessages()[0].text,
              QStringLiteral("ACL ID 4 to 7 include ACLs in use, which the generated ACLs replace:\n"
                             "ACL 4 (Reception)\nACL 5 (Manager)\nACL 6 (Staff)\nACL 7 (Warehouse)\n\nReplace them?"));
    EXPECT_EQ(messages.shownMessages()[0].defaultButton, QMessageBox::No);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 5), QByteArray("Manager"));

    messages.setNextAnswer(QMessageBox::Yes);
    click("cmdSave");
    EXPECT_EQ(line.sent.size(), 4);
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 5), QByteArray("ACL ID 5"));
}

TEST_F(AclGeneratorWindowTest, CancelClosesTheWindowAndKeepsWhatWasGenerated)
{
    fill("20", "20", "777", "1");
    click("cmdSave");
    click("cmdCancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(config.ACL().GetDigit(FieldNames::PublicID, 20), QByteArray("777"));
}

} // namespace
