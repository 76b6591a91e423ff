#pragma once

#include <QLineEdit>

// A box showing what the engineer cannot edit here, and looking it: no
// typing, the window's background rather than an input field's, and the tab
// key passing it by. A click still selects its text for copying.
class ReadOnlyLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit ReadOnlyLineEdit(QWidget *parent = nullptr);
};
