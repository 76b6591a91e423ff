#include "export/UDisks2Client.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QList>
#include <QVariantMap>

namespace {
const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString ManagerPath = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString ManagerInterface = QStringLiteral("org.freedesktop.UDisks2.Manager");
const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString DriveInterface = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString NoDrive = QStringLiteral("/");

QDBusConnection bus()
{
    return QDBusConnection::systemBus();
}

std::optional<QVariant> property(const QString &path, const QString &interface, const QString &name)
{
    if (path.isEmpty() || !bus().isConnected())
        return std::nullopt;
    QDBusInterface properties(Service, path, PropertiesInterface, bus());
    const QDBusReply<QDBusVariant> reply = properties.call(QStringLiteral("Get"), interface, name);
    if (!reply.isValid())
        return std::nullopt;
    return reply.value().variant();
}

bool call(const QString &path, const QString &interface, const QString &method)
{
    if (path.isEmpty() || !bus().isConnected())
        return false;
    QDBusInterface object(Service, path, interface, bus());
    const QDBusMessage reply = object.call(method, QVariantMap());
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool booleanProperty(const QString &path, const QString &interface, const QString &name)
{
    const std::optional<QVariant> value = property(path, interface, name);
    return value && value->toBool();
}
} // namespace

QString UDisks2Client::blockObject(const QString &device) const
{
    if (!bus().isConnected())
        return QString();
    QDBusInterface manager(Service, ManagerPath, ManagerInterface, bus());
    const QDBusReply<QList<QDBusObjectPath>> reply =
        manager.call(QStringLiteral("ResolveDevice"), QVariantMap{{QStringLiteral("path"), device}}, QVariantMap());
    if (!reply.isValid() || reply.value().isEmpty())
        return QString();
    return reply.value().constFirst().path();
}

std::optional<QString> UDisks2Client::idLabel(const QString &blockObject) const
{
    const std::optional<QVariant> label = property(blockObject, BlockInterface, QStringLiteral("IdLabel"));
    if (!label)
        return std::nullopt;
    return label->toString();
}

QString UDisks2Client::driveObject(const QString &blockObject) const
{
    const std::optional<QVariant> drive = property(blockObject, BlockInterface, QStringLiteral("Drive"));
    if (!drive)
        return QString();
    const QString path = drive->value<QDBusObjectPath>().path();
    return path == NoDrive ? QString() : path;
}

bool UDisks2Client::driveRemovable(const QString &blockObject) const
{
    return booleanProperty(driveObject(blockObject), DriveInterface, QStringLiteral("Removable"));
}

bool UDisks2Client::unmount(const QString &blockObject) const
{
    return call(blockObject, FilesystemInterface, QStringLiteral("Unmount"));
}

bool UDisks2Client::ejectDrive(const QString &blockObject) const
{
    const QString drive = driveObject(blockObject);
    if (booleanProperty(drive, DriveInterface, QStringLiteral("Ejectable"))
        && call(drive, DriveInterface, QStringLiteral("Eject")))
        return true;
    return booleanProperty(drive, DriveInterface, QStringLiteral("CanPowerOff"))
        && call(drive, DriveInterface, QStringLiteral("PowerOff"));
}
