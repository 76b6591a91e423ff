#pragma once

#include <QString>

// The program's name, its contact for problem reports and its legal notice,
// shared by the title bars, the message boxes and the splash and about windows.
namespace ProductInfo {
inline const QString ApplicationTitle = QStringLiteral("Quillbridge");
inline const QString SupportContact = QStringLiteral("Morgan Ellery");
inline const QString SupportEmail = QStringLiteral("support@quillbridge.invalid");
inline const QString BetaNotice = QStringLiteral("This is BETA SOFTWARE. Please report any problems to ");
inline const QString LegalWarning =
    QStringLiteral("Warning: Quillbridge is protected by copyright. Reproducing or distributing this program, "
                   "in whole or in part, without the written permission of its publisher is prohibited "
                   "and may lead to civil and criminal proceedings.");
} // namespace ProductInfo
