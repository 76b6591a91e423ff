#include "core/Registry.h"
#include "support/TestSupport.h"

#include <QSettings>

using namespace SettingsKeys;

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    QString iniPath(const QString &name = QStringLiteral("store.ini")) const { return m_dir.filePath(name); }

    // A copy in a new file is parsed from disk, as a later run would read it.
    Registry freshCopy()
    {
        const QString copy = iniPath(QStringLiteral("copy%1.ini").arg(++m_copies));
        EXPECT_TRUE(QFile::copy(iniPath(), copy));
        return Registry(copy);
    }

    QString rawValue(const QString &key) const
    {
        return QSettings(iniPath(), QSettings::IniFormat).value(key).toString();
    }

    QTemporaryDir m_dir;
    Registry m_registry{iniPath()};
    int m_copies = 0;
};

TEST_F(RegistryTest, NumbersReadBackAsDecimalTextAlsoFromDisk)
{
    EXPECT_EQ(m_registry.SaveSetting(Settings, MainLeft, Registry::TypeNumber, 261), Registry::StatusOk);
    EXPECT_EQ(m_registry.SaveSetting(Settings, MainTop, Registry::TypeNumber, -60), Registry::StatusOk);
    EXPECT_EQ(m_registry.SaveSetting(Comms, Port, Registry::TypeNumber, QStringLiteral(" 3")), Registry::StatusOk);
    EXPECT_EQ(m_registry.SaveSetting(Settings, ViewTones, Registry::TypeNumber, 0xFFFFFFFFu), Registry::StatusOk);

    for (const Registry &reader : {m_registry, freshCopy()}) {
        EXPECT_EQ(reader.GetSetting(Settings, MainLeft, 0), QStringLiteral("261"));
        EXPECT_EQ(reader.GetSetting(Settings, MainTop, 0), QStringLiteral("-60"));
        EXPECT_EQ(reader.GetNumber(Comms, Port, DefaultPort), 3);
        EXPECT_EQ(reader.GetSetting(Settings, ViewTones, 0), QStringLiteral("-1"));
    }
    EXPECT_EQ(rawValue(QStringLiteral("Settings/MainLeft")), QStringLiteral("dword:00000105"));
    EXPECT_EQ(rawValue(QStringLiteral("Settings/MainTop")), QStringLiteral("dword:ffffffc4"));
}

TEST_F(RegistryTest, BadNumbersAndUnsupportedTypesWriteNothingSoEveryCallerGetsItsDefault)
{
    EXPECT_EQ(m_registry.SaveSetting(Comms, Port, Registry::TypeNumber, QStringLiteral("COM1")),
              Registry::StatusInvalidData);
    EXPECT_EQ(m_registry.SaveSetting(Comms, Port, Registry::TypeNumber, qint64(1) << 32), Registry::StatusInvalidData);
    for (const qint32 type : {0, 2, 3, 7})
        EXPECT_EQ(m_registry.SaveSetting(Settings, MainLeft, type, 5), Registry::StatusUnsupportedType);
    EXPECT_FALSE(QFile::exists(iniPath()));

    EXPECT_EQ(m_registry.GetNumber(Settings, MainLeft, DefaultMainLeft), DefaultMainLeft);
    EXPECT_EQ(m_registry.GetSetting(Settings, PreviewHeight, DefaultPreviewHeight), QStringLiteral("8010"));
}

TEST_F(RegistryTest, TextRoundTripsUnchangedIncludingLookalikePrefixesAndEmptyReadsBackAsOneBlank)
{
    const auto entry = [](int i) { return MruEntryPrefix + QString::number(i); };
    const QStringList texts = {QStringLiteral(" 38400"), QStringLiteral("dword:00000001"), QStringLiteral("sz:x"),
                               QStringLiteral("C:\\Configs\\Site, A.QBF"), QStringLiteral("@odd")};
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_EQ(m_registry.SaveSetting(Mru, entry(i + 1), Registry::TypeText, texts.at(i)), Registry::StatusOk);
    ASSERT_EQ(m_registry.SaveSetting(Mru, entry(9), Registry::TypeText, QString()), Registry::StatusOk);

    const Registry copy = freshCopy();
    for (const Registry &reader : {m_registry, copy}) {
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_EQ(reader.GetSetting(Mru, entry(i + 1), QString()), texts.at(i));
        EXPECT_EQ(reader.GetSetting(Mru, entry(9), QStringLiteral("default")), QStringLiteral(" "));
    }
    EXPECT_EQ(copy.GetNumber(Mru, entry(1), DefaultSpeed), 38400);
    EXPECT_EQ(copy.GetNumber(Mru, entry(2), 7), 7);
}

TEST_F(RegistryTest, HandWrittenValuesKeepTheirType)
{
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Comms]\nPort=dword:00000002\nSpeed=\" 19200\"\nCount=7\nLine=9600,n,8,1\nBad=dword:xyz\n");
    file.close();

    EXPECT_EQ(m_registry.GetNumber(Comms, Port, DefaultPort), 2);
    EXPECT_EQ(m_registry.GetSetting(Comms, Speed, DefaultSpeed), QStringLiteral(" 19200"));
    EXPECT_EQ(m_registry.GetSetting(Comms, QStringLiteral("Count"), 0), QStringLiteral("7"));
    EXPECT_EQ(m_registry.GetSetting(Comms, QStringLiteral("Line"), 0), QStringLiteral("9600,n,8,1"));
    EXPECT_EQ(m_registry.GetNumber(Comms, QStringLiteral("Bad"), 5), 5);
}

TEST_F(RegistryTest, SectionsListTheirValuesAndSubsectionsAndDeleteOneValueOrAll)
{
    m_registry.SaveSetting(Settings, MainLeft, Registry::TypeNumber, 10);
    m_registry.SaveSetting(Settings, MruEntryPrefix, Registry::TypeText,
                           QStringLiteral("same name as the sub-section"));
    m_registry.SaveSetting(Mru, MruCount, Registry::TypeNumber, 1);
    m_registry.SaveSetting(Mru, QStringLiteral("MRU1"), Registry::TypeText, QStringLiteral("a.QBF"));
    m_registry.SaveSetting(Comms, Speed, Registry::TypeText, QStringLiteral(" 9600"));

    const Registry::ValueList mru = {{QStringLiteral("Count"), QStringLiteral("1")},
                                     {QStringLiteral("MRU1"), QStringLiteral("a.QBF")}};
    EXPECT_EQ(m_registry.GetAllSettings(Mru), mru);
    QStringList names = {m_registry.GetValueName(Settings, 0), m_registry.GetValueName(Settings, 1)};
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("MRU"), QStringLiteral("MainLeft")}));
    EXPECT_EQ(m_registry.GetValueName(Settings, 2), QString());
    EXPECT_EQ(m_registry.GetSubKeyCount(QString()), 2);
    EXPECT_EQ(m_registry.GetSubKeyName(QString(), 0), QStringLiteral("Comms"));
    EXPECT_EQ(m_registry.GetSubKeyCount(Settings), 1);
    EXPECT_EQ(m_registry.GetSubKeyName(Settings, 0), QStringLiteral("MRU"));
    EXPECT_EQ(m_registry.GetSubKeyCount(Mru), 0);
    EXPECT_EQ(m_registry.GetSubKeyCount(QStringLiteral("Settings\\Nothing")), -1);
    EXPECT_TRUE(m_registry.GetAllSettings(QStringLiteral("Nothing")).isEmpty());

    EXPECT_EQ(m_registry.DeleteSetting(Settings, MruEntryPrefix), Registry::StatusOk);
    EXPECT_EQ(m_registry.GetSetting(Settings, MruEntryPrefix, QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(m_registry.GetSetting(Mru, QStringLiteral("MRU1"), QString()), QStringLiteral("a.QBF"));
    EXPECT_EQ(m_registry.GetNumber(Settings, MainLeft, 0), 10);
    EXPECT_EQ(m_registry.DeleteSetting(Settings, MruEntryPrefix), Registry::StatusNotFound);
    EXPECT_EQ(m_registry.DeleteSetting(Settings, QString()), Registry::StatusOk);
    const Registry copy = freshCopy();
    EXPECT_EQ(copy.GetSubKeyCount(Settings), -1);
    EXPECT_EQ(copy.GetSubKeyCount(Mru), -1);
    EXPECT_EQ(copy.GetSetting(Comms, Speed, QString()), QStringLiteral(" 9600"));
    EXPECT_EQ(m_registry.DeleteSetting(Settings, QString()), Registry::StatusNotFound);
}

TEST(Registry, SetAppTitleMovesTheStoreAndIgnoresAnEmptyTitle)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    Registry registry;
    EXPECT_EQ(registry.BasePath(), QStringLiteral("Software\\Ternwick\\Quillbridge\\"));
    ASSERT_EQ(registry.SaveSetting(Comms, Port, Registry::TypeNumber, 4), Registry::StatusOk);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Ternwick/Quillbridge.ini"))));

    registry.SetAppTitle(QString());
    EXPECT_EQ(registry.BasePath(), QStringLiteral("Software\\Ternwick\\Quillbridge\\"));
    EXPECT_EQ(registry.GetNumber(Comms, Port, DefaultPort), 4);

    registry.SetAppTitle(QStringLiteral("Other"));
    EXPECT_EQ(registry.BasePath(), QStringLiteral("Software\\Ternwick\\Other\\"));
    EXPECT_EQ(registry.GetNumber(Comms, Port, DefaultPort), DefaultPort);
}

TEST(Registry, SaveIntoAnUnwritableLocationReportsAnError)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));

    Registry registry(dir.filePath(QStringLiteral("blocker/store.ini")));
    EXPECT_NE(registry.SaveSetting(Settings, MainLeft, Registry::TypeNumber, 5), Registry::StatusOk);
    EXPECT_EQ(registry.GetNumber(Settings, MainLeft, DefaultMainLeft), DefaultMainLeft);
}

} // namespace
