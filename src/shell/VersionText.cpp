#include "shell/VersionText.h"

#include <QVersionNumber>

namespace VersionText {

QString line(const QString &version)
{
    const QVersionNumber number = QVersionNumber::fromString(version);
    return QStringLiteral("Version %1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

QString current()
{
    return line(QStringLiteral(QB_VERSION));
}

} // namespace VersionText
