#pragma once

#include "device/DevicePacket.h"
#include "device/widgets/DeviceServices.h"
#include "link/FrameSink.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <type_traits>

// The packets of a stream of frames, as the exchange reads them.
inline QList<DevicePacket> packetsOf(const QList<QByteArray> &frames)
{
    QList<DevicePacket> packets;
    Receiver receiver([&packets](const QByteArray &content) {
        // Code, two length bytes and "00" go before the payload, two trailer bytes after it.
        packets.append({quint8(content.at(0)), content.mid(5, content.size() - 7)});
    });
    for (const QByteArray &frame : frames)
        receiver.ProcessInput(frame);
    return packets;
}

inline QList<QByteArray> payloadsOf(const QList<QByteArray> &frames, int code)
{
    QList<QByteArray> payloads;
    for (const DevicePacket &packet : packetsOf(frames)) {
        if (packet.code == code)
            payloads.append(packet.payload);
    }
    return payloads;
}

// A device window on simulated timers whose frames are kept and whose
// message boxes answer at once, a question with Yes.
template<typename Window>
class DeviceWindowFixture : public ::testing::Test, public FrameSink
{
protected:
    DeviceWindowFixture() { queueAnswers(m_messages, QMessageBox::Yes, 20); }

    void SetUp() override
    {
        if constexpr (std::is_constructible_v<Window, const DeviceServices &>)
            open(new Window(m_services));
    }
    void TearDown() override { delete m_window.data(); }
    void PackSend(const QByteArray &frame) override { m_frames.append(frame); }

    void open(Window *window)
    {
        m_window = window;
        m_window->show();
        QApplication::setActiveWindow(m_window);
    }
    // The window again, on a message service that answers the first question with No.
    void reopenDeclining()
    {
        delete m_window.data();
        m_declining.setNextAnswer(QMessageBox::No);
        open(new Window(DeviceServices{m_sender, m_declining, m_timers}));
    }

    QLineEdit *box(const QString &name) const { return child<QLineEdit>(m_window.data(), name); }
    QLineEdit *box(const char *name) const { return child<QLineEdit>(m_window.data(), name); }
    void click(const QString &name) { QTest::mouseClick(child<QPushButton>(m_window.data(), name), Qt::LeftButton); }
    void click(const char *name) { click(QString::fromLatin1(name)); }
    void type(const char *name, const char *text) { box(name)->setText(QString::fromLatin1(text)); }
    // Puts the focus in the box, types and leaves it with Tab.
    void enterAndLeave(const char *name, const char *text)
    {
        box(name)->setFocus(Qt::OtherFocusReason);
        type(name, text);
        QTest::keyClick(box(name), Qt::Key_Tab);
    }
    bool hasFocus(const char *name) const { return QApplication::focusWidget() == box(name); }
    QString status() const { return child<QLabel>(m_window.data(), "sbar1Panel1")->text(); }
    QStringList messages() const { return messageTexts(m_messages); }
    QList<QByteArray> sent(int code) const { return payloadsOf(m_frames, code); }

    QList<QByteArray> m_frames;
    PacketSender m_sender{this};
    MessageService m_messages;
    MessageService m_declining;
    SimulatedTimers m_timers;
    DeviceServices m_services{m_sender, m_messages, m_timers};
    QPointer<Window> m_window;
};
