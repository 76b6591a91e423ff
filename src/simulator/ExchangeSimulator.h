#pragma once

#include "link/Receiver.h"
#include "model/ExchClass.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>

#include <array>
#include <functional>

// An Orvex exchange as seen from its programming port, without the line: it
// takes the PC's byte stream, serves definitions, used maps and records from
// the configuration it holds, stores written records, and answers the clock,
// board and factory commands. Replies come back as finished frames.
class ExchangeSimulator
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr int BoardCount = 10;
    static constexpr int BoardFieldCount = 4;
    static constexpr int BoardFieldLength = 8;

    ExchangeSimulator();

    ExchClass &configuration() { return m_config; }
    const ExchClass &configuration() const { return m_config; }

    // Runs a chunk of the PC's bytes and returns the frames answered to the
    // packets completed in it, in order.
    QList<QByteArray> feed(QByteArrayView bytes);

    // Every n-th received packet goes unanswered, as on a noisy line; 0 never.
    void setDropEvery(int n) { m_dropEvery = qMax(0, n); }
    int dropEvery() const { return m_dropEvery; }
    // An exchange without tone support: tone requests and writes go unanswered.
    void setNoTones(bool on) { m_noTones = on; }
    bool noTones() const { return m_noTones; }
    // Where the exchange's clock reads from before any set; local time by default.
    void setClock(Clock clock);

    // The data of every board-parameter packet (code 33) after the port id, in
    // the order received: serial information, line parameters, cadences.
    const QList<QByteArray> &boardParameters() const { return m_boardParameters; }
    // A board's serial number and manufacture date as the board report carries
    // them, NUL-padded to BoardFieldLength.
    QByteArray boardSerialNumber(int board) const;
    QByteArray boardManufactureDate(int board) const;
    // The data of the last factory rebuild (code 23) after the port id.
    QByteArray factoryConfiguration() const { return m_factoryConfiguration; }
    // Resets (code 22) carrying "rR".
    int resetsReceived() const { return m_resetsReceived; }

    int framesReceived() const { return m_framesReceived; }
    int framesDropped() const { return m_framesDropped; }
    int framesAnswered() const { return m_framesAnswered; }

    // A packet as the exchange puts it on the line: delimiters around the
    // stuffed content.
    static QByteArray replyFrame(int code, int portId, const QByteArray &data);

private:
    using BoardFields = std::array<QByteArray, BoardFieldCount>;

    void receive(const QByteArray &content);
    void answer(int code, int portId, const QByteArray &data);
    void reply(int code, int portId, const QByteArray &data);
    void answerRecordPacket(int code, int index, const QByteArray &data);
    void answerDefinition(int structure);
    void answerRecordsUsed(int structure);
    void answerClock();
    void setClockFrom(const QByteArray &data);
    void answerBoardInfo();
    void storeBoardParameters(const QByteArray &data);
    const RecordClass *structureNumbered(int structure) const;

    ExchClass m_config;
    Receiver m_receiver;
    QList<QByteArray> m_replies;
    Clock m_clock;
    qint64 m_clockOffsetSeconds = 0;
    std::array<BoardFields, BoardCount> m_boards;
    QList<QByteArray> m_boardParameters;
    QByteArray m_factoryConfiguration;
    int m_resetsReceived = 0;
    int m_dropEvery = 0;
    bool m_noTones = false;
    int m_framesReceived = 0;
    int m_framesDropped = 0;
    int m_framesAnswered = 0;

    Q_DISABLE_COPY_MOVE(ExchangeSimulator)
};
