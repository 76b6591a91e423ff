#include "FileDialogService.h"
#include "TestSupport.h"

namespace {
const QString QbfFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");
}

TEST(FileDialogServiceTest, ConvertsTheProgramsFilterToQtSyntax)
{
    EXPECT_EQ(FileDialogService::toQtFilter(QbfFilter), QStringLiteral("Quillbridge Files (*.QBF);;All Files (*.*)"));
    // Qt filters by the parenthesised patterns, so a description without them gets them.
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Logs|*.log;*.old")), QStringLiteral("Logs (*.log *.old)"));
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Odd (*.a)|*.b")), QStringLiteral("Odd (*.a) (*.b)"));
}

TEST(FileDialogServiceTest, ReturnsQueuedNamesAndRecordsEachRequest)
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
