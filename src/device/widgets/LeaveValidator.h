#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

// Checks a box when the engineer leaves it. The check shows its own message
// and returns false to refuse; a refused box keeps the focus.
class LeaveValidator : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<bool()>;

    // The validator lives as long as the box.
    static void attach(QLineEdit *box, Check check);
    // Puts the focus in a refused box, its text selected, without checking
    // the box the focus leaves.
    static void refocus(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    LeaveValidator(QLineEdit *box, Check check);

    QLineEdit *m_box;
    Check m_check;
    // While one refusal is shown and the focus goes back, the focus changes
    // it causes check nothing.
    static bool s_refusing;
};
