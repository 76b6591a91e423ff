#pragma once

// Packet codes of the exchange protocol. Record request and send codes belong
// to the structures (ExchClass sets them); these are the others.
namespace PacketCode {
constexpr int None = -1; // nothing to send; also "no pending packet"
constexpr int Status = 1;
constexpr int Clock = 4; // PC: read the clock; exchange: "Port Dynamic" clock report
constexpr int SetClock = 5;
constexpr int StructureDefinition = 15;
constexpr int ResetSystem = 22;
constexpr int FactoryConfiguration = 23;
constexpr int RecordsUsed = 31;
constexpr int BoardInfo = 32;
constexpr int BoardParameters = 33; // PC: board parameters; exchange: their acknowledgement
constexpr int RightsNames = 99;     // the rights structure; never requested or sent
constexpr int Ignored[] = {2, 8, 9, 25, 26};
} // namespace PacketCode

namespace Frame {
constexpr char Delimiter = 0x7E;
constexpr char Escape = 0x7D;
// Every byte in this range is preceded by an escape on the wire.
constexpr unsigned char StuffFirst = 0x70;
constexpr unsigned char StuffLast = 0x7F;
constexpr char SequenceField[] = "00";
constexpr int TrailerLength = 2;
} // namespace Frame
