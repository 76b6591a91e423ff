#include "export/widgets/AclGeneratorWindow.h"

#include "export/ReportTestSupport.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/gui/GuiTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The generator on ACL 5 of the sample, drawing pass codes 1100, 1200, ... in turn.
class AclGeneratorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(config);
        window = std::make_unique<AclGeneratorWindow>(config, 5, line, messages, random);
        window->show();
    }

    void generate(const char *start, const char *end, const char *pin, const char *increment)
    {
        const std::pair<const char *, const char *> boxes[] = {
            {"txtStartACL", start}, {"txtEndACL", end}, {"txtStartPin", pin}, {"txtPinInc", increment}};
        for (const auto &[name, text] : boxes) {
            child<QLineEdit>(window.get(), name)->clear();
            QTest::keyClicks(child<QLineEdit>(window.get(), name), QLatin1String(text));
        }
        click("cmdSave");
    }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(window.get(), button), Qt::LeftButton); }
    QString shown() const { return child<QPlainTextEdit>(window.get(), "txtGenerated")->toPlainText(); }

    ExchClass config;
    WriteRecorder line;
    MessageService messages;
    ScriptedRandom random{{100, 200, 300, 400, 500}};
    std::unique_ptr<AclGeneratorWindow> window;
};

TEST_F(AclGeneratorWindowTest, GenerateAppendsABlockPerRunAndCopyPutsTheListingOnTheClipboardWithCrLf)
{
    EXPECT_FALSE(child<QPushButton>(window.get(), "cmdCopy")->isEnabled());

    generate("14", "16", "3000", "5");
    EXPECT_TRUE(shown().endsWith(QStringLiteral("ACLID 14,3000,1100\nACLID 15,3005,1200\nACLID 16,3010,1300")));

    click("cmdCopy");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("1200\r\nACLID 16,3010,1300")));
    click("cmdCancel");
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(fieldsOf(config.ACL(), 16, "Name PublicID"), QStringLiteral("ACL ID 16|3010")) << "kept after Cancel";
}

TEST_F(AclGeneratorWindowTest, ARefusedRangeIsSaidAndARangeOfAclsInUseIsGeneratedOnlyOnceTheEngineerAgrees)
{
    messages.setNextAnswer(QMessageBox::Ok);
    generate("22", "30", "1", "1");
    EXPECT_EQ(messages.shownMessages().value(0).title, QStringLiteral("Copy ACLs"));
    EXPECT_TRUE(shown().isEmpty());

    messages.setNextAnswer(QMessageBox::No);
    generate("4", "7", "3000", "1");
    EXPECT_EQ(messages.shownMessages().value(1).text,
              QStringLiteral("ACL ID 4 to 7 include ACLs in use, which the generated ACLs replace:\n"
                             "ACL 4 (Reception)\nACL 5 (Manager)\nACL 6 (Staff)\nACL 7 (Warehouse)\n\nReplace them?"));
    EXPECT_EQ(messages.shownMessages().value(1).defaultButton, QMessageBox::No);
    EXPECT_TRUE(line.sent.isEmpty());
    EXPECT_EQ(fieldsOf(config.ACL(), 5, "Name"), QStringLiteral("Manager"));

    messages.setNextAnswer(QMessageBox::Yes);
    click("cmdSave");
    EXPECT_EQ(line.sent.size(), 4);
    EXPECT_EQ(fieldsOf(config.ACL(), 5, "Name"), QStringLiteral("ACL ID 5"));
}

} // namespace
