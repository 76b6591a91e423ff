#pragma once

#include <QLineEdit>

class LeaveWatcher;
class MessageService;

// A text box of an editor panel: it reports when the engineer leaves it
// after typing in it, so a value shown from a record and left alone is never
// written back. A number box refuses to be left holding anything but a whole
// number its field stores unchanged: it says so and keeps the focus.
class LeavingLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    static const QString NotANumber; // "Must be a number"

    explicit LeavingLineEdit(QWidget *parent = nullptr);

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
    bool isNumberBox() const { return m_messages != nullptr; }
    // The refusal for the text as it stands; empty when it may be stored.
    QString refusal() const;
    bool mayBeLeft();
    void write();

    LeaveWatcher *m_watcher;
    MessageService *m_messages = nullptr;
    qint64 m_largest = 0;
};
