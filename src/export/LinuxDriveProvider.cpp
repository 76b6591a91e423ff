#include "export/LinuxDriveProvider.h"

#include "export/UDisks2Client.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {
const QByteArray RemovableAttribute = QByteArrayLiteral("removable");
const QByteArray PartitionAttribute = QByteArrayLiteral("partition");
const QByteArray DeviceTypeAttribute = QByteArrayLiteral("device/type");
// The SCSI peripheral type of CD and DVD drives.
const QByteArray OpticalDeviceType = QByteArrayLiteral("5");

QByteArray readAttribute(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll().trimmed();
}

// The mount table writes blanks, tabs, newlines and backslashes as \ooo.
QString unescapeMountField(const QByteArray &field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype k) { return k < field.size() && field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            bytes += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            bytes += field[i];
        }
    }
    return QFile::decodeName(bytes);
}

QString resolved(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}
} // namespace

LinuxDriveProvider::LinuxDriveProvider()
    : LinuxDriveProvider(Paths(), std::make_unique<UDisks2Client>())
{
}

LinuxDriveProvider::LinuxDriveProvider(Paths paths, std::unique_ptr<UDisks2Client> udisks)
    : m_paths(std::move(paths))
    , m_udisks(std::move(udisks))
{
}

LinuxDriveProvider::~LinuxDriveProvider() = default;

QList<std::pair<QString, QString>> LinuxDriveProvider::parseMountTable(const QByteArray &table)
{
    QList<std::pair<QString, QString>> mounts;
    for (const QByteArray &line : table.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || fields[0].isEmpty())
            continue;
        mounts.append({unescapeMountField(fields[0]), unescapeMountField(fields[1])});
    }
    return mounts;
}

QString LinuxDriveProvider::decodeLabel(const QString &linkName)
{
    QByteArray bytes;
    const QByteArray name = QFile::encodeName(linkName);
    for (qsizetype i = 0; i < name.size(); ++i) {
        bool ok = false;
        const int value = name.mid(i + 2, 2).toInt(&ok, 16);
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && ok) {
            bytes += char(value);
            i += 3;
        } else {
            bytes += name[i];
        }
    }
    return QString::fromUtf8(bytes);
}

DriveVolume::Kind LinuxDriveProvider::kindOf(const QString &device) const
{
    const QString name = QFileInfo(resolved(device)).fileName();
    const QString block = QDir(m_paths.sysBlock).filePath(name);
    if (name.isEmpty() || !QFileInfo(block).isDir())
        return DriveVolume::Kind::Fixed;
    // A partition's removable flag and device type belong to its disk.
    QString disk = block;
    if (!QFileInfo::exists(block + QLatin1Char('/') + QLatin1String(RemovableAttribute))
        && QFileInfo::exists(block + QLatin1Char('/') + QLatin1String(PartitionAttribute)))
        disk = QFileInfo(resolved(block)).path();
    const QDir diskDir(disk);
    if (readAttribute(diskDir.filePath(QLatin1String(DeviceTypeAttribute))) == OpticalDeviceType)
        return DriveVolume::Kind::Optical;
    if (readAttribute(diskDir.filePath(QLatin1String(RemovableAttribute))) == "1")
        return DriveVolume::Kind::Removable;
    // Built-in card readers call their slot fixed; UDisks2 knows better.
    if (m_udisks && m_udisks->driveRemovable(m_udisks->blockObject(device)))
        return DriveVolume::Kind::Removable;
    return DriveVolume::Kind::Fixed;
}

QList<DriveVolume> LinuxDriveProvider::volumes()
{
    QByteArray table;
    for (const QString &path : std::as_const(m_paths.mountTables)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            table = file.readAll();
            break;
        }
    }
    QList<DriveVolume> result;
    for (const auto &[device, mountPoint] : parseMountTable(table)) {
        // Pseudo and network file systems name no device file.
        if (!device.startsWith(QLatin1Char('/')) || device.startsWith(QStringLiteral("//")))
            continue;
        result.append({mountPoint, device, kindOf(device)});
    }
    return result;
}

std::optional<QString> LinuxDriveProvider::volumeLabel(const DriveVolume &volume)
{
    if (m_udisks) {
        if (const std::optional<QString> label = m_udisks->idLabel(m_udisks->blockObject(volume.device)))
            return label;
    }
    const QString device = resolved(volume.device);
    if (!QFileInfo::exists(device))
        return std::nullopt;
    const QDir links(m_paths.labelLinks);
    for (const QFileInfo &link : links.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (resolved(link.filePath()) == device)
            return decodeLabel(link.fileName());
    }
    return QString();
}

QString LinuxDriveProvider::blockObject(const DriveVolume &volume) const
{
    return m_openVolumes.value(volume.device);
}

bool LinuxDriveProvider::openVolume(const DriveVolume &volume)
{
    if (!m_udisks)
        return false;
    const QString object = m_udisks->blockObject(volume.device);
    if (object.isEmpty())
        return false;
    m_openVolumes.insert(volume.device, object);
    return true;
}

bool LinuxDriveProvider::unmount(const DriveVolume &volume)
{
    return m_udisks && m_udisks->unmount(blockObject(volume));
}

bool LinuxDriveProvider::eject(const DriveVolume &volume)
{
    return m_udisks && m_udisks->ejectDrive(blockObject(volume));
}

void LinuxDriveProvider::pause(int milliseconds)
{
    QThread::msleep(ulong(milliseconds));
}
