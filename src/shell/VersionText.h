#pragma once

#include <QString>

namespace VersionText {
// "Version " + major.minor.revision of a "major.minor.patch" text, each number
// in plain decimal: "03.0.12" gives "Version 3.0.12".
QString line(const QString &version);
// The version line of this build.
QString current();
} // namespace VersionText
