#include "MessageService.h"

#include "ProductInfo.h"

MessageService &MessageService::instance()
{
    static MessageService service;
    return service;
}

int MessageService::show(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                         Button defaultButton)
{
    const QString shownTitle = title.isEmpty() ? ProductInfo::ApplicationTitle : title;
    const Buttons shownButtons = buttons == QMessageBox::NoButton ? Buttons(QMessageBox::Ok) : buttons;
    m_shown.append({icon, shownTitle, text, shownButtons, defaultButton});

    if (!m_answers.isEmpty())
        return m_answers.dequeue();

    QMessageBox box(icon, shownTitle, text, shownButtons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return box.exec();
}

void MessageService::setNextAnswer(Button button)
{
    m_answers.enqueue(button);
}
