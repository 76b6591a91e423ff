#pragma once

#include <QString>

class MessageService;
class QLineEdit;

// Refuses, from a box's write handler, what the engineer typed: once the
// focus has settled the message is shown, the focus goes back into the box
// with its text selected, and the box stays edited so that leaving it again
// is judged again.
class FieldRefusal
{
public:
    // Refuses when the refusal is not empty; the caller then writes nothing.
    static bool refuse(QLineEdit *box, MessageService &messages, const QString &refusal);
};
