#pragma once

#include <QList>
#include <QString>

#include <optional>

// A mounted volume as the card step sees it.
struct DriveVolume
{
    enum class Kind { Fixed, Removable, Optical };

    QString mountPoint;
    QString device;
    Kind kind = Kind::Fixed;

    bool operator==(const DriveVolume &) const = default;
};

// The operating system's side of the card step: which volumes are mounted,
// their labels, and stopping one so that its card can be pulled out.
class DriveProvider
{
public:
    virtual ~DriveProvider() = default;

    // The mounted volumes, in the order the system lists them.
    virtual QList<DriveVolume> volumes() = 0;
    // The file-system label; nothing when it cannot be read.
    virtual std::optional<QString> volumeLabel(const DriveVolume &volume) = 0;
    // Finds what stands behind the volume for unmounting and ejecting;
    // false when the system does not know it.
    virtual bool openVolume(const DriveVolume &volume) = 0;
    // One attempt; false while the volume is in use.
    virtual bool unmount(const DriveVolume &volume) = 0;
    // Ejects the medium or powers the drive off.
    virtual bool eject(const DriveVolume &volume) = 0;
    // Blocks between two unmount attempts.
    virtual void pause(int milliseconds) = 0;
};
