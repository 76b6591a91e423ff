#include "model/ConfigFile.h"

#include "model/ExchClass.h"
#include "model/InputFile.h"
#include "model/OutputFile.h"
#include "model/QbfReader.h"
#include "model/QbfWriter.h"

#include <QFile>

const QByteArray ConfigFile::Magic = QByteArrayLiteral("quilbrg");
const QByteArray ConfigFile::ExchangeType = QByteArrayLiteral("ORVX");
const QByteArray ConfigFile::Version = QByteArrayLiteral("V1.0");

bool ConfigFile::fail(const QString &message)
{
    m_error = message;
    m_errorLine = message;
    return false;
}

bool ConfigFile::failNamed(const QString &fileName, const QString &message)
{
    m_error = message;
    m_errorLine = fileName + QStringLiteral(": ") + message;
    return false;
}

QByteArray ConfigFile::toBytes(const ExchClass &config)
{
    QbfWriter out;
    out.writeLString(Magic);
    out.writeLString(ExchangeType);
    out.writeLString(Version);
    out.writeLString(QByteArray());
    config.SaveFile(out, ExchClass::TonesFlag);
    return out.ok() ? out.data() : QByteArray();
}

bool ConfigFile::save(const ExchClass &config, QIODevice &device)
{
    m_error.clear();
    m_errorLine.clear();
    const QByteArray image = toBytes(config);
    if (image.isEmpty())
        return fail(QStringLiteral("The configuration holds a text too long for the file format; nothing was saved."));
    if (device.write(image) != image.size())
        return fail(QStringLiteral("Cannot write the configuration: %1").arg(device.errorString()));
    return true;
}

bool ConfigFile::save(const ExchClass &config, const QString &path)
{
    OutputFile file(path);
    if (!file.open())
        return fail(QStringLiteral("Cannot save \"%1\": %2").arg(path, file.errorString()));
    if (!save(config, file.device())) {
        file.cancel();
        return fail(QStringLiteral("Cannot save \"%1\": %2").arg(path, m_error));
    }
    if (!file.commit())
        return fail(QStringLiteral("Cannot save \"%1\": %2").arg(path, file.errorString()));
    return true;
}

bool ConfigFile::load(ExchClass &config, const QString &path)
{
    QFile file;
    QString reason;
    if (!InputFile::open(file, path, &reason))
        return fail(QStringLiteral("Cannot open \"%1\": %2").arg(path, reason));
    return load(config, file, path);
}

bool ConfigFile::load(ExchClass &config, QIODevice &device, const QString &displayName)
{
    m_error.clear();
    m_errorLine.clear();
    // Read in pieces: asking for the whole limit at once would set aside its
    // full size for every file, however small.
    constexpr qint64 ChunkSize = 64 * 1024;
    QByteArray data;
    for (QByteArray chunk = device.read(ChunkSize); !chunk.isEmpty(); chunk = device.read(ChunkSize)) {
        data += chunk;
        if (data.size() > MaxFileSize)
            return fail(QStringLiteral("Cannot load \"%1\": the file is too large to be a configuration file.")
                            .arg(displayName));
    }
    return fromBytes(config, data, displayName);
}

bool ConfigFile::fromBytes(ExchClass &config, const QByteArray &data, const QString &displayName)
{
    m_error.clear();
    m_errorLine.clear();
    QbfReader in(data);
    QByteArray magic, type, version, spare;
    // A file too short for its header is no configuration file at all.
    in.readLString(magic) && in.readLString(type) && in.readLString(version) && in.readLString(spare);
    if (magic != Magic || !in.ok())
        return failNamed(displayName, QStringLiteral("Invalid file type - cannot load!"));
    if (type != ExchangeType)
        return failNamed(displayName, QStringLiteral("Invalid exchange type - cannot load!"));
    if (version != Version)
        return failNamed(displayName, QStringLiteral("Invalid file Version - cannot convert!"));

    ExchClass loaded(config.log());
    if (!loaded.LoadFile(in, ExchClass::TonesFlag)) {
        return fail(QStringLiteral("The configuration file \"%1\" is damaged and was not loaded: %2.")
                        .arg(displayName, in.errorString()));
    }
    config = loaded;
    return true;
}
