#include "shell/MessageService.h"

#include "core/ProductInfo.h"

#include <QAbstractButton>

MessageService &MessageService::instance()
{
    static MessageService service;
    return service;
}

int MessageService::show(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                         Button defaultButton, const ButtonTexts &buttonTexts)
{
    const QString shownTitle = title.isEmpty() ? ProductInfo::ApplicationTitle : title;
    const Buttons shownButtons = buttons == QMessageBox::NoButton ? Buttons(QMessageBox::Ok) : buttons;
    m_shown.append({icon, shownTitle, text, shownButtons, defaultButton, buttonTexts});

    if (!m_answers.isEmpty())
        return m_answers.dequeue();

    QMessageBox box(icon, shownTitle, text, shownButtons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    for (const auto &[button, buttonText] : buttonTexts) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(buttonText);
    }
    return box.exec();
}

void MessageService::setNextAnswer(Button button)
{
    m_answers.enqueue(button);
}
