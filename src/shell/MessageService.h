#pragma once

#include <QList>
#include <QMessageBox>
#include <QQueue>
#include <QString>

#include <utility>

// The one way the program shows message boxes. Tests queue the answers in
// advance, so nothing is shown, and read back every message that was asked for.
class MessageService
{
public:
    using Icon = QMessageBox::Icon;
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;
    // Buttons that say what they do in the question's own words.
    using ButtonTexts = QList<std::pair<Button, QString>>;

    struct Message
    {
        Icon icon;
        QString title; // as shown: the application title when none was given
        QString text;
        Buttons buttons;
        Button defaultButton; // NoButton: the box's own choice
        ButtonTexts buttonTexts;
    };

    MessageService() = default;

    static MessageService &instance();

    // Returns the button pressed, one of the QMessageBox::StandardButton values.
    int show(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons = QMessageBox::Ok,
             Button defaultButton = QMessageBox::NoButton, const ButtonTexts &buttonTexts = {});

    // The next call to show() returns this answer instead of showing the box.
    void setNextAnswer(Button button);
    QList<Message> shownMessages() const { return m_shown; }
    void clearShownMessages() { m_shown.clear(); }

private:
    QQueue<Button> m_answers;
    QList<Message> m_shown;
};
