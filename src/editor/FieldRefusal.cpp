#include "FieldRefusal.h"

#include "MessageService.h"

#include <QApplication>
#include <QLineEdit>

bool FieldRefusal::refuse(QLineEdit *box, MessageService &messages, const QString &refusal)
{
    if (refusal.isEmpty())
        return false;
    box->setModified(true);
    QMetaObject::invokeMethod(
        box,
        [box, &messages, refusal] {
            // A fill may have replaced the text, or the panel gone, in the meantime.
            if (!box->isModified() || !box->isVisible() || !box->isEnabled())
                return;
            // A menu or another window took the focus: the box is judged again
            // when the engineer comes back and leaves it.
            if (QApplication::activePopupWidget() || !box->window()->isActiveWindow())
                return;
            // The message first: the box taking the focus while it is shown would be left again.
            messages.show(box, QMessageBox::Warning, QString(), refusal);
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        },
        Qt::QueuedConnection);
    return true;
}
