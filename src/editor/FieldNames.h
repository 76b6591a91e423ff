#pragma once

#include <QByteArray>

// Names of the record fields the editor reads and writes, as the exchange
// spells them.
namespace FieldNames {
inline const QByteArray Flag = QByteArrayLiteral("Flag");
inline const QByteArray Name = QByteArrayLiteral("Name");
} // namespace FieldNames
