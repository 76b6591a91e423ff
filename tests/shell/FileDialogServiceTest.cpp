#include "shell/FileDialogService.h"
#include "support/gui/GuiTestSupport.h"

#include <QDir>

namespace {
const QString QbfFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");
}

TEST(FileDialogService, ConvertsTheProgramsFilterToQtSyntax)
{
    EXPECT_EQ(FileDialogService::toQtFilter(QbfFilter), QStringLiteral("Quillbridge Files (*.QBF);;All Files (*.*)"));
    // Qt filters by the parenthesised patterns, so a description without them gets them.
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Logs|*.log;*.old")), QStringLiteral("Logs (*.log *.old)"));
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Odd (*.a)|*.b")), QStringLiteral("Odd (*.a) (*.b)"));
}

TEST(FileDialogService, ReturnsQueuedNamesAndRecordsEachRequest)
{
    FileDialogService dialogs;
    dialogs.setNextFileName(QStringLiteral("/tmp/site.QBF"));
    dialogs.setNextFileName(QString());

    EXPECT_EQ(dialogs.getOpenFileName(nullptr, QStringLiteral("Open"), QbfFilter), QStringLiteral("/tmp/site.QBF"));
    EXPECT_TRUE(dialogs.getSaveFileName(nullptr, QStringLiteral("Save As"), QbfFilter).isEmpty());

    const QList<FileDialogService::Request> requests = dialogs.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].kind, FileDialogService::Kind::Open);
    EXPECT_EQ(requests[0].title, QStringLiteral("Open"));
    EXPECT_EQ(requests[0].filter, QbfFilter);
    EXPECT_EQ(requests[1].kind, FileDialogService::Kind::Save);
    EXPECT_EQ(requests[1].title, QStringLiteral("Save As"));
}

TEST(FileDialogService, NamesComeBackAsFullPathsAndSavedOnesGetTheFiltersExtensionWhenTheyHaveNone)
{
    const QString vrsFilter = QStringLiteral("K7101/K7202 Files (*.VRS)|*.VRS|All Files (*.*)|*.*");
    const QString folder = QDir::currentPath() + QLatin1Char('/');
    const struct
    {
        FileDialogService::Kind kind;
        QString filter;
        QString typed;
        QString chosen;
    } cases[] = {
        {FileDialogService::Kind::Save, QbfFilter, QStringLiteral("/tmp/site1"), QStringLiteral("/tmp/site1.QBF")},
        {FileDialogService::Kind::Save, QbfFilter, QStringLiteral("site1"), folder + QStringLiteral("site1.QBF")},
        {FileDialogService::Kind::Save, QbfFilter, QStringLiteral("/tmp/site.qbf"), QStringLiteral("/tmp/site.qbf")},
        {FileDialogService::Kind::Save, QbfFilter, QStringLiteral("/tmp/v1.2/a"), QStringLiteral("/tmp/v1.2/a.QBF")},
        {FileDialogService::Kind::Save, vrsFilter, QStringLiteral("/tmp/site1"), QStringLiteral("/tmp/site1.VRS")},
        {FileDialogService::Kind::Save, QStringLiteral("All Files (*.*)|*.*"), QStringLiteral("/tmp/notes"),
         QStringLiteral("/tmp/notes")},
        {FileDialogService::Kind::Open, QbfFilter, QStringLiteral("site1"), folder + QStringLiteral("site1")},
    };
    for (const auto &c : cases) {
        FileDialogService dialogs;
        dialogs.setNextFileName(c.typed);
        const QString chosen = c.kind == FileDialogService::Kind::Save
            ? dialogs.getSaveFileName(nullptr, QStringLiteral("Save"), c.filter)
            : dialogs.getOpenFileName(nullptr, QStringLiteral("Open"), c.filter);
        EXPECT_EQ(chosen, c.chosen) << c.typed.toStdString();
    }
}
