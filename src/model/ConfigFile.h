#pragma once

#include <QByteArray>
#include <QString>

class ExchClass;
class QIODevice;

// The .QBF configuration file: a short header, then the nine structures with
// their layouts and records exactly as they are in memory.
class ConfigFile
{
public:
    static const QByteArray Magic;
    static const QByteArray ExchangeType;
    static const QByteArray Version;
    // Far above any real configuration; keeps a wrong file from being read whole.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // Writes as OutputFile does: a failed save never destroys the previous
    // file, and a device is written through rather than replaced.
    bool save(const ExchClass &config, const QString &path);
    bool save(const ExchClass &config, QIODevice &device);
    // Loads into config only when the whole file reads cleanly; otherwise
    // config is untouched and errorString() says why. Only a regular file is read.
    bool load(ExchClass &config, const QString &path);
    bool load(ExchClass &config, QIODevice &device, const QString &displayName);

    static QByteArray toBytes(const ExchClass &config);
    bool fromBytes(ExchClass &config, const QByteArray &data, const QString &displayName);

    QString errorString() const { return m_error; }
    // The same failure as one line that names the file, for standard error:
    // the header checks' messages are the program's fixed texts without it.
    QString errorLine() const { return m_errorLine; }

private:
    bool fail(const QString &message);
    bool failNamed(const QString &fileName, const QString &message);

    QString m_error;
    QString m_errorLine;
};
