#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/QbfReader.h"
#include "model/QbfWriter.h"
#include "support/TestSupport.h"

#include <csignal>
#include <sys/resource.h>

namespace {
const QByteArray Header =
    bytes("07 00") + "quilbrg" + bytes("04 00") + "ORVX" + bytes("04 00") + "V1.0" + bytes("00 00");

void fillSmallConfiguration(ExchClass &config)
{
    config.VirtualPorts().BuildStructure(definitionPacket(
        1, "VIRTPORTS", 3, {{"Name", 4, 1, 8}, {"Type", 2, 1, 0}, {"Flag", 3, 1, 0}, {"Spare", 2, 2, 0}}));
    config.VirtualPorts().PutUsed(replyPacket(31, 1, bytes("05")));
    config.VirtualPorts().PutData(
        replyPacket(10, 0, QByteArray("Reception").left(7).leftJustified(8, '\0') + bytes("01 01 00 7E")));
    config.VirtualPorts().PutBlank(1);
    config.VirtualPorts().PutData(replyPacket(10, 2, bytes("E9 00 00 00 00 00 00 00 02 81 FF FF")));
    config.System().BuildStructure(definitionPacket(6, "SYSTEM", 1, {{"ExtLength", 2, 1, 0}, {"Spare", 2, 3, 0}}));
    config.System().PutData(replyPacket(20, 0, bytes("03 00 00 00")));
    config.BuildDefaultTones();
}
} // namespace

TEST(ConfigFile, EmptyConfigurationIsTheHeaderAndNineBareStructuresAndLoadsWithTheDefaultTones)
{
    const QByteArray image = ConfigFile::toBytes(ExchClass());
    const QByteArray bare =
        bytes("00 00  00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00 00 00  00 00  00 00 00 00  00 00 FF FF FF FF");
    EXPECT_EQ(image, Header + bare.repeated(9));
    ExchClass loaded;
    ASSERT_TRUE(ConfigFile().fromBytes(loaded, image, QStringLiteral("x")));
    EXPECT_EQ(loaded.Tones().Records(), 12);
    EXPECT_EQ(loaded.Tones().GetString("Name", 0), QByteArray("DIAL"));
}

TEST(ConfigFile, SaveLoadSaveGivesIdenticalBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.QBF"));
    ExchClass config;
    fillSmallConfiguration(config);
    ConfigFile file;
    ASSERT_TRUE(file.save(config, path)) << file.errorString().toStdString();

    ExchClass loaded;
    ASSERT_TRUE(file.load(loaded, path)) << file.errorString().toStdString();
    EXPECT_TRUE(loaded == config);
    EXPECT_EQ(ConfigFile::toBytes(loaded), fileContent(path));
}

TEST(ConfigFile, TonesFlagZeroWritesAndReadsEightStructures)
{
    ExchClass config;
    fillSmallConfiguration(config);
    QbfWriter out;
    config.SaveFile(out, 0);
    QbfWriter all;
    config.SaveFile(all, 1);

    ExchClass loaded;
    loaded.BuildDefaultTones();
    loaded.Tones().SetString("Name", 0, "MINE");
    QbfReader in(out.data());
    ASSERT_TRUE(loaded.LoadFile(in, 0));
    EXPECT_EQ(loaded.Tones().GetString("Name", 0), QByteArray("MINE"));
    EXPECT_TRUE(loaded.VirtualPorts() == config.VirtualPorts());
}

TEST(ConfigFile, HeaderChecksAreExactAndNamedInOrder)
{
    const QByteArray body = ConfigFile::toBytes(ExchClass()).mid(Header.size());
    const auto message = [&](const QByteArray &header) {
        ExchClass config;
        ConfigFile file;
        EXPECT_FALSE(file.fromBytes(config, header + body, QStringLiteral("f.QBF")));
        return file.errorString();
    };
    EXPECT_EQ(message(bytes("07 00") + "QUILBRG" + Header.mid(9)), QStringLiteral("Invalid file type - cannot load!"));
    EXPECT_EQ(message(Header.left(9) + bytes("04 00") + "orvx" + Header.mid(15)),
              QStringLiteral("Invalid exchange type - cannot load!"));
    EXPECT_EQ(message(Header.left(15) + bytes("04 00") + "V1.1" + bytes("00 00")),
              QStringLiteral("Invalid file Version - cannot convert!"));
    EXPECT_EQ(message(QByteArray()), QStringLiteral("Invalid file type - cannot load!"));
}

TEST(ConfigFile, DamagedFilesAreRefusedAndLeaveTheConfigurationAlone)
{
    ExchClass source;
    fillSmallConfiguration(source);
    const QByteArray image = ConfigFile::toBytes(source);

    ExchClass target;
    target.BuildDefaultTones();
    const ExchClass before = target;
    ConfigFile file;
    for (qsizetype cut : {qsizetype(24), image.size() / 2, image.size() - 1}) {
        EXPECT_FALSE(file.fromBytes(target, image.left(cut), QStringLiteral("/site/a.QBF"))) << cut;
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("/site/a.QBF"))) << file.errorString().toStdString();
        EXPECT_TRUE(target == before);
    }
    EXPECT_TRUE(file.errorString().contains(QStringLiteral("Tones"))) << file.errorString().toStdString();

    // The first structure's record count claims 32767 records of a 60-byte file.
    QByteArray huge = image;
    const qsizetype recordsAt = Header.size() + 2 + 16 + 6;
    huge[recordsAt] = char(0xFF);
    huge[recordsAt + 1] = char(0x7F);
    EXPECT_FALSE(file.fromBytes(target, huge, QStringLiteral("b.QBF")));
    EXPECT_TRUE(file.errorString().contains(QStringLiteral("record count 32768"))) << file.errorString().toStdString();
    huge[recordsAt + 1] = char(0xFF);
    EXPECT_FALSE(file.fromBytes(target, huge, QStringLiteral("b.QBF")));
    EXPECT_TRUE(target == before);

    // Bytes left behind a shorter file by older saves are ignored.
    EXPECT_TRUE(file.fromBytes(target, image + "stale", QStringLiteral("c.QBF")));
}

TEST(ConfigFile, FailedSaveKeepsThePreviousFileAndSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.QBF"));
    ExchClass big;
    fillSmallConfiguration(big);
    ConfigFile file;
    ASSERT_TRUE(file.save(big, path));
    const QByteArray original = fileContent(path);

    // A file size limit makes the disk look full part-way through the write.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool saved = file.save(big, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(file.errorString(), QStringLiteral("Cannot save \"%1\": File too large").arg(path));
    EXPECT_EQ(fileContent(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("site.QBF")});

    // A used map one byte longer than the format's 16-bit length.
    ExchClass oversized;
    fillSmallConfiguration(oversized);
    oversized.VirtualPorts().PutUsed(replyPacket(31, 1, QByteArray(65536, '\x01')));
    EXPECT_FALSE(file.save(oversized, path));
    EXPECT_EQ(file.errorString(),
              QStringLiteral("Cannot save \"%1\": The configuration holds a text too long for the file format; "
                             "nothing was saved.")
                  .arg(path));
    EXPECT_EQ(fileContent(path), original);

    const QString underAFile = path + QStringLiteral("/inner.QBF");
    EXPECT_FALSE(file.save(big, underAFile));
    EXPECT_FALSE(file.errorString().isEmpty());

    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_FALSE(file.save(big, full));
    EXPECT_EQ(file.errorString(), QStringLiteral("Cannot write the configuration: No space left on device"));

    // A smaller configuration replaces the file whole, with nothing left behind.
    ASSERT_TRUE(file.save(ExchClass(), path));
    EXPECT_EQ(fileContent(path), ConfigFile::toBytes(ExchClass()));
}
