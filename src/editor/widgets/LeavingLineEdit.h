#pragma once

#include <QLineEdit>

#include <functional>

class LeaveWatcher;
class MessageService;

// A text box of an editor panel: it reports when the engineer leaves it
// after typing in it, so a value shown from a record and left alone is never
// written back. A box with a rule refuses to be left holding what its field
// cannot store unchanged: it says so and keeps the focus.
class LeavingLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    static const QString NotANumber; // "Must be a number"

    // The refusal for a text; empty when the field can store it.
    using Rule = std::function<QString(const QString &text)>;

    explicit LeavingLineEdit(QWidget *parent = nullptr);

    void setRule(MessageService &messages, Rule rule);
    // Makes this a number box for whole numbers from 0 to largest.
    void setNumberRange(MessageService &messages, qint64 largest);
    // The number in a box whose text passed the check.
    qint64 number() const;
    // Shows a stored value; the box counts as untouched until the engineer types.
    void showValue(const QString &text);

signals:
    void left();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool mayBeLeft();
    void write();

    LeaveWatcher *m_watcher;
    MessageService *m_messages = nullptr;
    Rule m_rule;
};
