#pragma once

#include <QString>

// How the engineer sees a physical port: the board it sits on and the
// terminal it is wired to. Port p is position p mod 16 of board p div 16;
// boards 0 to 4 carry extensions, board 5 auxiliary lines, board 6 tie lines
// and then the public-address outputs.
class PhysicalPortNames
{
public:
    static constexpr int PortsPerBoard = 16;
    static constexpr int ExtensionBoards = 5;
    static constexpr int ExtensionsPerBoard = 8;
    static constexpr int AuxBoard = 5;
    static constexpr int TieBoard = 6;
    static constexpr int TieLines = 4;
    static constexpr int PublicAddressOutputs = 2;
    // The virtual port of a board position that has no port.
    static constexpr int NoPort = 255;

    static int board(int port) { return port / PortsPerBoard; }
    static int position(int port) { return port % PortsPerBoard; }

    // "3", "Aux", "Tie"; a board the exchange does not name shows its number and "?".
    static QString boardLabel(int port);
    // "Board 3; Port 6"
    static QString boardPosition(int port);
    // "Ext 22", "Aux 5", "Tie 3", "PA 1"
    static QString terminalName(int port);
    // The name in a virtual port's list of its physical ports: "Ext 3 - Port 6",
    // "Aux - Port 5", "Tie - Port 3", "PA - Port 1".
    static QString linkName(int port);
};
