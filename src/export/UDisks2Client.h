#pragma once

#include <QString>

#include <optional>

// The few UDisks2 calls the card step needs, on the system bus. Every call
// fails quietly (false, nothing, an empty path) when the service is absent.
class UDisks2Client
{
public:
    // The block object of a device file such as "/dev/sdb1"; empty when unknown.
    QString blockObject(const QString &device) const;
    std::optional<QString> idLabel(const QString &blockObject) const;
    // The Removable property of the drive the block device belongs to.
    bool driveRemovable(const QString &blockObject) const;
    bool unmount(const QString &blockObject) const;
    // Ejects the drive's medium when it can, otherwise powers the drive off.
    bool ejectDrive(const QString &blockObject) const;

private:
    QString driveObject(const QString &blockObject) const;
};
