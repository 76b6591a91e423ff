#pragma once

#include "DeviceServices.h"
#include "MessageService.h"
#include "PacketRecorder.h"
#include "PacketSender.h"
#include "SimulatedTimers.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <type_traits>

// A device window on simulated timers whose packets are recorded and whose
// message boxes are answered in advance.
template<typename Window>
class DeviceWindowFixture : public ::testing::Test
{
protected:
    static constexpr int QueuedAnswers = 20;

    DeviceWindowFixture()
    {
        // Every box answers at once, a question with Yes; the tests read what was shown.
        for (int i = 0; i < QueuedAnswers; ++i)
            m_messages.setNextAnswer(QMessageBox::Yes);
    }

    void SetUp() override
    {
        if constexpr (std::is_constructible_v<Window, const DeviceServices &>)
            open(new Window(m_services));
    }

    void open(Window *window)
    {
        m_window = window;
        m_window->show();
        QApplication::setActiveWindow(m_window);
    }

    void TearDown() override { delete m_window.data(); }

    // The window again, on a message service that answers the first question with No.
    void reopenDeclining()
    {
        delete m_window.data();
        m_declining.setNextAnswer(QMessageBox::No);
        open(new Window(DeviceServices{m_sender, m_declining, m_timers}));
    }

    template<typename Control>
    Control *control(const QString &name) const
    {
        auto *found = m_window->template findChild<Control *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit *box(const QString &name) const { return control<QLineEdit>(name); }
    void click(const QString &name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const QString &name, const QString &text) { box(name)->setText(text); }

    // Puts the focus in the box and leaves it with Tab.
    void enterAndLeave(const QString &name, const QString &text)
    {
        QLineEdit *edit = box(name);
        edit->setFocus(Qt::OtherFocusReason);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    bool hasFocus(const QString &name) const { return QApplication::focusWidget() == box(name); }

    QString status() const { return control<QLabel>(QStringLiteral("sbar1Panel1"))->text(); }
    QStringList messages() const
    {
        QStringList texts;
        for (const MessageService::Message &message : m_messages.shownMessages())
            texts.append(message.text);
        return texts;
    }

    PacketRecorder m_recorder;
    PacketSender m_sender{&m_recorder};
    MessageService m_messages;
    MessageService m_declining;
    SimulatedTimers m_timers;
    DeviceServices m_services{m_sender, m_messages, m_timers};
    QPointer<Window> m_window;
};
