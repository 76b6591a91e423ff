#include "cli/CommandLineTool.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

Outcome cli(const QStringList &arguments)
{
    return runInProcess<CommandLineTool>(arguments);
}
} // namespace

TEST(CsvCommands, ExportEditAndImportReplaceTheFileKeepingItsOldVersionWhileADryRunWritesNothing)
{
    QTemporaryDir dir;
    const DataHome home(dir.filePath(QStringLiteral("data")));
    const QByteArray original = fileContent(samplePath());
    const QString site = dir.filePath(QStringLiteral("site.QBF"));
    const QString table = dir.filePath(QStringLiteral("acl.csv"));
    const QString edited = dir.filePath(QStringLiteral("edited.csv"));
    ASSERT_TRUE(writeFile(site, original));

    const Outcome exported = cli({QStringLiteral("export-csv"), site, QStringLiteral("--structure"),
                                  QStringLiteral("acl"), QStringLiteral("--out"), table});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, table + QStringLiteral(": ACL written from ") + site + QLatin1Char('\n'));
    const QByteArray csv = fileContent(table);
    const QStringList import = {QStringLiteral("import-csv"),  site,
                                QStringLiteral("--structure"), QStringLiteral("ACL"),
                                QStringLiteral("--in"),        edited};

    ASSERT_TRUE(
        writeFile(edited, QByteArray(csv).replace("\r\n9,yes,Lobby,", "\r\n9,yes,Front Lobby of the West Wing,")));
    const Outcome refused = cli(import);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.out, QString());
    EXPECT_EQ(refused.err,
              QStringLiteral("line 11, column Name: must be at most 15 characters, not 28\n") + edited
                  + QStringLiteral(": 1 problem; nothing was changed\n"));

    ASSERT_TRUE(
        writeFile(edited, QByteArray(csv).replace("\r\n9,yes,Lobby,0;2,1009,", "\r\n9,yes,Front Lobby,0;2,1009,")));
    const Outcome dryRun = cli(import + QStringList{QStringLiteral("--dry-run")});
    EXPECT_EQ(dryRun.code, 0) << dryRun.err.toStdString();
    EXPECT_EQ(dryRun.out,
              QStringLiteral("ACL record 9 (Lobby): Name \"Lobby\" -> \"Front Lobby\"\n") + site
                  + QStringLiteral(" after the import: no problems\n"
                                   "Dry run: 1 record of ACL would change; nothing was written\n"));
    EXPECT_EQ(fileContent(site), original);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("data"))).exists());

    const Outcome imported = cli(import);
    EXPECT_EQ(imported.code, 0) << imported.err.toStdString();
    const QString kept = imported.out.section(QStringLiteral(" kept as "), 1).trimmed();
    EXPECT_TRUE(imported.out.endsWith(site + QStringLiteral(": 1 record of ACL changed; the old version is kept as ")
                                      + kept + QLatin1Char('\n')))
        << imported.out.toStdString();
    EXPECT_TRUE(kept.contains(QStringLiteral("/Kestrel_Marine_Offices/"))
                && kept.endsWith(QStringLiteral("-import.QBF")))
        << kept.toStdString();
    EXPECT_EQ(fileContent(kept), original);

    // The same table again changes nothing, and leaves the file and the history alone.
    const Outcome again = cli(import);
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(again.out.endsWith(site + QStringLiteral(": no record of ACL changes; the file was left as it was\n")));
    EXPECT_EQ(cli({QStringLiteral("history")}).out.count(QLatin1Char('\n')), 1);

    // Where the old version cannot be kept, nothing is written.
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("data"))).removeRecursively());
    ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("data")), "not a folder"));
    ASSERT_TRUE(
        writeFile(edited, QByteArray(csv).replace("\r\n9,yes,Lobby,0;2,1009,", "\r\n9,yes,Back Lobby,0;2,1009,")));
    const QByteArray before = fileContent(site);
    const Outcome unkept = cli(import);
    EXPECT_EQ(unkept.code, 1);
    EXPECT_EQ(unkept.err,
              QStringLiteral("Cannot keep the old version of %1 in the history: Cannot create the folder "
                             "\"%2/Quillbridge/history/Kestrel_Marine_Offices\"; nothing was written (--out writes "
                             "the result to another file)\n")
                  .arg(site, dir.filePath(QStringLiteral("data"))));
    EXPECT_EQ(fileContent(site), before);

    const QString gone = dir.filePath(QStringLiteral("gone/acl.csv"));
    const Outcome unwritten = cli({QStringLiteral("export-csv"), site, QStringLiteral("--structure"),
                                   QStringLiteral("acl"), QStringLiteral("--out"), gone});
    EXPECT_EQ(unwritten.code, 1);
    EXPECT_EQ(unwritten.err, QStringLiteral("Cannot write \"%1\": No such file or directory\n").arg(gone));
}
