#include "analysis/ConfigurationChange.h"

#include "analysis/ByteText.h"
#include "model/ExchClass.h"

QString ConfigurationChange::memberName() const
{
    return QLatin1String(ExchClass::info(member).name);
}

QString ConfigurationChange::oldText() const
{
    return sideText(oldUse, oldValue);
}

QString ConfigurationChange::newText() const
{
    return sideText(newUse, newValue);
}

QString ConfigurationChange::sideText(Use use, const std::optional<FieldValue> &value) const
{
    switch (kind) {
    case Kind::Usage:
        return useText(use);
    case Kind::Record:
        return value ? ByteText::spacedHex(value->bytes) : AbsentText;
    case Kind::Field:
        break;
    }
    return value ? value->text() : AbsentText;
}

QString ConfigurationChange::useText(Use use)
{
    switch (use) {
    case Use::Absent:
        return AbsentText;
    case Use::Used:
        return QStringLiteral("used");
    case Use::Free:
        return QStringLiteral("free");
    case Use::FreeButMapped:
        return QStringLiteral("free but marked used in the used map");
    case Use::UsedButUnmapped:
        return QStringLiteral("used but not marked in the used map");
    }
    return QString();
}

QString ConfigurationChange::changeText() const
{
    QString text;
    switch (kind) {
    case Kind::Field:
        text = ByteText::escaped(field.toLatin1()) + QLatin1Char(' ');
        break;
    case Kind::Record:
        text = QStringLiteral("bytes ");
        break;
    case Kind::Usage:
        break;
    }
    return text + oldText() + QStringLiteral(" -> ") + newText();
}
