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
};
