#pragma once

#include <QByteArray>

// Names of the record fields the program reads and writes, as the exchange
// spells them in its structure definitions.
namespace FieldNames {
inline const QByteArray Flag = QByteArrayLiteral("Flag");
inline const QByteArray Name = QByteArrayLiteral("Name");

// System
inline const QByteArray PublicIDLen = QByteArrayLiteral("PublicIDLen");
inline const QByteArray PassCodeLen = QByteArrayLiteral("PassCodeLen");
inline const QByteArray ExtLength = QByteArrayLiteral("ExtLength");
inline const QByteArray ConferenceGain = QByteArrayLiteral("ConferenceGain");
inline const QByteArray Freqs = QByteArrayLiteral("Freqs");
inline const QByteArray CallLogFlag = QByteArrayLiteral("CallLogFlag");

// Class list
inline const QByteArray ClassCodePosn = QByteArrayLiteral("ClassCodePosn");

// ACL
inline const QByteArray PublicID = QByteArrayLiteral("PublicID");
inline const QByteArray PassCode = QByteArrayLiteral("PassCode");
inline const QByteArray RingType = QByteArrayLiteral("RingType");
inline const QByteArray PriorityLevel = QByteArrayLiteral("PriorityLevel");
inline const QByteArray Rights = QByteArrayLiteral("Rights");
inline const QByteArray ClassAccess = QByteArrayLiteral("ClassAccess");
inline const QByteArray SetAccess = QByteArrayLiteral("SetAccess");

// Virtual port
inline const QByteArray Type = QByteArrayLiteral("Type");
inline const QByteArray TXGain = QByteArrayLiteral("TXGain");
inline const QByteArray RXGain = QByteArrayLiteral("RXGain");
inline const QByteArray ACLID = QByteArrayLiteral("ACLID");
inline const QByteArray GroupID = QByteArrayLiteral("GroupID");
inline const QByteArray PickupID = QByteArrayLiteral("PickupID");
inline const QByteArray ActionType = QByteArrayLiteral("ActionType");
inline const QByteArray ActionExtra = QByteArrayLiteral("ActionExtra");
inline const QByteArray ClassCode = QByteArrayLiteral("ClassCode");
inline const QByteArray ActionFlag = QByteArrayLiteral("ActionFlag");

// Group
inline const QByteArray GroupType = QByteArrayLiteral("GroupType");
inline const QByteArray GroupMembers = QByteArrayLiteral("GroupMembers");
inline const QByteArray MembersUsed = QByteArrayLiteral("MembersUsed");
inline const QByteArray TimeToNext = QByteArrayLiteral("TimeToNext");
inline const QByteArray GroupNumbers = QByteArrayLiteral("GroupNumbers");

// Dialled number (ext to virtual)
inline const QByteArray ExtNumberA = QByteArrayLiteral("ExtNumberA");
inline const QByteArray ExtNumberB = QByteArrayLiteral("ExtNumberB");
inline const QByteArray VirtualPortNo = QByteArrayLiteral("VirtualPortNo");

// Physical port (port to virtual)
inline const QByteArray VirtPort = QByteArrayLiteral("VIRTPORT");

// Tone
inline const QByteArray Tone = QByteArrayLiteral("Tone");
inline const QByteArray Time = QByteArrayLiteral("Time");
inline const QByteArray Level = QByteArrayLiteral("Level");
} // namespace FieldNames
