#pragma once

#include <QByteArray>

// What the dispatcher hands to a running configuration transfer.
class TransferSink
{
public:
    virtual ~TransferSink() = default;

    // The global transfer flag: while set, definitions, used maps and record
    // replies belong to the transfer.
    virtual bool transferRunning() const = 0;
    virtual void StructIn(const QByteArray &content) = 0;
    virtual void RecordsUsedIn(const QByteArray &content) = 0;
    virtual void PacketIn(const QByteArray &content) = 0;
    // A code-33 acknowledgement, which no request of a transfer asks for.
    virtual void acknowledge() = 0;
};
