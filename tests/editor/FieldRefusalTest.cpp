#include "PanelTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <ostream>

namespace {

// A value typed into a box of a record's panel, the message that refuses it,
// and a value the same box then takes.
struct Refusal
{
    const char *node;
    const char *box;
    const char *typed; // UTF-8
    const char *message; // UTF-8
    const char *accepted;
};

void PrintTo(const Refusal &refusal, std::ostream *os)
{
    *os << refusal.box << " \"" << refusal.typed << '"';
}

const Refusal Refusals[] = {
    {"RRR", "txtSYSName", "Caf\u00e9 \u20ac", "Must be Latin-1 characters: \"\u20ac\" cannot be stored", "Caf\u00e9"},
    {"RRR", "txtSYSExtLength", "3a", "Must be a number", "4"},
    {"RRR", "txtSYSPublicIDLen", "260", "Must be a number from 0 to 255", "255"},
    {"RRR", "txtSYSFreqs5", "", "Must be a number", "445"},
    {"ACR4", "txtACLName", "\u20ac Desk", "Must be Latin-1 characters: \"\u20ac\" cannot be stored", "Front Desk"},
    {"ACR4", "txtACLPublicID", "12a4", "Must be at most 6 digits, each 0-9, * or #", "1234"},
    {"ACR4", "txtACLPassCode", "48-21", "Must be at most 6 digits, each 0-9, * or #", "*0#"},
    {"ACR4", "txtACLRingType", "high", "Must be a number", "3"},
    {"ACR4", "txtACLPriorityLevel", "256", "Must be a number from 0 to 255", "9"},
    {"VPR5", "txtVPName", "\u20ac Desk", "Must be Latin-1 characters: \"\u20ac\" cannot be stored", "Front Desk"},
    {"VPR20", "txtVPActionExtra0", "70000", "Must be a number from 0 to 65535", "65535"},
    {"VPR20", "txtVPActionExtra1", "abc", "Must be a number from 0 to 65535", "215"},
    {"VPR26", "txtVPActionExtra0", "12a", "Must be at most 4 digits, each 0-9, * or #", "*0#"},
    {"VPR26", "txtVPActionExtra1", "12345", "Must be at most 4 digits, each 0-9, * or #", "9"},
    {"GPR2", "txtGPName", "\u20ac Team", "Must be Latin-1 characters: \"\u20ac\" cannot be stored", "Accounts Team"},
    {"GPR2", "txtGroupTime0", "600.2", "Maximum time between group members = 600sec (10 mins)", "600"},
    {"GPR2", "txtGroupTime1", "soon", "Only a time in seconds to be entered here", "4"},
    {"TOR0", "txtToneLen0", "121", "Maximum 250ms time units = 120", "120"},
    {"TOR0", "txtToneLen1", "abc", "Only a time in 250ms units to be entered here", "7"},
};

class FieldRefusal : public PanelFixture, public ::testing::WithParamInterface<Refusal>
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        host.setViewTones(1);
        window->GetConfiguration();
    }
    // Key by key with each character as the key's text, so characters beyond Latin-1 type too.
    void typeOver(QLineEdit *box, const QString &text)
    {
        enter(box);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
        leave(box);
        // Some refusals wait until the focus has settled.
        QCoreApplication::processEvents();
    }
};

TEST_P(FieldRefusal, AValueTheFieldCannotHoldIsRefusedByItsRuleKeepsTheFocusAndWritesNothing)
{
    const Refusal &row = GetParam();
    open(QLatin1String(row.node));
    auto *box = control<QLineEdit>(QLatin1String(row.box));
    ASSERT_NE(box, nullptr);
    const quint64 before = config().revision();

    answerNextMessage();
    typeOver(box, QString::fromUtf8(row.typed));
    EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(row.message)});
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(config().revision(), before);

    typeOver(box, QString::fromUtf8(row.accepted));
    EXPECT_EQ(messageTexts().size(), 1);
    EXPECT_NE(QApplication::focusWidget(), box);
    EXPECT_NE(config().revision(), before);
}

INSTANTIATE_TEST_SUITE_P(PanelFields, FieldRefusal, ::testing::ValuesIn(Refusals),
                         [](const ::testing::TestParamInfo<Refusal> &info) {
                             return std::string(info.param.box) + '_' + std::to_string(info.index);
                         });

} // namespace
