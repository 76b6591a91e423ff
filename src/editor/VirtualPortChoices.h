#pragma once

#include <QList>
#include <QString>

class RecordClass;

// The virtual ports a dialled number or a physical port can be bound to:
// every port in use and enabled, then "<Unknown VP>" for a binding to
// anything else.
class VirtualPortChoices
{
public:
    static constexpr int UnknownValue = -2;

    struct Choice
    {
        QString text;
        int value = 0;

        bool operator==(const Choice &) const = default;
    };

    static QList<Choice> build(const RecordClass &virtualPorts);
    // The port's name as the list shows it; empty for an index the table does not have.
    static QString name(const RecordClass &virtualPorts, int index);
    // "n (name)", as a list shows a port's binding.
    static QString binding(const RecordClass &virtualPorts, int index);
};
