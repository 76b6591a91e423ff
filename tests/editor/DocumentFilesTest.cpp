#include "ConfigFile.h"
#include "DocumentFixture.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordWriteQueue.h"

#include <QFile>

namespace {

const QString UntitledCaption = QStringLiteral("Document 1");

class DocumentFiles : public DocumentFixture
{
protected:
    // Each document here starts with an edit not yet saved.
    void SetUp() override
    {
        DocumentFixture::SetUp();
        config().Groups().SetString(FieldNames::Name, 1, QByteArrayLiteral("Night Service"));
    }
    // Closes as the MDI area does; true when the window went.
    bool closeWindow() { return window->close(); }
};

TEST_F(DocumentFiles, OnlyAModifiedDocumentAsksToBeSavedWithSaveTheDefault)
{
    window->markUnmodified();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Document 1[*]"));
    config().VirtualPorts().SetString(FieldNames::Name, 5, QByteArrayLiteral("Quay Office"));
    window->refreshModified();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->caption(), UntitledCaption);

    host.messageService.setNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(closeWindow());
    EXPECT_TRUE(window->isVisible());
    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to save the changes you made to Document 1?"));
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(shown[0].defaultButton, QMessageBox::Yes);
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());

    const QString path = host.path(QStringLiteral("site.QBF"));
    ASSERT_TRUE(window->SaveFile(path));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(host.messageService.shownMessages().size(), 1) << "nothing to ask about";
}

TEST_F(DocumentFiles, WritesTheExchangeHasNotConfirmedHoldTheWindowUntilTheEngineerClosesAnyway)
{
    window->markUnmodified();
    RecordWriteQueue &queue = host.queue;
    queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);

    host.messageService.setNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(closeWindow());
    QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("2 changes to this document are still waiting for the exchange."));
    EXPECT_EQ(shown[0].buttons, QMessageBox::Cancel | QMessageBox::Discard);
    EXPECT_EQ(shown[0].defaultButton, QMessageBox::Cancel);
    const MessageService::ButtonTexts texts{{QMessageBox::Cancel, QStringLiteral("Wait")},
                                            {QMessageBox::Discard, QStringLiteral("Close Anyway")}};
    EXPECT_EQ(shown[0].buttonTexts, texts);

    // No echo comes: the first write fails, and the one behind it with it.
    host.simulatedTimers.advance(10000);
    ASSERT_EQ(queue.count(RecordWriteQueue::State::Failed, &config()), 2);
    host.messageService.setNextAnswer(QMessageBox::Retry);
    EXPECT_FALSE(closeWindow());
    shown = host.messageService.shownMessages();
    EXPECT_EQ(shown.last().text, QStringLiteral("2 changes to this document were not confirmed by the exchange."));
    EXPECT_EQ(shown.last().buttons, QMessageBox::Cancel | QMessageBox::Retry | QMessageBox::Discard);
    EXPECT_EQ(queue.count(RecordWriteQueue::State::Waiting, &config()), 2) << "sent again";

    host.messageService.setNextAnswer(QMessageBox::Discard);
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(host.messageService.shownMessages().size(), 3);
    EXPECT_EQ(queue.count(RecordWriteQueue::State::Waiting), 0) << "the document's writes are dropped";
}

TEST_F(DocumentFiles, NoClosesWithoutSaving)
{
    host.messageService.setNextAnswer(QMessageBox::No);
    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

TEST_F(DocumentFiles, YesOnANamedWindowSavesUnderItsCaption)
{
    const QString path = host.path(QStringLiteral("site.QBF"));
    window->setCaption(path);
    host.messageService.setNextAnswer(QMessageBox::Yes);
    EXPECT_TRUE(closeWindow());
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());

    ExchClass reloaded;
    ConfigFile file;
    ASSERT_TRUE(file.load(reloaded, path)) << file.errorString().toStdString();
    EXPECT_TRUE(reloaded == config());
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

TEST_F(DocumentFiles, YesOnAnUntitledWindowAsksForANameAndRemembersIt)
{
    const QString path = host.path(QStringLiteral("new.QBF"));
    host.messageService.setNextAnswer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(path);
    EXPECT_TRUE(closeWindow());

    const QList<FileDialogService::Request> requests = host.fileDialogService.requests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].kind, FileDialogService::Kind::Save);
    EXPECT_EQ(requests[0].title, QStringLiteral("Save"));
    EXPECT_EQ(requests[0].filter, QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*"));
    EXPECT_EQ(window->caption(), path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(host.recentFiles, QStringList{path});
}

TEST_F(DocumentFiles, CancelledSaveDialogKeepsTheWindowOpen)
{
    host.messageService.setNextAnswer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(QString());
    EXPECT_FALSE(closeWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->caption(), UntitledCaption);
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

TEST_F(DocumentFiles, FailedSaveOnCloseKeepsTheWindowOpenAndSaysWhy)
{
    window->setCaption(host.path(QStringLiteral("missing/site.QBF")));
    host.messageService.setNextAnswer(QMessageBox::Yes);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(closeWindow());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(host.messageService.shownMessages().size(), 2);
    EXPECT_TRUE(host.messageTexts().last().startsWith(QStringLiteral("Cannot save")));
}

TEST_F(DocumentFiles, LoadOfAFileWithABadMagicIsRefusedAndLeavesTheConfiguration)
{
    QByteArray image = ConfigFile::toBytes(config());
    image[2] = 'Q';
    const QString path = host.path(QStringLiteral("bad.QBF"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(image);
    out.close();

    const int target = host.table.NewSlot();
    window->setExNum(target);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(window->LoadFile(path));
    EXPECT_EQ(host.messageTexts(), strings({"Invalid file type - cannot load!"}));
    EXPECT_TRUE(host.configuration(target) == ExchClass());
}

TEST_F(DocumentFiles, SavedFileLoadsBackIntoAnotherDocument)
{
    const QString path = host.path(QStringLiteral("round.QBF"));
    ASSERT_TRUE(window->SaveFile(path));

    DocumentWindow other(host);
    other.setExNum(host.table.NewSlot());
    EXPECT_TRUE(other.LoadFile(path));
    EXPECT_TRUE(host.configuration(other.ExNum()) == config());
    EXPECT_TRUE(host.messageTexts().isEmpty());
}

} // namespace
