#include "FakeDriveProvider.h"
#include "MainWindowFixture.h"
#include "TreeSearch.h"

#include <QTreeWidget>

namespace {
const QString ConvertFilter = QStringLiteral("K7101/K7202 Files (*.VRS)|*.VRS|All Files (*.*)|*.*");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    }

    void convertTo(const QString &path)
    {
        m_fileDialogs.setNextFileName(path);
        action("mnuFileConvert")->trigger();
    }

    FakeDriveProvider *m_drives = nullptr;
};
} // namespace

TEST_F(MainWindowConvertTest, ConvertIsOfferedOnlyWithADocumentOpen)
{
    EXPECT_FALSE(action("mnuFileConvert")->isEnabled());
    openThroughDialog(sampleCopy(QStringLiteral("site.QBF")));
    EXPECT_TRUE(action("mnuFileConvert")->isEnabled());
    EXPECT_EQ(action("mnuFileConvert")->text(), QStringLiteral("Convert to K7202 configuration..."));
}

TEST_F(MainWindowConvertTest, TheActiveDocumentIsConvertedToTheChosenFileAndCopiedToTheCard)
{
    openThroughDialog(sampleCopy(QStringLiteral("site.QBF")));
    const DriveVolume card = m_drives->addVolume(QStringLiteral("card"), DriveVolume::Kind::Removable, QStringLiteral("ORVX"));
    const QString path = m_dir.filePath(QStringLiteral("site.VRS"));
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_messages.setNextAnswer(QMessageBox::Ok);
    convertTo(path);

    const FileDialogService::Request request = m_fileDialogs.requests().constLast();
    EXPECT_EQ(request.kind, FileDialogService::Kind::Save);
    EXPECT_EQ(request.title, QStringLiteral("Save As"));
    EXPECT_EQ(request.filter, ConvertFilter);
    const QByteArray written = readFile(path);
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\"?>\r\n"));
    EXPECT_EQ(readFile(card.mountPoint + QStringLiteral("/DB/CONFIG.VRS")), written);

    const QList<MessageService::Message> shown = m_messages.shownMessages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].title, QStringLiteral("Transfer File"));
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to copy to the SD Card?"));
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(shown[1].title, QStringLiteral("Quillbridge"));
    EXPECT_EQ(shown[1].text, QStringLiteral("Configuration Copied: It is save to remove the SD Card"));
}

TEST_F(MainWindowConvertTest, WithoutACardTheConversionEndsWithConvertedConfigurationSaved)
{
    openThroughDialog(sampleCopy(QStringLiteral("site.QBF")));
    m_messages.setNextAnswer(QMessageBox::Ok);
    convertTo(m_dir.filePath(QStringLiteral("site.VRS")));
    const QList<MessageService::Message> shown = m_messages.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, QStringLiteral("Converted Configuration"));
    EXPECT_EQ(shown[0].text, QStringLiteral("Converted configuration saved"));
}

TEST_F(MainWindowConvertTest, CancellingTheDialogWritesNothingAndARefusalIsShownWithThePort)
{
    const QString site = sampleCopy(QStringLiteral("site.QBF"));
    openThroughDialog(site);
    convertTo(QString());
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.VRS")}), QStringList());

    ExchClass &config = m_window->configuration(m_window->activeDocument()->ExNum());
    config.VirtualPorts().SetInteger("ActionType", 1, 3);
    m_messages.setNextAnswer(QMessageBox::Ok);
    convertTo(m_dir.filePath(QStringLiteral("site.VRS")));
    const QList<MessageService::Message> shown = m_messages.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, QStringLiteral("Quillbridge"));
    EXPECT_EQ(shown[0].text, QStringLiteral("Not able to convert configuration automatically\nVirtual port 1 "
                                            "\"Reception 2\" has the action \"Warm Line\", which a K7101/K7202 "
                                            "configuration cannot hold."));
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.VRS")}), QStringList());
}

TEST_F(MainWindowConvertTest, CleanedNamesStayInTheDocumentAndItsTreeShowsThem)
{
    openThroughDialog(sampleCopy(QStringLiteral("site.QBF")));
    DocumentWindow *document = m_window->activeDocument();
    ExchClass &config = m_window->configuration(document->ExNum());
    config.VirtualPorts().SetString("Name", 0, "A&B <1>, 2");
    document->GetConfiguration();
    m_messages.setNextAnswer(QMessageBox::Ok);
    convertTo(m_dir.filePath(QStringLiteral("site.VRS")));

    EXPECT_EQ(config.VirtualPorts().GetString("Name", 0), QByteArray("A-B (1) 2"));
    openBranches(document->tree());
    const QList<QTreeWidgetItem *> shown
        = document->tree()->findItems(QStringLiteral("A-B (1) 2"), Qt::MatchContains | Qt::MatchRecursive);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(document->tree()->findItems(QStringLiteral("A&B"), Qt::MatchContains | Qt::MatchRecursive).isEmpty());
}
