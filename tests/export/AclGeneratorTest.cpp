#include "export/AclGenerator.h"

#include "export/RandomSource.h"
#include "export/ReportTestSupport.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QSet>

namespace {
using namespace FieldNames;

constexpr int ModelAcl = 4; // "Reception"

const QString Heading = QStringLiteral("\r\nCopy this text (using the clipboard) to get a copy of the generated ACLs"
                                       "\r\nName,PublicID,PassCode");

class AclGeneration : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    RecordClass &acl() { return config.ACL(); }

    ExchClass config;
    WriteRecorder line;
};

TEST_F(AclGeneration, CopiesTheModelNamesEachRecordListsItsRunningPinAndPassCodeAndWritesItAsItIsMade)
{
    ScriptedRandom random({0, 7999, 1234});
    AclGenerator generator(config, ModelAcl, line, random);
    ASSERT_TRUE(generator.Generate({5, 7, 2000, 10}));

    EXPECT_EQ(generator.listing(),
              Heading + QStringLiteral("\r\nACLID 5,2000,1000\r\nACLID 6,2010,8999\r\nACLID 7,2020,2234"));
    EXPECT_EQ(random.bounds, QList<quint32>({8000, 8000, 8000}));
    ASSERT_EQ(line.sent.size(), 3);
    const char *const made[] = {"ACL ID 5|2000|1000", "ACL ID 6|2010|8999", "ACL ID 7|2020|2234"};
    ExchClass restored = config;
    for (int a = 5; a <= 7; ++a) {
        EXPECT_EQ(fieldsOf(acl(), a, "Name PublicID PassCode"), QLatin1String(made[a - 5]));
        // Everything else is the model's.
        restored.ACL().SetString(Name, a, "Reception");
        restored.ACL().SetDigit(PublicID, a, acl().GetDigit(PublicID, ModelAcl));
        restored.ACL().SetDigit(PassCode, a, acl().GetDigit(PassCode, ModelAcl));
        EXPECT_EQ(restored.ACL().record(a), acl().record(ModelAcl)) << a;
        EXPECT_EQ(line.sent[a - 5].code, 18);
        EXPECT_EQ(line.sent[a - 5].payload, acl().SendData(a));
    }
    EXPECT_EQ(line.sent[0].payload.left(2), bytes("05 00"));
}

TEST_F(AclGeneration, AnEmptyIncrementKeepsThePinAndStartAboveEndAddsOnlyTheHeading)
{
    ScriptedRandom random({5, 6, 7});
    AclGenerator generator(config, ModelAcl, line, random);
    ASSERT_TRUE(generator.Generate({14, 16, 4321, AclGenerator::leadingNumber(QString())}));
    for (int a = 14; a <= 16; ++a)
        EXPECT_EQ(acl().GetDigit(PublicID, a), QByteArray("4321"));

    EXPECT_TRUE(acl().GetRecordUsed(15));

    const QByteArray untouched = acl().record(20);
    ASSERT_TRUE(generator.Generate({20, 19, 1, 1}));
    EXPECT_EQ(acl().record(20), untouched);
    EXPECT_EQ(line.sent.size(), 3);
    // Two runs, two headed blocks; the second has no lines.
    EXPECT_EQ(generator.listing().count(QStringLiteral("Name,PublicID,PassCode")), 2);
    EXPECT_TRUE(generator.listing().endsWith(Heading));
}

TEST_F(AclGeneration, PassCodesFromTheSystemSourceLieWithinRangeAndDifferBetweenRuns)
{
    AclGenerator generator(config, ModelAcl, line, RandomSource::system());
    ASSERT_TRUE(generator.Generate({1, 23, 5000, 1}));
    const auto passCodes = [this] {
        QList<int> codes;
        for (int a = 1; a <= 23; ++a)
            codes.append(acl().GetDigit(PassCode, a).toInt());
        return codes;
    };
    const QList<int> firstCodes = passCodes();
    ASSERT_TRUE(generator.Generate({1, 23, 5000, 1}));
    const QList<int> secondCodes = passCodes();
    for (int code : firstCodes + secondCodes) {
        EXPECT_GE(code, 1000);
        EXPECT_LE(code, 8999);
    }
    // 23 draws from 8000 values repeating exactly: about one chance in 10^89.
    EXPECT_NE(firstCodes, secondCodes);
}

TEST_F(AclGeneration, RefusesWholeRangesTheTableOrItsFieldsCannotHoldAndChangesNothing)
{
    const std::pair<AclGenerator::Request, const char *> refused[] = {
        {{20, 24, 1000, 1}, "ACL IDs 0 to 23"}, // record 24 is past the table
        {{-1, 2, 1000, 1}, "ACL IDs 0 to 23"},
        {{1, 3, 999990, 10}, "at most 6 digits"}, // 1000010 needs seven digits
        {{1, 3, 5, -10}, "cannot be negative"},
        // ACLs 4, 6 and 8 hold 1004, 1006 and 1008: outside the range, they keep them.
        {{14, 16, 1004, 2},
         "Other ACLs already hold these PINs: 1004 (ACL 4 (Reception)), 1006 (ACL 6 (Staff)), "
         "1008 (ACL 8 (Guest)). Nothing was generated."},
    };
    for (const auto &[request, reason] : refused) {
        ScriptedRandom random({});
        AclGenerator generator(config, ModelAcl, line, random);
        const ExchClass before = config;
        EXPECT_FALSE(generator.Generate(request));
        EXPECT_TRUE(generator.errorString().contains(QLatin1String(reason))) << generator.errorString().toStdString();
        EXPECT_TRUE(generator.listing().isEmpty());
        EXPECT_TRUE(config == before);
    }
    EXPECT_TRUE(line.sent.isEmpty());

    // The model must be a record in use: ACL 12 is a free slot, 99 is past the table.
    for (int model : {12, 99}) {
        ScriptedRandom random({});
        AclGenerator generator(config, model, line, random);
        EXPECT_FALSE(generator.Generate({1, 1, 1, 1}));
        EXPECT_TRUE(generator.errorString().contains(QLatin1String("is not in use")));
    }
    EXPECT_TRUE(line.sent.isEmpty());
}

TEST_F(AclGeneration, ListsTheAclsInUseItsRangeWouldOverwriteAndAllowsPinsHeldWithinIt)
{
    ScriptedRandom random({1, 2, 3});
    AclGenerator generator(config, ModelAcl, line, random);
    EXPECT_EQ(generator.aclsInUse({11, 15, 5000, 1}), (QList<int>{11, 13}));
    EXPECT_TRUE(generator.aclsInUse({14, 23, 5000, 1}).isEmpty());

    // 1005 to 1007 belong to ACLs 5 to 7, which the run replaces.
    EXPECT_TRUE(generator.Generate({5, 7, 1005, 1})) << generator.errorString().toStdString();
}

TEST_F(AclGeneration, AFourDigitPinFitsATwoByteDigitField)
{
    // Handed over with a leading blank, "2000" would be five characters and
    // too many for two bytes; without it the record gets the PIN it lists.
    const int pin = acl().fieldIndex(PublicID);
    acl().setField(pin, PublicID, 0, 2, acl().field(pin).StartPosn, FieldType::Digit);
    ScriptedRandom random({2345});
    AclGenerator generator(config, ModelAcl, line, random);
    ASSERT_TRUE(generator.Generate({2, 2, 2000, 1})) << generator.errorString().toStdString();
    EXPECT_EQ(fieldsOf(acl(), 2, "PublicID PassCode"), QStringLiteral("2000|3345"));
}

TEST(AclGenerator, ReadsTheLeadingNumberOfABoxAndZeroForAnythingElse)
{
    const std::pair<const char *, int> cases[] = {{"19abc", 19}, {"  -5", -5}, {"+7 ", 7},
                                                  {"", 0},       {"abc", 0},   {"3.9", 3}};
    for (const auto &[text, number] : cases)
        EXPECT_EQ(AclGenerator::leadingNumber(QLatin1String(text)), number) << text;
}

} // namespace
