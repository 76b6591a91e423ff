#include "core/Registry.h"

#include <QSettings>
#include <QStringList>

#include <limits>

namespace {
const QString Organisation = QStringLiteral("Ternwick");
const QString DefaultAppTitle = QStringLiteral("Quillbridge");
const QString NumberPrefix = QStringLiteral("dword:");
const QString TextPrefix = QStringLiteral("sz:");

QString basePathFor(const QString &title)
{
    return QStringLiteral("Software\\%1\\%2\\").arg(Organisation, title);
}

QString encodeText(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral(" ");
    if (text.startsWith(NumberPrefix) || text.startsWith(TextPrefix))
        return TextPrefix + text;
    return text;
}

QString encodeNumber(quint32 bits)
{
    return NumberPrefix + QStringLiteral("%1").arg(bits, 8, 16, QLatin1Char('0'));
}

// A malformed number is returned as stored, as the store does with any value
// of a type it does not know.
QString decode(const QVariant &stored)
{
    // An unquoted comma in a hand-edited file makes QSettings return a list.
    const QString text =
        stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(QLatin1Char(',')) : stored.toString();
    if (text.startsWith(NumberPrefix)) {
        bool ok = false;
        const uint bits = text.mid(NumberPrefix.size()).toUInt(&ok, 16);
        return ok ? QString::number(static_cast<qint32>(bits)) : text;
    }
    if (text.startsWith(TextPrefix))
        return text.mid(TextPrefix.size());
    return text;
}

qint32 statusOf(const QSettings &settings)
{
    switch (settings.status()) {
    case QSettings::NoError:
        return Registry::StatusOk;
    case QSettings::FormatError:
        return Registry::StatusInvalidData;
    case QSettings::AccessError:
        break;
    }
    return Registry::StatusAccessDenied;
}

bool sectionExists(const QSettings &settings)
{
    return !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
}

// QSettings::remove() also drops a sub-section of the same name, which a
// registry value never owns; put that sub-section back.
void removeValueOnly(QSettings &settings, const QString &name)
{
    settings.beginGroup(name);
    const QStringList keys = settings.allKeys();
    QVariantList values;
    for (const QString &key : keys)
        values.append(settings.value(key));
    settings.endGroup();

    settings.remove(name);

    settings.beginGroup(name);
    for (qsizetype i = 0; i < keys.size(); ++i)
        settings.setValue(keys.at(i), values.at(i));
    settings.endGroup();
}
} // namespace

Registry::Registry()
    : m_appTitle(DefaultAppTitle)
    , m_basePath(basePathFor(DefaultAppTitle))
{
}

Registry::Registry(const QString &iniFilePath)
    : m_iniFilePath(iniFilePath)
    , m_appTitle(DefaultAppTitle)
    , m_basePath(basePathFor(DefaultAppTitle))
{
}

Registry &Registry::shared()
{
    static Registry registry;
    return registry;
}

QString Registry::GetSetting(const QString &section, const QString &name, const QVariant &defaultValue) const
{
    if (name.isEmpty())
        return defaultValue.toString();
    const auto settings = open(section);
    const QString text = decode(settings->value(name));
    return text.isEmpty() ? defaultValue.toString() : text;
}

qint32 Registry::SaveSetting(const QString &section, const QString &name, qint32 type, const QVariant &value)
{
    if (type != TypeText && type != TypeNumber)
        return StatusUnsupportedType;
    if (name.isEmpty())
        return StatusInvalidName;

    QString stored;
    if (type == TypeNumber) {
        bool ok = false;
        const qint64 number =
            value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok) : value.toLongLong(&ok);
        // Both the signed and the unsigned reading of 32 bits are accepted.
        if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
            return StatusInvalidData;
        stored = encodeNumber(static_cast<quint32>(number));
    } else {
        stored = encodeText(value.toString());
    }

    const auto settings = open(section);
    settings->setValue(name, stored);
    settings->sync();
    return statusOf(*settings);
}

qint32 Registry::DeleteSetting(const QString &section, const QString &name)
{
    const auto settings = open(section);
    if (name.isEmpty()) {
        if (!sectionExists(*settings))
            return StatusNotFound;
        settings->remove(QString());
    } else {
        if (!settings->contains(name))
            return StatusNotFound;
        removeValueOnly(*settings, name);
    }
    settings->sync();
    return statusOf(*settings);
}

Registry::ValueList Registry::GetAllSettings(const QString &section) const
{
    const auto settings = open(section);
    ValueList values;
    const QStringList names = settings->childKeys();
    for (const QString &name : names)
        values.append({name, decode(settings->value(name))});
    return values;
}

QString Registry::GetValueName(const QString &section, int index) const
{
    return open(section)->childKeys().value(index);
}

int Registry::GetSubKeyCount(const QString &section) const
{
    const auto settings = open(section);
    if (settings->status() != QSettings::NoError || !sectionExists(*settings))
        return -1;
    return static_cast<int>(settings->childGroups().size());
}

QString Registry::GetSubKeyName(const QString &section, int index) const
{
    return open(section)->childGroups().value(index);
}

void Registry::SetAppTitle(const QString &title)
{
    if (title.isEmpty())
        return;
    m_appTitle = title;
    m_basePath = basePathFor(title);
}

int Registry::GetNumber(const QString &section, const QString &name, int defaultValue) const
{
    bool ok = false;
    const int number = GetSetting(section, name, defaultValue).trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::unique_ptr<QSettings> Registry::open(const QString &section) const
{
    auto settings = m_iniFilePath.isEmpty()
        ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organisation, m_appTitle)
        : std::make_unique<QSettings>(m_iniFilePath, QSettings::IniFormat);
    // The store has one root, the current user: no system-wide fallbacks.
    settings->setFallbacksEnabled(false);
    QString group = section;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!group.isEmpty())
        settings->beginGroup(group);
    return settings;
}
