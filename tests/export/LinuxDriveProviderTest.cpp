#include "export/LinuxDriveProvider.h"
#include "export/CardTransfer.h"
#include "export/UDisks2Client.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
using Kind = DriveVolume::Kind;

// A system's mount table, sysfs block tree, device files and by-label links,
// laid out in a temporary folder.
class LinuxDriveProviderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        disk(QStringLiteral("sda"), "0", {QStringLiteral("sda2")});
        disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
        disk(QStringLiteral("sdc"), "1", {});
        disk(QStringLiteral("sr0"), "1", {});
        file(QStringLiteral("sys/devices/sr0/device/type"), "5\n");
        for (const char *device : {"sda2", "sdb1", "sdc", "sr0"})
            file(QStringLiteral("dev/") + QLatin1String(device), "");
        link(QStringLiteral("labels/ORVX"), dev(QStringLiteral("sdb1")));
        link(QStringLiteral("labels/MY\\x20CARD"), dev(QStringLiteral("sdc")));

        const QByteArray table = mountLine(dev(QStringLiteral("sdb1")), QStringLiteral("/media/user/ORVX"))
            + "proc /proc proc rw,nosuid 0 0\n" + mountLine(dev(QStringLiteral("sda2")), QStringLiteral("/"))
            + mountLine(dev(QStringLiteral("sr0")), QStringLiteral("/media/cd"))
            + mountLine(dev(QStringLiteral("sdc")), QStringLiteral("/media/my card"))
            + "//server/share /mnt/share cifs rw 0 0\n"
            + mountLine(dev(QStringLiteral("gone")), QStringLiteral("/media/gone"));
        file(QStringLiteral("mounts"), table);

        m_paths.mountTables = {m_dir.filePath(QStringLiteral("missing")), m_dir.filePath(QStringLiteral("mounts"))};
        m_paths.sysBlock = m_dir.filePath(QStringLiteral("sys/class/block"));
        m_paths.labelLinks = m_dir.filePath(QStringLiteral("labels"));
    }

    QString dev(const QString &name) const { return m_dir.filePath(QStringLiteral("dev/") + name); }

    static QByteArray mountLine(const QString &device, const QString &mountPoint)
    {
        return QFile::encodeName(device).replace(' ', "\\040") + ' '
            + QFile::encodeName(mountPoint).replace(' ', "\\040") + " vfat rw 0 0\n";
    }

    void file(const QString &path, const QByteArray &content)
    {
        const QString full = m_dir.filePath(path);
        QDir().mkpath(QFileInfo(full).path());
        QFile out(full);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
    }

    void link(const QString &path, const QString &target)
    {
        const QString full = m_dir.filePath(path);
        QDir().mkpath(QFileInfo(full).path());
        ASSERT_TRUE(QFile::link(target, full));
    }

    // A disk in sysfs with its partitions, each reached from the class folder.
    void disk(const QString &name, const QByteArray &removable, const QStringList &partitions)
    {
        const QString folder = QStringLiteral("sys/devices/") + name;
        file(folder + QStringLiteral("/removable"), removable + '\n');
        link(QStringLiteral("sys/class/block/") + name, m_dir.filePath(folder));
        for (const QString &partition : partitions) {
            file(folder + QLatin1Char('/') + partition + QStringLiteral("/partition"), "1\n");
            link(QStringLiteral("sys/class/block/") + partition, m_dir.filePath(folder + QLatin1Char('/') + partition));
        }
    }

    QTemporaryDir m_dir;
    LinuxDriveProvider::Paths m_paths;
};
} // namespace

TEST_F(LinuxDriveProviderTest, MountedDevicesAreKindedByTheirDisksSysfsAttributesAndLabelledByTheByLabelLinks)
{
    LinuxDriveProvider drives(m_paths, nullptr);
    const QList<DriveVolume> volumes = drives.volumes();
    EXPECT_EQ(volumes,
              (QList<DriveVolume>{
                  {QStringLiteral("/media/user/ORVX"), dev(QStringLiteral("sdb1")), Kind::Removable},
                  {QStringLiteral("/"), dev(QStringLiteral("sda2")), Kind::Fixed},
                  {QStringLiteral("/media/cd"), dev(QStringLiteral("sr0")), Kind::Optical},
                  {QStringLiteral("/media/my card"), dev(QStringLiteral("sdc")), Kind::Removable},
                  {QStringLiteral("/media/gone"), dev(QStringLiteral("gone")), Kind::Fixed},
              }));
    ASSERT_EQ(volumes.size(), 5);
    EXPECT_EQ(drives.volumeLabel(volumes[0]), QStringLiteral("ORVX"));
    EXPECT_EQ(drives.volumeLabel(volumes[1]), QString());
    EXPECT_EQ(drives.volumeLabel(volumes[3]), QStringLiteral("MY CARD"));
    EXPECT_EQ(drives.volumeLabel(volumes[4]), std::nullopt);
    // Without UDisks2 a card cannot be opened for stopping.
    EXPECT_EQ(CardTransfer(drives).EjectDisk(volumes[0]), CardTransfer::CannotOpen);
}
