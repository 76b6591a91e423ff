#pragma once

#include "link/BoardInformation.h"
#include "link/ClockReading.h"

#include <QByteArray>

#include <functional>

class ConnectionMonitor;
class DebugLog;
class DeviceSink;
class DocumentSink;
class PacketSender;
class RecordWriteQueue;
class SerialLinkUi;
class TransferSink;

// Routes every received packet by its code: to the running transfer, to the
// active document, to the device windows, or to the debug log's decoders.
// A receiver that is not there (no document, no device windows) means its
// packets are dropped.
class Dispatcher
{
public:
    // Finds the active document at the moment a packet arrives; may return null.
    using DocumentLookup = std::function<DocumentSink *()>;

    explicit Dispatcher(PacketSender *sender, DebugLog *log = nullptr);

    void setTransferSink(TransferSink *transfer) { m_transfer = transfer; }
    void setDeviceSink(DeviceSink *devices) { m_devices = devices; }
    void setUi(SerialLinkUi *ui) { m_ui = ui; }
    // Outside a transfer, record replies are offered here first: an echo of
    // the write in flight goes no further.
    void setWriteQueue(RecordWriteQueue *writes) { m_writes = writes; }
    void setActiveDocumentLookup(DocumentLookup lookup) { m_activeDocument = std::move(lookup); }
    // Learns of every frame; a clock report it asked for goes no further.
    void setConnectionMonitor(ConnectionMonitor *monitor) { m_monitor = monitor; }

    void ProcessPacket(const QByteArray &content);

    // Codes 1, 4 and 32.
    void DecodeStatus(const QByteArray &content);
    void DecodePortDynamic(const QByteArray &content);
    void DecodeBoardInfo(const QByteArray &content);

    static ClockReading clockReading(const QByteArray &content);
    static BoardInformation boardInformation(const QByteArray &content);

private:
    void routeToTransfer(int code, const QByteArray &content);
    void routeOutsideTransfer(int code, const QByteArray &content);
    void applyDefinition(const QByteArray &content);
    void acknowledge(bool inTransfer);
    void dump(const QByteArray &content);
    DocumentSink *activeDocument() const;
    DebugLog &log() const;

    PacketSender *m_sender;
    DebugLog *m_log;
    TransferSink *m_transfer = nullptr;
    DeviceSink *m_devices = nullptr;
    SerialLinkUi *m_ui = nullptr;
    RecordWriteQueue *m_writes = nullptr;
    ConnectionMonitor *m_monitor = nullptr;
    DocumentLookup m_activeDocument;
};
