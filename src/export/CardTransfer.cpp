#include "export/CardTransfer.h"

#include "export/CardTransferPrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString ConvertedTitle = QStringLiteral("Converted Configuration");
const QString ConvertedText = QStringLiteral("Converted configuration saved");
const QString TransferTitle = QStringLiteral("Transfer File");
const QString TransferQuestion = QStringLiteral("Do you want to copy to the SD Card?");
const QString CopiedText = QStringLiteral("Configuration Copied: ");
const QString NotCopiedText = QStringLiteral("Converted configuration saved, but not copied to the SD Card");
const QString SafeToRemoveText = QStringLiteral("It is save to remove the SD Card");
const QString StopProblemText = QStringLiteral("Problem stopping the SD card");
const QString InUseText = QStringLiteral("Failed, device is in use");

// Until the data is on the card, pulling it out (which the engineer does next)
// would lose the file even though the copy reported success.
bool syncToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}
} // namespace

const QString CardTransfer::CardLabel = QStringLiteral("ORVX");
const QStringList CardTransfer::MarkerFiles = {QStringLiteral("ORVX.TXT"), QStringLiteral("ZEMA.TXT"),
                                               QStringLiteral("TRV5K.TXT")};
const QString CardTransfer::TargetFolder = QStringLiteral("DB");
const QString CardTransfer::TargetName = QStringLiteral("CONFIG.VRS");

CardTransfer::CardTransfer(DriveProvider &drives)
    : m_drives(drives)
{
}

bool CardTransfer::fail(const QString &message)
{
    m_error = message;
    return false;
}

void CardTransfer::run(const QString &fileName, CardTransferPrompts &prompts)
{
    const std::optional<DriveVolume> card = findCard();
    if (!card) {
        prompts.showMessage(CardTransferPrompts::Severity::Information, ConvertedTitle, ConvertedText);
        return;
    }
    if (!prompts.askYesNo(TransferTitle, TransferQuestion))
        return;
    if (!copyToCard(fileName, *card)) {
        prompts.showMessage(CardTransferPrompts::Severity::Warning, QString(),
                            NotCopiedText + QLatin1Char('\n') + m_error);
        return;
    }
    prompts.showMessage(CardTransferPrompts::Severity::Information, QString(),
                        CopiedText + statusText(EjectDisk(*card)));
}

std::optional<QString> CardTransfer::VolumeName(const DriveVolume &volume)
{
    std::optional<QString> label = m_drives.volumeLabel(volume);
    if (label) {
        const qsizetype end = label->indexOf(QChar(0));
        if (end >= 0)
            label->truncate(end);
    }
    return label;
}

bool CardTransfer::isCard(const DriveVolume &volume)
{
    const std::optional<QString> label = VolumeName(volume);
    if (!label)
        return false;
    if (*label == CardLabel)
        return true;
    const QDir root(volume.mountPoint);
    for (const QString &marker : MarkerFiles) {
        if (QFileInfo(root.filePath(marker)).isFile())
            return true;
    }
    return false;
}

std::optional<DriveVolume> CardTransfer::findCard()
{
    std::optional<DriveVolume> card;
    for (const DriveVolume &volume : m_drives.volumes()) {
        if (volume.kind == DriveVolume::Kind::Removable && isCard(volume))
            card = volume;
    }
    return card;
}

bool CardTransfer::copyToCard(const QString &fileName, const DriveVolume &card)
{
    m_error.clear();
    QFile source(fileName);
    if (!source.open(QIODevice::ReadOnly))
        return fail(
            QStringLiteral("Not able to read %1: %2").arg(QDir::toNativeSeparators(fileName), source.errorString()));
    const QByteArray data = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return fail(
            QStringLiteral("Not able to read %1: %2").arg(QDir::toNativeSeparators(fileName), source.errorString()));

    const QDir root(card.mountPoint);
    const QString folder = root.filePath(TargetFolder);
    const QString target = QDir(folder).filePath(TargetName);
    if (!root.mkpath(TargetFolder))
        return fail(QStringLiteral("Not able to create the folder %1").arg(QDir::toNativeSeparators(folder)));
    QSaveFile copy(target);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(data) != data.size() || !copy.commit()) {
        return fail(
            QStringLiteral("Not able to write %1: %2").arg(QDir::toNativeSeparators(target), copy.errorString()));
    }
    if (!syncToDisk(target) || !syncToDisk(folder))
        return fail(QStringLiteral("Not able to flush %1 to the card").arg(QDir::toNativeSeparators(target)));
    return true;
}

qint32 CardTransfer::EjectDisk(const DriveVolume &volume)
{
    if (volume.kind == DriveVolume::Kind::Fixed)
        return NotRemovable;
    if (!m_drives.openVolume(volume))
        return CannotOpen;
    bool unmounted = false;
    for (int attempt = 0; attempt < UnmountAttempts && !unmounted; ++attempt) {
        unmounted = m_drives.unmount(volume);
        if (!unmounted)
            m_drives.pause(UnmountRetryMilliseconds);
    }
    if (!unmounted)
        return InUse;
    // An unmounted card can be pulled out safely even when the drive cannot
    // eject it or power off.
    m_drives.eject(volume);
    return Stopped;
}

QString CardTransfer::statusText(qint32 result)
{
    switch (result) {
    case 0:
    case Stopped:
        return SafeToRemoveText;
    case NotRemovable:
    case CannotOpen:
    case CannotClose:
        return StopProblemText;
    case InUse:
        return InUseText;
    default:
        return QString();
    }
}
