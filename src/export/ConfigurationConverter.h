#pragma once

#include "export/VirtualPortLookup.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class ExchClass;
class RecordClass;
class QIODevice;

// Writes one configuration as the XML configuration file of the K7101/K7202
// exchanges: checks that every port in use can be expressed there, cleans the
// port, user and group names in the configuration itself, and writes the file
// line by line in its fixed order and indentation: tabs, CR LF, names as
// their single bytes with only markup characters and line breaks as entities.
class ConfigurationConverter
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr int ClassTableSize = 64;
    static constexpr int RightsTableSize = 26;
    static const QString NotConvertibleMessage;

    struct ClassEntry
    {
        QByteArray name;
        quint16 record = 0;
        bool used = false;
    };
    struct RightEntry
    {
        QByteArray name;
        int code = 0;
        bool used = false;
    };
    // Entry 0 of both tables is unused: IDs and entries count from 1.
    using ClassTableType = std::array<ClassEntry, ClassTableSize + 1>;
    using RightsTableType = std::array<RightEntry, RightsTableSize + 1>;

    explicit ConfigurationConverter(ExchClass &config, Clock clock = &QDateTime::currentDateTime);

    // The whole conversion into a file, written as OutputFile writes: on any
    // failure the old file stays as it was and errorString() says why.
    bool ConvertFile(const QString &fileName);
    // The same conversion onto an open device.
    bool convert(QIODevice &file);
    QString errorString() const { return m_error; }

    // Whether the configuration can be expressed in the new format; nothing
    // is changed. On refusal errorString() names the first obstacle.
    bool PreCheck();
    // Removes "," and replaces ">", "<" and "&" in the names of the ports,
    // users and groups in use, in the configuration itself.
    void CleanNames();
    // Whether CleanNames changed a name in the configuration.
    bool namesChanged() const { return m_namesChanged; }

    void BuildRightsTable();
    static QByteArray UpdateStamp(const QDateTime &time);
    static bool WriteIndented(QIODevice &file, int tabs, const QByteArray &text);

private:
    bool fail(const QString &message);
    // Lines collect in memory and reach the file in large pieces.
    void line(QIODevice &file, int tabs, const QByteArray &text);
    void flush(QIODevice &file);
    // One <ext> element for virtual port v; returns id + 1.
    quint16 ConvertExtVP(QIODevice &file, const QByteArray &stamp, quint16 id, quint16 v);
    void writeConfiguration(QIODevice &file);
    void writeGeneral(QIODevice &file, const QByteArray &stamp);
    void writeClasses(QIODevice &file, const QByteArray &stamp);
    void writeSpecialUsers(QIODevice &file);
    void writeSystemUsers(QIODevice &file, const QByteArray &stamp);
    void writePorts(QIODevice &file, const QByteArray &stamp, int kind);
    void writeActionLines(QIODevice &file, int v);
    void writePortGroups(QIODevice &file, int v);
    void writeGroups(QIODevice &file, const QByteArray &stamp);
    // The names of the used ClassTable entries whose record bit is set in the
    // bit set field of record rec, "|"-separated, in ID order.
    QByteArray classesIn(const RecordClass &structure, const QByteArray &field, int rec) const;
    QByteArray allowedRights(int rec) const;

    ExchClass &m_config;
    Clock m_clock;
    ClassTableType m_classTable;
    RightsTableType m_rightsTable;
    // The codes of the used rights entries that the ACL's Rights field has bits for, ascending.
    QList<int> m_rightCodes;
    QByteArray m_classText;
    std::optional<VirtualPortLookup> m_ports;
    bool m_namesChanged = false;
    QByteArray m_pending;
    bool m_writeFailed = false;
    QString m_error;
};
