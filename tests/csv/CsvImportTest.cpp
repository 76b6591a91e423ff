#include "csv/CsvImport.h"
#include "analysis/ConfigurationComparison.h"
#include "csv/CsvExport.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <functional>

namespace {
using Rows = QList<QStringList>;

ExchClass sample(DebugLog &log)
{
    ExchClass config(&log);
    SampleConfiguration::build(config);
    return config;
}

// An exchange that lays its tables out otherwise than the sample's: other
// orders and sizes, digit arrays, a read-only field, a field of no type, its
// own rights, and a record too short for its layout.
ExchClass otherLayout(DebugLog &log)
{
    ExchClass config(&log);
    const auto build = [&](int member, int records, std::initializer_list<TestField> fields) {
        config.member(member).BuildStructure(
            definitionPacket(ExchClass::info(member).definitionId, ExchClass::info(member).name, records, fields));
    };
    build(ExchClass::ClassListMember, 2,
          {{"Flag", FieldType::Boolean, 1, 0},
           {"ClassCodePosn", FieldType::Integer, 2, 0},
           {"Name", FieldType::String, 1, 8},
           {"Spare", FieldType::Integer, 2, 0}});
    build(ExchClass::ACLMember, 3,
          {{"PublicID", FieldType::Digit, 2, 2},
           {"Serial", FieldType::ReadOnlyInteger, 2, 0},
           {"Name", FieldType::String, 1, 10},
           {"Rights", FieldType::Boolean, 2, 0},
           {"Flag", FieldType::Boolean, 1, 0},
           {"ClassAccess", FieldType::Boolean, 1, 2},
           {"Reserved", FieldType::None, 2, 0},
           {"Spare", FieldType::Integer, 2, 0}});
    build(ExchClass::RightsMember, 0, {{"Outside", FieldType::Boolean, 0, 3}, {"Intercom", FieldType::Boolean, 0, 9}});
    build(ExchClass::ExtToVirtualMember, 3,
          {{"Flag", FieldType::Boolean, 1, 0},
           {"VirtualPortNo", FieldType::Integer, 2, 0},
           {"ExtNumberA", FieldType::Digit, 3, 0},
           {"Spare", FieldType::Integer, 2, 0}});
    RecordClass &classes = config.ClassList();
    classes.PutBlank(1);
    classes.PutBlank(0);
    classes.ClearAllBoolean(FieldNames::Flag, 0);
    classes.SetInteger(FieldNames::ClassCodePosn, 0, 12);
    classes.SetString(FieldNames::Name, 0, "Staff");
    RecordClass &acls = config.ACL();
    acls.PutBlank(1);
    acls.PutBlank(0);
    acls.ClearAllBoolean(FieldNames::Flag, 0);
    acls.ClearAllBoolean(FieldNames::Rights, 0);
    for (int k = 0; k < 2; ++k)
        acls.ClearAllBoolean(FieldNames::ClassAccess, 0, k);
    acls.SetDigit(FieldNames::PublicID, 0, "", 0);
    acls.SetDigit(FieldNames::PublicID, 0, "4711", 1);
    acls.SetString(FieldNames::Name, 0, "Caf\xE9");
    acls.SetBoolean(FieldNames::Rights, 0, 9, true);
    acls.SetBoolean(FieldNames::ClassAccess, 0, 12, true);
    acls.PutData(replyPacket(ExchClass::info(ExchClass::ACLMember).sendCode, 2, bytes("12 34")));
    acls.PutUsed(replyPacket(ExchClass::info(ExchClass::ACLMember).sendCode, 0, bytes("05")));
    RecordClass &numbers = config.ExtToVirtual();
    numbers.PutBlank(2);
    for (int i = 0; i < 2; ++i) {
        numbers.ClearAllBoolean(FieldNames::Flag, i);
        numbers.SetBoolean(FieldNames::Flag, i, 0, true);
        numbers.SetDigit(FieldNames::ExtNumberA, i, QByteArray::number(30 + i));
    }
    numbers.PutUsed(replyPacket(ExchClass::info(ExchClass::ExtToVirtualMember).sendCode, 0, bytes("03")));
    return config;
}

Rows exported(const ExchClass &config, int member)
{
    CsvReader reader;
    EXPECT_TRUE(reader.read(CsvExport::write(config, member, false)));
    Rows rows;
    for (const CsvReader::Row &row : reader.rows())
        rows.append(row.cells);
    return rows;
}

QByteArray written(const Rows &rows)
{
    CsvWriter writer;
    for (const QStringList &row : rows)
        writer.addRow(row);
    return writer.data();
}

void set(Rows &rows, int record, const char *column, const QString &value)
{
    const qsizetype at = rows.first().indexOf(QString::fromLatin1(column));
    ASSERT_GE(at, 0) << column;
    rows[record + 1][at] = value;
}

QStringList changes(const ExchClass &before, const ExchClass &after)
{
    QStringList lines;
    const ConfigurationComparison comparison(before, after);
    for (const ConfigurationChange &c : comparison.changes())
        lines.append(QStringLiteral("%1 %2 %3: %4 -> %5")
                         .arg(c.memberName())
                         .arg(c.record)
                         .arg(c.field, c.oldText(), c.newText()));
    return lines;
}
} // namespace

TEST(CsvExport, WritesCellsAsDumpShowsThemWithNamedBitsAndElementsJoinedBySemicolons)
{
    DebugLog log;
    const ExchClass config = sample(log);
    const QList<QByteArray> acl = CsvExport::write(config, ExchClass::ACLMember, true).split('\n');
    EXPECT_EQ(acl.size(), 15);
    EXPECT_EQ(acl.at(0),
              "record,used,Name,Flag,PublicID,PassCode,PriorityLevel,RingType,Rights,ClassAccess,SetAccess\r");
    EXPECT_EQ(acl.at(10), "9,yes,Lobby,0;2,1009,,1,3,Intercom;Operator,General,\r");
    EXPECT_EQ(CsvExport::write(config, ExchClass::SystemMember, false),
              "record,used,Name,ExtLength,PassCodeLen,PublicIDLen,Freqs,ConferenceGain,CallLogFlag\r\n"
              "0,yes,Kestrel Marine Offices,3,4,4,350;440;480;620;400;425;665;860,6,0;1;2;3\r\n");
    EXPECT_EQ(CsvExport::write(config, ExchClass::VirtualPortsMember, false).split('\n').at(25),
              "24,yes,Tie Line 1,0,1,4,0,0,5,5,5,682;0,,Tie Lines\r");
    EXPECT_EQ(CsvExport::write(otherLayout(log), ExchClass::ACLMember, false),
              "record,used,PublicID,Serial,Name,Rights,Flag,ClassAccess,Spare\r\n"
              "0,yes,;4711,65535,Caf\xC3\xA9,Intercom,,Staff,65535\r\n"
              "1,no,++++;++++,65535,\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF\xC3\xBF,"
              "0;1;2;Outside;4;5;6;7;8;Intercom;10;11;12;13;14;15,0;1;2;3;4;5;6;7,0;1;2;3;4;5;6;7;8;9;10;11;Staff;13;"
              "14;15,65535\r\n"
              "2,yes,,,,,,,\r\n");
}

TEST(CsvImport, AnUnchangedTableOfEveryStructureImportsToTheSameBytes)
{
    DebugLog log;
    for (ExchClass config : {sample(log), otherLayout(log)}) {
        const QByteArray before = ConfigFile::toBytes(config);
        for (int member = 0; member < ExchClass::MemberCount; ++member) {
            for (bool usedOnly : {false, true}) {
                CsvImport import(config, member);
                ASSERT_TRUE(import.plan(CsvExport::write(config, member, usedOnly)))
                    << import.problems().value(0).text().toStdString();
                EXPECT_TRUE(import.changedRecords().isEmpty()) << member;
                EXPECT_TRUE(import.apply());
                EXPECT_EQ(ConfigFile::toBytes(config), before) << member;
            }
        }
    }
}

TEST(CsvImport, ChangesOnlyTheCellsThatDifferAndTakesRecordsIntoUseOrFreesThemAsThePanelsDo)
{
    DebugLog log;
    ExchClass config = sample(log);
    const ExchClass original = config;
    Rows acl = exported(config, ExchClass::ACLMember);
    set(acl, 8, "PublicID", QStringLiteral("1208"));
    set(acl, 8, "PriorityLevel", QStringLiteral(" 001"));
    set(acl, 9, "ClassAccess", QStringLiteral("management; general;4;7"));
    set(acl, 9, "RingType", QStringLiteral("2"));
    set(acl, 9, "Rights", QStringLiteral("9;Intercom"));
    set(acl, 12, "used", QStringLiteral("Yes"));
    set(acl, 12, "Flag", QStringLiteral("0"));
    set(acl, 12, "Name", QStringLiteral("M\u00FCller, A"));
    set(acl, 13, "used", QStringLiteral("no"));
    acl.append(QStringList(acl.first().size(), QString()));

    CsvImport import(config, ExchClass::ACLMember);
    ASSERT_TRUE(import.plan(written(acl))) << import.problems().value(0).text().toStdString();
    EXPECT_EQ(import.changedRecords(), (QList<int>{8, 9, 12, 13}));
    EXPECT_EQ(
        changes(config, import.result()),
        (QStringList{
            QStringLiteral("ACL 8 PublicID: \"1008\" -> \"1208\""), QStringLiteral("ACL 9 RingType: 3 -> 2"),
            QStringLiteral(
                "ACL 9 ClassAccess: 01 00 00 00 00 00 00 00 (bits 0) -> 93 00 00 00 00 00 00 00 (bits 0, 1, 4, 7)"),
            QStringLiteral("ACL 12 : free -> used"),
            QStringLiteral(
                "ACL 12 Name: \"\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\" -> "
                "\"M\\xFCller, A\""),
            QStringLiteral("ACL 12 Flag: bits 0, 1, 2, 3, 4, 5, 6, 7 -> bits 0"),
            QStringLiteral("ACL 13 : used -> free")}));
    EXPECT_EQ(config, original);
    EXPECT_TRUE(import.apply());
    EXPECT_EQ(config, import.result());
    EXPECT_FALSE(import.apply());

    // A clash the file already has is not blamed on a row that leaves its number alone.
    config.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 3, "201");
    Rows numbers = exported(config, ExchClass::ExtToVirtualMember);
    set(numbers, 3, "VirtualPortNo", QStringLiteral("9"));
    CsvImport renumbered(config, ExchClass::ExtToVirtualMember);
    EXPECT_TRUE(renumbered.plan(written(numbers))) << renumbered.problems().value(0).text().toStdString();
}

TEST(CsvImport, RefusesEveryBadRowWithItsLineAndColumnAndChangesNothing)
{
    using Edit = std::function<void(Rows &)>;
    const auto cell = [](int record, const char *column, const char *value) {
        return Edit([=](Rows &rows) { set(rows, record, column, QString::fromUtf8(value)); });
    };
    const struct
    {
        int member;
        Edit edit;
        const char *expected;
    } cases[] = {
        {ExchClass::ACLMember, [](Rows &rows) { rows[0][2] = QStringLiteral("Nom"); },
         "line 1, column Nom: ACL has no field of this name"},
        {ExchClass::ACLMember, [](Rows &rows) { rows[0][3] = QStringLiteral("name"); },
         "line 1, column name: the column is also given as \"Name\""},
        {ExchClass::ACLMember, [](Rows &rows) { rows[2].removeLast(); }, "line 3: 10 cells where the header has 11"},
        {ExchClass::ACLMember,
         [](Rows &rows) {
             for (QStringList &row : rows)
                 row.append(QString());
             rows[4].last() = QStringLiteral("x");
         },
         "line 5: cell 12 is under a column without a name"},
        {ExchClass::ACLMember, cell(1, "record", "24"),
         "line 3, column record: must be a record number from 0 to 23, not \"24\""},
        {ExchClass::ACLMember, cell(2, "record", "1"), "line 4, column record: record 1 is also on line 3"},
        {ExchClass::ACLMember, cell(1, "used", "maybe"), "line 3, column used: must be yes or no, not \"maybe\""},
        {ExchClass::ACLMember, cell(1, "Name", "Sixteen chars!!!"),
         "line 3, column Name: must be at most 15 characters, not 16"},
        {ExchClass::ACLMember, cell(1, "Name", "Z\u00F6e \u20AC"),
         "line 3, column Name: must be Latin-1 characters: \"\u20AC\" cannot be stored"},
        {ExchClass::ACLMember, [](Rows &rows) { set(rows, 1, "Name", QStringLiteral("Zo\u0000e \u20AC")); },
         "line 3, column Name: must not hold a NUL character, which would end the text"},
        {ExchClass::ACLMember, cell(1, "PublicID", "12a"),
         "line 3, column PublicID: must be at most 6 dial digits (0-9, * and #), not \"12a\""},
        {ExchClass::ACLMember, cell(1, "PriorityLevel", "256"),
         "line 3, column PriorityLevel: must be a whole number from 0 to 255, not \"256\""},
        {ExchClass::ACLMember, cell(1, "Rights", "Teleport"),
         "line 3, column Rights: \"Teleport\" is neither a bit number nor the name of one"},
        {ExchClass::ACLMember, cell(1, "ClassAccess", "64"),
         "line 3, column ClassAccess: \"64\" is not one of the field's bits 0 to 63"},
        {ExchClass::ACLMember, cell(1, "Flag", "0;7"),
         "line 3, column Flag: bit 7 marks a free record, but the record stays in use: set used to no instead"},
        {ExchClass::ACLMember, cell(12, "Flag", "0"),
         "line 14, column Flag: without bit 7 the record is in use, but it stays free: set used to yes instead"},
        {ExchClass::GroupsMember, cell(1, "TimeToNext", "1;2;3"),
         "line 3, column TimeToNext: must be 16 numbers separated by ';', not 3"},
        {ExchClass::PortToVirtualMember, cell(1, "used", "no"),
         "line 3, column used: every record of PortToVirtual is in use: it keeps no map of records in use"},
        {ExchClass::ExtToVirtualMember, cell(2, "ExtNumberA", "200"),
         "line 4, column ExtNumberA: 200 is also the number of record 1"},
        {ExchClass::ExtToVirtualMember, cell(3, "ExtNumberA", "2011"),
         "line 5, column ExtNumberA: 2011 can never be dialled: record 2's number 201 begins it"},
        {ExchClass::ExtToVirtualMember, cell(3, "ExtNumberA", "20"),
         "line 5, column ExtNumberA: 20 begins record 1's number 200, which could then never be dialled"},
        {ExchClass::ExtToVirtualMember, [](Rows &rows) { rows[0].removeAt(0); },
         "line 1: the header has no record column"},
    };
    DebugLog log;
    ExchClass config = sample(log);
    const quint64 revision = config.revision();
    for (const auto &c : cases) {
        Rows rows = exported(config, c.member);
        c.edit(rows);
        CsvImport import(config, c.member);
        EXPECT_FALSE(import.plan(written(rows))) << c.expected;
        ASSERT_EQ(import.problems().size(), 1) << c.expected << ": " << import.problems().value(1).text().toStdString();
        EXPECT_EQ(import.problems().first().text(), QString::fromUtf8(c.expected));
        EXPECT_FALSE(import.apply());
    }
    EXPECT_EQ(config.revision(), revision);

    ExchClass other = otherLayout(log);
    Rows rows = exported(other, ExchClass::ACLMember);
    set(rows, 0, "Serial", QStringLiteral("7"));
    set(rows, 2, "Name", QStringLiteral("Short"));
    CsvImport import(other, ExchClass::ACLMember);
    EXPECT_FALSE(import.plan(written(rows)));
    EXPECT_EQ(import.problems().value(0).text(), QStringLiteral("line 2, column Serial: the field is read-only"));
    EXPECT_TRUE(import.problems().value(1).text().startsWith(
        QStringLiteral("line 4, column Name: the record cannot hold the field: ")));
    for (const auto &[file, expected] :
         {std::pair{QByteArray("record,used\r\n\"0,yes\r\n"), "line 2: a quoted cell is not closed"},
          std::pair{QByteArray(), "line 1: the file is empty: it needs a header row"}}) {
        EXPECT_FALSE(import.plan(file));
        EXPECT_EQ(import.problems().value(0).text(), QString::fromUtf8(expected));
    }
}
