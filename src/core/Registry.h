#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>

class QSettings;

// Names and defaults of every setting the program keeps. Sections use the
// backslash as separator, as the program has always spelled them.
namespace SettingsKeys {
inline const QString Settings = QStringLiteral("Settings");
inline const QString Mru = QStringLiteral("Settings\\MRU");
inline const QString Comms = QStringLiteral("Comms");

inline const QString MainLeft = QStringLiteral("MainLeft");
inline const QString MainTop = QStringLiteral("MainTop");
inline const QString MainWidth = QStringLiteral("MainWidth");
inline const QString MainHeight = QStringLiteral("MainHeight");
inline const QString MainWindowState = QStringLiteral("MainWindowState");
inline const QString ViewTones = QStringLiteral("ViewTones");
inline const QString PreviewLeft = QStringLiteral("PreviewLeft");
inline const QString PreviewTop = QStringLiteral("PreviewTop");
inline const QString PreviewWidth = QStringLiteral("PreviewWidth");
inline const QString PreviewHeight = QStringLiteral("PreviewHeight");
inline const QString PreviewWindowState = QStringLiteral("PreviewWindowState");
inline const QString PrintPageNumbers = QStringLiteral("PrintPageNumbers");
inline const QString MruCount = QStringLiteral("Count");
// Recently-used entries are "MRU1" (most recent) .. "MRU10".
inline const QString MruEntryPrefix = QStringLiteral("MRU");
inline const QString Port = QStringLiteral("Port");
inline const QString Speed = QStringLiteral("Speed");
inline const QString HistoryKeep = QStringLiteral("HistoryKeep");

constexpr int MruMaxEntries = 10;

constexpr int DefaultMainLeft = 1000;
constexpr int DefaultMainTop = 1000;
constexpr int DefaultMainWidth = 6500;
constexpr int DefaultMainHeight = 6500;
constexpr int DefaultMainWindowState = 0;
constexpr int DefaultMruCount = 0;
constexpr int DefaultPort = 1;
constexpr int DefaultSpeed = 38400;
constexpr int DefaultViewTones = 0;
constexpr int DefaultPreviewLeft = 1000;
constexpr int DefaultPreviewTop = 1000;
constexpr int DefaultPreviewWidth = 5265;
constexpr int DefaultPreviewHeight = 8010;
constexpr int DefaultPreviewWindowState = 0;
constexpr int DefaultPrintPageNumbers = 1;
constexpr int DefaultHistoryKeep = 100;
} // namespace SettingsKeys

// The per-user settings store: sections of named values, each value either
// text or a signed 32-bit number. Every operation opens the store, does its
// work and flushes it, so other instances and later runs see the result.
//
// The type survives in the INI file in the style of a registry export: a
// number is kept as "dword:xxxxxxxx"; a text that itself starts with "dword:"
// or "sz:" is kept behind an extra "sz:".
class Registry
{
public:
    static constexpr qint32 TypeText = 1;
    static constexpr qint32 TypeNumber = 4;

    // Status codes follow the Windows system error codes callers may expect.
    static constexpr qint32 StatusOk = 0;
    static constexpr qint32 StatusNotFound = 2;
    static constexpr qint32 StatusAccessDenied = 5;
    static constexpr qint32 StatusInvalidData = 13;
    static constexpr qint32 StatusInvalidName = 87;
    static constexpr qint32 StatusUnsupportedType = 99999;

    using ValueList = QList<std::pair<QString, QString>>;

    Registry();
    explicit Registry(const QString &iniFilePath);

    static Registry &shared();

    QString GetSetting(const QString &section, const QString &name, const QVariant &defaultValue = QVariant()) const;
    qint32 SaveSetting(const QString &section, const QString &name, qint32 type, const QVariant &value);
    // An empty name deletes the whole section with its sub-sections.
    qint32 DeleteSetting(const QString &section, const QString &name);

    ValueList GetAllSettings(const QString &section) const;
    QString GetValueName(const QString &section, int index) const;
    // -1 when the section does not exist.
    int GetSubKeyCount(const QString &section) const;
    QString GetSubKeyName(const QString &section, int index) const;

    void SetAppTitle(const QString &title);
    QString BasePath() const { return m_basePath; }

    int GetNumber(const QString &section, const QString &name, int defaultValue) const;

private:
    // The store, positioned in the given section.
    std::unique_ptr<QSettings> open(const QString &section) const;

    QString m_iniFilePath;
    QString m_appTitle;
    QString m_basePath;
};
