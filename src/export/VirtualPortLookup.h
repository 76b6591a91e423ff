#pragma once

#include <QByteArray>
#include <QHash>

class ExchClass;

// Where a virtual port is wired and which numbers dial it, worked out once
// from the physical-port and dialled-number tables, so that a conversion that
// asks for every port and group member reads each table only once.
class VirtualPortLookup
{
public:
    enum Kind { NoPort = 0, ExtensionPort = 1, ExternalLine = 2 };
    // FindVPPort results.
    static constexpr int Found = 1;
    static constexpr int UnusedBlock = -1;
    static constexpr int BeyondBoards = -2;
    static constexpr int NotMapped = -3;

    static constexpr int PortsPerBoard = 16;
    static constexpr int ExtensionBoards = 5;
    static constexpr int ExternalLineBlock = 6;

    struct PortLocation
    {
        int kind = NoPort;
        int board = 0;
        int port = 0;
        int result = NotMapped;
    };

    explicit VirtualPortLookup(const ExchClass &config);

    // The first physical port (in table order) that carries virtual port v.
    PortLocation FindVPPort(int v) const;
    // The dialled numbers of virtual port v, "; "-separated, in table order.
    QByteArray ListVPNumbers(int v) const;

private:
    QHash<int, int> m_firstPhysicalPort;
    QHash<int, QByteArray> m_numbers;
};
