#pragma once

#include <QByteArray>

class ExchClass;

// The active document window as received packets reach it outside a transfer.
class DocumentSink
{
public:
    virtual ~DocumentSink() = default;

    // The configuration the document edits; null when it has none.
    virtual ExchClass *configuration() = 0;

    virtual void FillVP(int index, const QByteArray &data, bool fromPacket) = 0;
    virtual void FillGroup(int index, const QByteArray &data, bool fromPacket) = 0;
    virtual void FillACL(int index, const QByteArray &data, bool fromPacket) = 0;
    virtual void FillClassLists(const QByteArray &data) = 0;
    virtual void FillSystem(int index, const QByteArray &data, bool fromPacket) = 0;
    // The rights-names definition: the document builds its rights list from
    // the packet instead of a structure.
    virtual void BuildRights(const QByteArray &packet) = 0;
};
