#pragma once

#include "export/DriveProvider.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

class UDisks2Client;

// The drives of a Linux system: mounted volumes from the kernel's mount table,
// removable and optical devices from sysfs (or UDisks2's Removable hint),
// labels from UDisks2 or udev's by-label links, unmounting and ejecting
// through UDisks2.
class LinuxDriveProvider : public DriveProvider
{
public:
    struct Paths
    {
        QStringList mountTables{QStringLiteral("/proc/self/mounts"), QStringLiteral("/proc/mounts")};
        QString sysBlock = QStringLiteral("/sys/class/block");
        QString labelLinks = QStringLiteral("/dev/disk/by-label");
    };

    // The system's own paths and UDisks2 on the system bus.
    LinuxDriveProvider();
    // Other paths; without a client nothing is unmounted or ejected.
    LinuxDriveProvider(Paths paths, std::unique_ptr<UDisks2Client> udisks);
    ~LinuxDriveProvider() override;

    QList<DriveVolume> volumes() override;
    std::optional<QString> volumeLabel(const DriveVolume &volume) override;
    bool openVolume(const DriveVolume &volume) override;
    bool unmount(const DriveVolume &volume) override;
    bool eject(const DriveVolume &volume) override;
    void pause(int milliseconds) override;

    // (device, mount point) of each line of a mount table, octal escapes undone.
    static QList<std::pair<QString, QString>> parseMountTable(const QByteArray &table);
    // A by-label link name with udev's \xHH escapes undone.
    static QString decodeLabel(const QString &linkName);

private:
    DriveVolume::Kind kindOf(const QString &device) const;
    QString blockObject(const DriveVolume &volume) const;

    Paths m_paths;
    std::unique_ptr<UDisks2Client> m_udisks;
    QHash<QString, QString> m_openVolumes;
};
