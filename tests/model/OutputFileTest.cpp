#include "model/OutputFile.h"
#include "model/InputFile.h"
#include "model/NativeFileName.h"
#include "support/TestSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
bool writeWhole(const QString &path, const QByteArray &data, QString *error = nullptr)
{
    OutputFile file(path);
    if (file.open() && file.device().write(data) == data.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QByteArray readWhole(const QString &path)
{
    QFile file;
    return InputFile::open(file, path, nullptr) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t kindOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// Every name in the directory as the system lists it, whatever its bytes.
int entriesIn(const QString &directory)
{
    DIR *listing = ::opendir(QFile::encodeName(directory).constData());
    int count = 0;
    while (const dirent *entry = listing ? ::readdir(listing) : nullptr) {
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
            ++count;
    }
    if (listing)
        ::closedir(listing);
    return count;
}

mode_t permissionsOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}
} // namespace

TEST(OutputFile, ReplacesARegularFileWholeThroughALinkToItAndLeavesTheLinkAndNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site.QBF"));
    const QString link = dir.filePath(QStringLiteral("current.QBF"));
    ASSERT_TRUE(writeWhole(site, "the old configuration"));
    ASSERT_EQ(::chmod(QFile::encodeName(site).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(site, link));

    ASSERT_TRUE(writeWhole(link, "new"));
    EXPECT_EQ(kindOf(link), S_IFLNK);
    EXPECT_EQ(readWhole(site), QByteArray("new"));
    EXPECT_EQ(permissionsOf(site), mode_t(0640));

    OutputFile abandoned(site);
    ASSERT_TRUE(abandoned.open());
    abandoned.device().write("half of it");
    abandoned.cancel();
    EXPECT_EQ(readWhole(site), QByteArray("new"));

    // A name that is not UTF-8 is the file it names, not a look-alike.
    const QByteArray latin1Name = QFile::encodeName(dir.path()) + "/caf\xE9.QBF";
    const QString name = NativeFileName::decode(latin1Name);
    EXPECT_EQ(NativeFileName::encode(name), latin1Name);
    ASSERT_TRUE(writeWhole(name, "first"));
    ASSERT_TRUE(writeWhole(name, "second"));
    struct stat status = {};
    EXPECT_EQ(::stat(latin1Name.constData(), &status), 0);
    EXPECT_EQ(readWhole(name), QByteArray("second"));

    EXPECT_EQ(entriesIn(dir.path()), 3);
}

TEST(OutputFile, WritesThroughACharacterDeviceAndRefusesPipesAndDirectoriesWithTheSystemsReason)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString regular = dir.filePath(QStringLiteral("regular"));
    ASSERT_TRUE(writeWhole(regular, "kept"));

    const QList<std::pair<QString, QString>> refused = {
        {fifo, QStringLiteral("Not a regular file (a named pipe)")},
        {dir.path(), QStringLiteral("Is a directory")},
        {regular + QStringLiteral("/inner"), QStringLiteral("Not a directory")},
        {dir.filePath(QStringLiteral("missing/inner")), QStringLiteral("No such file or directory")},
    };
    for (const auto &[path, reason] : refused) {
        QString error;
        EXPECT_FALSE(writeWhole(path, "x", &error)) << path.toStdString();
        EXPECT_EQ(error, reason);
        QString checked;
        EXPECT_FALSE(OutputFile::checkWritable(path, &checked));
        EXPECT_EQ(checked, reason);
    }
    EXPECT_EQ(kindOf(fifo), S_IFIFO);
    EXPECT_TRUE(OutputFile::checkWritable(dir.filePath(QStringLiteral("new.QBF")), nullptr));
    EXPECT_EQ(entriesIn(dir.path()), 2);

    // Device nodes of our own, so that nothing the system relies on is at stake.
    const QString null = dir.filePath(QStringLiteral("null"));
    const QString full = dir.filePath(QStringLiteral("full"));
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0
        || ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    EXPECT_TRUE(writeWhole(null, "discarded"));
    EXPECT_EQ(kindOf(null), S_IFCHR);
    QString error;
    EXPECT_FALSE(writeWhole(full, "nowhere to go", &error));
    EXPECT_EQ(error, QStringLiteral("No space left on device"));
    EXPECT_EQ(kindOf(full), S_IFCHR);
}
