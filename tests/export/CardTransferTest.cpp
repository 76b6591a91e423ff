#include "export/CardTransfer.h"
#include "export/FakeDriveProvider.h"
#include "support/TestSupport.h"

#include <QFileInfo>

#include <dlfcn.h>
#include <sys/stat.h>

namespace {
// The file or folder whose flush to the card fails, as a pulled card's would.
QByteArray failingSync;
} // namespace

extern "C" int fsync(int fd)
{
    struct stat failing = {};
    struct stat opened = {};
    if (!failingSync.isEmpty() && ::stat(failingSync.constData(), &failing) == 0 && ::fstat(fd, &opened) == 0
        && failing.st_dev == opened.st_dev && failing.st_ino == opened.st_ino) {
        errno = EIO;
        return -1;
    }
    static const auto realSync = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    return realSync(fd);
}

namespace {
using Kind = DriveVolume::Kind;

const QString CopyQuestion = QStringLiteral("Transfer File|Do you want to copy to the SD Card?");

class CardTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_converted = m_dir.filePath(QStringLiteral("site.VRS"));
        ASSERT_TRUE(writeFile(m_converted, m_content));
    }

    DriveVolume card(const QString &name) { return m_drives.addVolume(name, Kind::Removable, QStringLiteral("ORVX")); }
    static QString cardFile(const DriveVolume &card) { return card.mountPoint + QStringLiteral("/DB/CONFIG.VRS"); }
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
    QString m_converted;
    const QByteArray m_content = QByteArrayLiteral("<?xml version=\"1.0\"?>\r\n</pabx>\r\n");
    FakeDriveProvider m_drives;
    RecordingPrompts m_prompts;
};
} // namespace

TEST_F(CardTransferTest, ARemovableVolumeLabelledExactlyOrvxOrCarryingAMarkerFileIsACard)
{
    const DriveVolume labelled = card(QStringLiteral("labelled"));
    EXPECT_EQ(CardTransfer(m_drives).findCard(), labelled);
    m_drives.addVolume(QStringLiteral("lower"), Kind::Removable, QStringLiteral("orvx"));
    EXPECT_EQ(CardTransfer(m_drives).findCard(), labelled);
    const DriveVolume padded = m_drives.addVolume(QStringLiteral("padded"), Kind::Removable,
                                                  QStringLiteral("ORVX") + QChar(0) + QStringLiteral("junk"));
    CardTransfer transfer(m_drives);
    EXPECT_EQ(transfer.VolumeName(padded), QStringLiteral("ORVX"));
    EXPECT_EQ(transfer.findCard(), padded);

    for (const char *marker : {"ORVX.TXT", "ZEMA.TXT", "TRV5K.TXT"}) {
        FakeDriveProvider drives;
        const DriveVolume plain = drives.addVolume(QStringLiteral("plain"), Kind::Removable, QStringLiteral("NO NAME"));
        const DriveVolume marked = drives.addVolume(QStringLiteral("marked"), Kind::Removable, QString());
        ASSERT_TRUE(writeFile(marked.mountPoint + QLatin1Char('/') + QLatin1String(marker), "x"));
        // A folder of that name is no marker.
        QDir(plain.mountPoint).mkpath(QLatin1String(marker));
        EXPECT_EQ(CardTransfer(drives).findCard(), marked) << marker;
        EXPECT_TRUE(drives.calls.isEmpty());
    }
}

TEST_F(CardTransferTest, WithoutACardOnlyTheSavedFileIsReported)
{
    m_drives.addVolume(QStringLiteral("fixed"), Kind::Fixed, QStringLiteral("ORVX"));
    m_drives.addVolume(QStringLiteral("optical"), Kind::Optical, QStringLiteral("ORVX"));
    const DriveVolume unreadable = m_drives.addVolume(QStringLiteral("unreadable"), Kind::Removable, std::nullopt);
    ASSERT_TRUE(writeFile(unreadable.mountPoint + QStringLiteral("/ORVX.TXT"), "x"));
    m_drives.addVolume(QStringLiteral("other"), Kind::Removable, QStringLiteral("CAMERA"));
    CardTransfer transfer(m_drives);
    EXPECT_EQ(transfer.findCard(), std::nullopt);

    transfer.run(m_converted, m_prompts);
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].title, QStringLiteral("Converted Configuration"));
    EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Converted configuration saved"));
    EXPECT_TRUE(m_prompts.questions.isEmpty());
}

TEST_F(CardTransferTest, WithTwoCardsTheFileReplacesTheLaterOnesWholeAndTheCardIsStopped)
{
    const DriveVolume first = card(QStringLiteral("first"));
    const DriveVolume second = card(QStringLiteral("second"));
    QDir(second.mountPoint).mkpath(QStringLiteral("DB"));
    ASSERT_TRUE(writeFile(cardFile(second), QByteArray(50000, 'o')));
    CardTransfer(m_drives).run(m_converted, m_prompts);

    EXPECT_EQ(m_prompts.questions, QStringList{CopyQuestion});
    EXPECT_EQ(fileContent(cardFile(second)), m_content);
    EXPECT_FALSE(QFileInfo::exists(first.mountPoint + QStringLiteral("/DB")));
    EXPECT_EQ(entries(second.mountPoint + QStringLiteral("/DB")), QStringList{QStringLiteral("CONFIG.VRS")});
    EXPECT_EQ(m_drives.calls,
              (QStringList{QStringLiteral("open ") + second.mountPoint, QStringLiteral("unmount ") + second.mountPoint,
                           QStringLiteral("eject ") + second.mountPoint}));
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].title, QString());
    EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Configuration Copied: It is save to remove the SD Card"));
}

TEST_F(CardTransferTest, AnsweringNoLeavesTheCardUntouchedAndShowsNothingMore)
{
    const DriveVolume target = card(QStringLiteral("card"));
    m_prompts.answer = false;
    CardTransfer(m_drives).run(m_converted, m_prompts);
    EXPECT_EQ(m_prompts.questions, QStringList{CopyQuestion});
    EXPECT_TRUE(m_prompts.shown.isEmpty());
    EXPECT_TRUE(m_drives.calls.isEmpty());
    EXPECT_TRUE(QDir(target.mountPoint).isEmpty());
}

TEST_F(CardTransferTest, ACopyThatFailsSaysSoLeavesNoTemporaryFileAndDoesNotStopTheCard)
{
    const DriveVolume target = card(QStringLiteral("card"));
    ASSERT_TRUE(writeFile(target.mountPoint + QStringLiteral("/DB"), "a file where the folder belongs"));
    CardTransfer(m_drives).run(m_converted, m_prompts);
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].severity, CardTransferPrompts::Severity::Warning);
    EXPECT_TRUE(m_prompts.shown[0].text.startsWith(
        QStringLiteral("Converted configuration saved, but not copied to the SD Card\nNot able to create the folder ")))
        << m_prompts.shown[0].text.toStdString();

    FakeDriveProvider drives;
    const DriveVolume blocked = drives.addVolume(QStringLiteral("blocked"), Kind::Removable, QStringLiteral("ORVX"));
    QDir(blocked.mountPoint).mkpath(QStringLiteral("DB/CONFIG.VRS"));
    RecordingPrompts prompts;
    CardTransfer(drives).run(m_converted, prompts);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].text.contains(cardFile(blocked)));
    EXPECT_EQ(entries(blocked.mountPoint + QStringLiteral("/DB")), QStringList{QStringLiteral("CONFIG.VRS")});
    EXPECT_TRUE(drives.calls.isEmpty());
    EXPECT_TRUE(m_drives.calls.isEmpty());
}

TEST_F(CardTransferTest, AFileOrFolderThatCannotBeFlushedToTheCardIsACopyThatFailed)
{
    const DriveVolume target = card(QStringLiteral("card"));
    for (const QString &path : {cardFile(target), target.mountPoint + QStringLiteral("/DB")}) {
        SCOPED_TRACE(path.toStdString());
        CardTransfer transfer(m_drives);
        ASSERT_TRUE(transfer.copyToCard(m_converted, target));
        failingSync = QFile::encodeName(path);
        EXPECT_FALSE(transfer.copyToCard(m_converted, target));
        failingSync.clear();
        EXPECT_EQ(transfer.errorString(), QStringLiteral("Not able to flush %1 to the card").arg(cardFile(target)));
    }
}

TEST_F(CardTransferTest, ACardInUseIsTriedTenTimesThreeHundredMillisecondsApartThenReportedBusy)
{
    const DriveVolume target = card(QStringLiteral("card"));
    m_drives.unmountFailures = 1000;
    CardTransfer(m_drives).run(m_converted, m_prompts);
    EXPECT_EQ(m_drives.calls.count(QStringLiteral("unmount ") + target.mountPoint), 10);
    EXPECT_EQ(m_drives.pauses, QList<int>(10, 300));
    EXPECT_FALSE(m_drives.calls.contains(QStringLiteral("eject ") + target.mountPoint));
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Configuration Copied: Failed, device is in use"));
    EXPECT_EQ(fileContent(cardFile(target)), m_content);

    // Stopping follows the unmount rather than the eject.
    m_drives.pauses.clear();
    m_drives.unmountFailures = 2;
    m_drives.canEject = false;
    CardTransfer transfer(m_drives);
    EXPECT_EQ(transfer.EjectDisk(target), CardTransfer::Stopped);
    EXPECT_EQ(m_drives.pauses, (QList<int>{300, 300}));
    m_drives.canOpen = false;
    EXPECT_EQ(transfer.EjectDisk(target), CardTransfer::CannotOpen);
    const DriveVolume fixed = m_drives.addVolume(QStringLiteral("fixed"), Kind::Fixed, QStringLiteral("ORVX"));
    EXPECT_EQ(transfer.EjectDisk(fixed), CardTransfer::NotRemovable);

    const std::pair<qint32, const char *> texts[] = {
        {0, "It is save to remove the SD Card"},
        {1, "It is save to remove the SD Card"},
        {10, "Problem stopping the SD card"},
        {11, "Problem stopping the SD card"},
        {12, "Problem stopping the SD card"},
        {100, "Failed, device is in use"},
        {2, ""},
    };
    for (const auto &[code, text] : texts)
        EXPECT_EQ(CardTransfer::statusText(code), QLatin1String(text)) << code;
}
