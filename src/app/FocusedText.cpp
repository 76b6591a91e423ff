#include "app/FocusedText.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
enum class ClipboardCommand { Cut, Copy, Paste };

template<typename TextWidget>
void apply(TextWidget *text, ClipboardCommand command)
{
    switch (command) {
    case ClipboardCommand::Cut:
        if (!text->isReadOnly())
            text->cut();
        break;
    case ClipboardCommand::Copy:
        text->copy();
        break;
    case ClipboardCommand::Paste:
        if (!text->isReadOnly())
            text->paste();
        break;
    }
}

void applyToFocusedText(ClipboardCommand command)
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus))
        apply(line, command);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus))
        apply(plain, command);
    else if (auto *rich = qobject_cast<QTextEdit *>(focus))
        apply(rich, command);
}
} // namespace

namespace FocusedText {
void cut()
{
    applyToFocusedText(ClipboardCommand::Cut);
}

void copy()
{
    applyToFocusedText(ClipboardCommand::Copy);
}

void paste()
{
    applyToFocusedText(ClipboardCommand::Paste);
}
} // namespace FocusedText
