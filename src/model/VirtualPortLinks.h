#pragma once

#include <QString>

class ExchClass;

// What points at a virtual port: the dialled numbers that ring it and the
// physical ports bound to it, as the virtual-port panel's link boxes show them.
class VirtualPortLinks
{
public:
    // The full numbers of the enabled dialled-number records that ring the
    // port, a prefix separated from its number by a blank; "; " between numbers.
    static QString ListVPNumbers(const ExchClass &config, int virtualPort);
    // The names of the physical ports bound to the port, "; " between names.
    static QString ListVPPorts(const ExchClass &config, int virtualPort);
    // A physical port's name in that list, from its board and position:
    // "Ext 3 - Port 6", "Aux - Port 5", "Tie - Port 3", "PA - Port 1".
    static QString physicalPortName(int port);
};
