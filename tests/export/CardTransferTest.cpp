#include "CardTransfer.h"
#include "FakeDriveProvider.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
using Kind = DriveVolume::Kind;

const QString CopyQuestion = QStringLiteral("Transfer File|Do you want to copy to the SD Card?");

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CardTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_converted = m_dir.filePath(QStringLiteral("site.VRS"));
        ASSERT_TRUE(writeFile(m_converted, m_content));
    }

    QString cardFile(const DriveVolume &card) const { return card.mountPoint + QStringLiteral("/DB/CONFIG.VRS"); }

    QTemporaryDir m_dir;
    QString m_converted;
    const QByteArray m_content = QByteArrayLiteral("<?xml version=\"1.0\"?>\r\n</pabx>\r\n");
    FakeDriveProvider m_drives;
    RecordingPrompts m_prompts;
};
} // namespace

TEST_F(CardTransferTest, ARemovableVolumeLabelledExactlyOrvxOrCarryingAMarkerFileIsACard)
{
    const DriveVolume labelled = m_drives.addVolume(QStringLiteral("labelled"), Kind::Removable, QStringLiteral("ORVX"));
    EXPECT_EQ(CardTransfer(m_drives).findCard(), labelled);
    m_drives.addVolume(QStringLiteral("lower"), Kind::Removable, QStringLiteral("orvx"));
    EXPECT_EQ(CardTransfer(m_drives).findCard(), labelled);
    const DriveVolume padded = m_drives.addVolume(QStringLiteral("padded"), Kind::Removable,
                                                  QStringLiteral("ORVX") + QChar(0) + QStringLiteral("junk"));
    CardTransfer transfer(m_drives);
    EXPECT_EQ(transfer.VolumeName(padded), QStringLiteral("ORVX"));
    EXPECT_EQ(transfer.findCard(), padded);

    for (const QString &marker : CardTransfer::MarkerFiles) {
        FakeDriveProvider drives;
        const DriveVolume plain = drives.addVolume(QStringLiteral("plain"), Kind::Removable, QStringLiteral("NO NAME"));
        const DriveVolume marked = drives.addVolume(QStringLiteral("marked"), Kind::Removable, QString());
        ASSERT_TRUE(writeFile(marked.mountPoint + QLatin1Char('/') + marker, "x"));
        // A folder of that name is no marker.
        QDir(plain.mountPoint).mkpath(marker);
        EXPECT_EQ(CardTransfer(drives).findCard(), marked) << marker.toStdString();
        EXPECT_TRUE(drives.calls.isEmpty());
    }
}

TEST_F(CardTransferTest, FixedAndOpticalVolumesAndUnreadableLabelsAreNeverCards)
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

TEST_F(CardTransferTest, WithTwoCardsTheFileGoesToTheLaterOneIntoAFreshDbFolderAndTheCardIsStopped)
{
    const DriveVolume first = m_drives.addVolume(QStringLiteral("first"), Kind::Removable, QStringLiteral("ORVX"));
    const DriveVolume second = m_drives.addVolume(QStringLiteral("second"), Kind::Removable, QStringLiteral("ORVX"));
    CardTransfer(m_drives).run(m_converted, m_prompts);

    EXPECT_EQ(m_prompts.questions, QStringList{CopyQuestion});
    EXPECT_EQ(readFile(cardFile(second)), m_content);
    EXPECT_FALSE(QFileInfo::exists(first.mountPoint + QStringLiteral("/DB")));
    EXPECT_EQ(QDir(second.mountPoint + QStringLiteral("/DB")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("CONFIG.VRS")});
    EXPECT_EQ(m_drives.calls, (QStringList{QStringLiteral("open ") + second.mountPoint,
                                           QStringLiteral("unmount ") + second.mountPoint,
                                           QStringLiteral("eject ") + second.mountPoint}));
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].title, QString());
    EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Configuration Copied: It is save to remove the SD Card"));
}

TEST_F(CardTransferTest, AnExistingConfigurationOnTheCardIsReplacedWhole)
{
    const DriveVolume card = m_drives.addVolume(QStringLiteral("card"), Kind::Removable, QStringLiteral("ORVX"));
    QDir(card.mountPoint).mkpath(QStringLiteral("DB"));
    ASSERT_TRUE(writeFile(cardFile(card), QByteArray(50000, 'o')));
    CardTransfer transfer(m_drives);
    ASSERT_TRUE(transfer.copyToCard(m_converted, card)) << transfer.errorString().toStdString();
    EXPECT_EQ(readFile(cardFile(card)), m_content);
    EXPECT_EQ(QDir(card.mountPoint + QStringLiteral("/DB")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("CONFIG.VRS")});
}

TEST_F(CardTransferTest, AnsweringNoLeavesTheCardUntouchedAndShowsNothingMore)
{
    const DriveVolume card = m_drives.addVolume(QStringLiteral("card"), Kind::Removable, QStringLiteral("ORVX"));
    m_prompts.answer = false;
    CardTransfer(m_drives).run(m_converted, m_prompts);
    EXPECT_EQ(m_prompts.questions, QStringList{CopyQuestion});
    EXPECT_TRUE(m_prompts.shown.isEmpty());
    EXPECT_TRUE(m_drives.calls.isEmpty());
    EXPECT_TRUE(QDir(card.mountPoint).isEmpty());
}

TEST_F(CardTransferTest, ACopyThatFailsSaysSoAndDoesNotStopTheCard)
{
    const DriveVolume card = m_drives.addVolume(QStringLiteral("card"), Kind::Removable, QStringLiteral("ORVX"));
    ASSERT_TRUE(writeFile(card.mountPoint + QStringLiteral("/DB"), "a file where the folder belongs"));
    CardTransfer(m_drives).run(m_converted, m_prompts);
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].severity, CardTransferPrompts::Severity::Warning);
    EXPECT_TRUE(m_prompts.shown[0].text.startsWith(
        QStringLiteral("Converted configuration saved, but not copied to the SD Card\nNot able to create the folder ")))
        << m_prompts.shown[0].text.toStdString();
    EXPECT_TRUE(m_drives.calls.isEmpty());

    // The target name taken by a folder: the temporary copy is not left behind.
    FakeDriveProvider drives;
    const DriveVolume blocked = drives.addVolume(QStringLiteral("blocked"), Kind::Removable, QStringLiteral("ORVX"));
    QDir(blocked.mountPoint).mkpath(QStringLiteral("DB/CONFIG.VRS"));
    RecordingPrompts prompts;
    CardTransfer(drives).run(m_converted, prompts);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].text.contains(cardFile(blocked)));
    EXPECT_EQ(QDir(blocked.mountPoint + QStringLiteral("/DB")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("CONFIG.VRS")});
    EXPECT_TRUE(drives.calls.isEmpty());
}

TEST_F(CardTransferTest, ACardInUseIsTriedTenTimesThreeHundredMillisecondsApartThenReportedBusy)
{
    const DriveVolume card = m_drives.addVolume(QStringLiteral("card"), Kind::Removable, QStringLiteral("ORVX"));
    m_drives.unmountFailures = 1000;
    CardTransfer(m_drives).run(m_converted, m_prompts);
    EXPECT_EQ(m_drives.calls.count(QStringLiteral("unmount ") + card.mountPoint), 10);
    EXPECT_EQ(m_drives.pauses, QList<int>(10, 300));
    EXPECT_FALSE(m_drives.calls.contains(QStringLiteral("eject ") + card.mountPoint));
    ASSERT_EQ(m_prompts.shown.size(), 1);
    EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Configuration Copied: Failed, device is in use"));
    EXPECT_EQ(readFile(cardFile(card)), m_content);
}

TEST_F(CardTransferTest, EjectResultsFollowUnmountingRatherThanEjecting)
{
    const DriveVolume card = m_drives.addVolume(QStringLiteral("card"), Kind::Removable, QStringLiteral("ORVX"));
    m_drives.unmountFailures = 2;
    m_drives.canEject = false;
    CardTransfer transfer(m_drives);
    EXPECT_EQ(transfer.EjectDisk(card), CardTransfer::Stopped);
    EXPECT_EQ(m_drives.pauses, (QList<int>{300, 300}));

    m_drives.canOpen = false;
    EXPECT_EQ(transfer.EjectDisk(card), CardTransfer::CannotOpen);
    const DriveVolume fixed = m_drives.addVolume(QStringLiteral("fixed"), Kind::Fixed, QStringLiteral("ORVX"));
    EXPECT_EQ(transfer.EjectDisk(fixed), CardTransfer::NotRemovable);
}

TEST(CardTransferStatus, EachResultHasItsText)
{
    EXPECT_EQ(CardTransfer::statusText(0), QStringLiteral("It is save to remove the SD Card"));
    EXPECT_EQ(CardTransfer::statusText(1), QStringLiteral("It is save to remove the SD Card"));
    for (qint32 code : {10, 11, 12})
        EXPECT_EQ(CardTransfer::statusText(code), QStringLiteral("Problem stopping the SD card"));
    EXPECT_EQ(CardTransfer::statusText(100), QStringLiteral("Failed, device is in use"));
    EXPECT_EQ(CardTransfer::statusText(2), QString());
}
