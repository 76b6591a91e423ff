#pragma once

#include "device/widgets/DeviceServices.h"
#include "link/FrameSink.h"
#include "link/PacketCode.h"
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

#include <array>
#include <type_traits>

// The payloads of the packets with the code in a stream of frames, as the exchange reads them.
inline QList<QByteArray> payloadsOf(const QList<QByteArray> &frames, int code)
{
    QList<QByteArray> payloads;
    Receiver receiver([&payloads, code](const QByteArray &content) {
        // Code, two length bytes and "00" go before the payload, two trailer bytes after it.
        if (quint8(content.at(0)) == code)
            payloads.append(content.mid(5, content.size() - 7));
    });
    for (const QByteArray &frame : frames)
        receiver.ProcessInput(frame);
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
    QLineEdit *box(const char *name) const { return box(QLatin1String(name)); }
    void click(const QString &name) { QTest::mouseClick(child<QPushButton>(m_window.data(), name), Qt::LeftButton); }
    void click(const char *name) { click(QLatin1String(name)); }
    void type(const char *name, const char *text) { box(name)->setText(QString::fromLatin1(text)); }
    // Puts the focus in the box, types and leaves it with Tab.
    void enterAndLeave(const char *name, const char *text)
    {
        box(name)->setFocus(Qt::OtherFocusReason);
        type(name, text);
        QTest::keyClick(box(name), Qt::Key_Tab);
    }
    bool hasFocus(const char *name) const { return QApplication::focusWidget() == box(name); }
    QString status() const { return shownIn(m_window.data(), "sbar1Panel1"); }
    QStringList messages() const { return messageTexts(m_messages); }
    QList<QByteArray> sent(int code) const { return payloadsOf(m_frames, code); }
    // Acknowledges every packet as it goes out.
    void acknowledgeAll()
    {
        for (qsizetype before = -1; before != m_frames.size();) {
            before = m_frames.size();
            m_window->DataReceived();
        }
    }
    // A series started by the command whose first part the exchange acknowledges and whose second it never does.
    void expectASilenceStopsTheSeries(const char *command)
    {
        m_frames.clear();
        click(command);
        m_window->DataReceived();
        m_timers.advance(1000);
        EXPECT_EQ(messages(), strings({"New Parameters not received by Exchange"}));
        m_window->DataReceived();
        EXPECT_EQ(payloadsOf(m_frames, PacketCode::BoardParameters).size(), 2) << "nothing after the silence";
    }
    // Types each value into its box, clicks the command and expects the message, the focus left in the box.
    void expectRefusals(std::initializer_list<std::array<const char *, 5>> rows)
    {
        for (const auto &[name, text, command, message, taken] : rows) {
            m_messages.clearShownMessages();
            type(name, text);
            click(command);
            EXPECT_EQ(messages(), strings({message})) << name << " " << text;
            EXPECT_TRUE(hasFocus(name)) << name;
            type(name, taken);
        }
        EXPECT_TRUE(m_frames.isEmpty());
    }

    QList<QByteArray> m_frames;
    PacketSender m_sender{this};
    MessageService m_messages;
    MessageService m_declining;
    SimulatedTimers m_timers;
    DeviceServices m_services{m_sender, m_messages, m_timers};
    QPointer<Window> m_window;
};
