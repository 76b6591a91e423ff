#pragma once

#include "export/DriveProvider.h"

#include <QString>
#include <QStringList>

#include <optional>

class CardTransferPrompts;

// The last step of a conversion: finds the newer exchange's SD card among the
// mounted removable volumes, offers to copy the converted file onto it as
// "DB/CONFIG.VRS", and stops the card so that it can be pulled out.
class CardTransfer
{
public:
    // EjectDisk results.
    static constexpr qint32 Stopped = 1;
    static constexpr qint32 NotRemovable = 10;
    static constexpr qint32 CannotOpen = 11;
    static constexpr qint32 CannotClose = 12;
    static constexpr qint32 InUse = 100;

    static constexpr int UnmountAttempts = 10;
    static constexpr int UnmountRetryMilliseconds = 300;

    static const QString CardLabel;
    static const QStringList MarkerFiles;
    static const QString TargetFolder;
    static const QString TargetName;

    explicit CardTransfer(DriveProvider &drives);

    // The whole step for a converted file; shows its own messages.
    void run(const QString &fileName, CardTransferPrompts &prompts);

    // The label up to its first NUL; nothing when it cannot be read.
    std::optional<QString> VolumeName(const DriveVolume &volume);
    // The last mounted volume that is a card, if any.
    std::optional<DriveVolume> findCard();
    // Copies through a temporary file renamed into place and flushed to the
    // card; false with errorString() when the card does not hold the copy.
    bool copyToCard(const QString &fileName, const DriveVolume &card);
    qint32 EjectDisk(const DriveVolume &volume);
    static QString statusText(qint32 result);

    QString errorString() const { return m_error; }

private:
    bool isCard(const DriveVolume &volume);
    bool fail(const QString &message);

    DriveProvider &m_drives;
    QString m_error;
};
