#include "export/FakeDriveProvider.h"
#include "support/TestSupport.h"
#include "support/TreeSearch.h"
#include "support/gui/MainWindowFixture.h"

#include <QTreeWidget>

namespace {
class MainWindowConvertTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto drives = std::make_unique<FakeDriveProvider>();
        m_drives = drives.get();
        m_window->setDriveProvider(std::move(drives));
        m_window->load();
        EXPECT_FALSE(action("mnuFileConvert")->isEnabled());
        openThroughDialog(sampleCopy(QStringLiteral("site.QBF")));
    }

    QList<MessageService::Message> convertTo(const QString &path)
    {
        m_fileDialogs.setNextFileName(path);
        action("mnuFileConvert")->trigger();
        return m_messages.shownMessages();
    }

    QString target() const { return m_dir.filePath(QStringLiteral("site.VRS")); }
    QStringList converted() const { return QDir(m_dir.path()).entryList({QStringLiteral("*.VRS")}); }

    FakeDriveProvider *m_drives = nullptr;
};
} // namespace

TEST_F(MainWindowConvertTest, TheActiveDocumentIsConvertedToTheChosenFileAndCopiedToTheCard)
{
    EXPECT_TRUE(action("mnuFileConvert")->isEnabled());
    const DriveVolume card =
        m_drives->addVolume(QStringLiteral("card"), DriveVolume::Kind::Removable, QStringLiteral("ORVX"));
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_messages.setNextAnswer(QMessageBox::Ok);
    const QList<MessageService::Message> shown = convertTo(target());

    const FileDialogService::Request request = m_fileDialogs.requests().constLast();
    EXPECT_EQ(request.kind, FileDialogService::Kind::Save);
    EXPECT_EQ(request.title, QStringLiteral("Save As"));
    const QByteArray written = fileContent(target());
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\"?>\r\n"));
    EXPECT_EQ(fileContent(card.mountPoint + QStringLiteral("/DB/CONFIG.VRS")), written);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(shown[1].title, QStringLiteral("Quillbridge"));
}

TEST_F(MainWindowConvertTest, CancellingTheDialogWritesNothingAndARefusalIsShownWithThePort)
{
    EXPECT_TRUE(convertTo(QString()).isEmpty());
    EXPECT_EQ(converted(), QStringList());

    m_window->configuration(m_window->activeDocument()->ExNum()).VirtualPorts().SetInteger("ActionType", 1, 3);
    m_messages.setNextAnswer(QMessageBox::Ok);
    const QList<MessageService::Message> shown = convertTo(target());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("Virtual port 1 \"Reception 2\" has the action \"Warm Line\"")));
    EXPECT_EQ(converted(), QStringList());
}

TEST_F(MainWindowConvertTest, CleanedNamesStayInTheDocumentAndItsTreeShowsThem)
{
    DocumentWindow *document = m_window->activeDocument();
    ExchClass &config = m_window->configuration(document->ExNum());
    config.VirtualPorts().SetString("Name", 0, "A&B <1>, 2");
    document->GetConfiguration();
    m_messages.setNextAnswer(QMessageBox::Ok);
    const QList<MessageService::Message> shown = convertTo(target());
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(config.VirtualPorts().GetString("Name", 0), QByteArray("A-B (1) 2"));
    openBranches(document->tree());
    const auto flags = Qt::MatchContains | Qt::MatchRecursive;
    EXPECT_EQ(document->tree()->findItems(QStringLiteral("A-B (1) 2"), flags).size(), 1);
    EXPECT_TRUE(document->tree()->findItems(QStringLiteral("A&B"), flags).isEmpty());
}
