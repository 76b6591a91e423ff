#pragma once

#include "DocumentFixture.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// A document fixture whose window is active, so field editors see the
// focus come and go as the engineer moves through them.
class PanelFixture : public DocumentFixture
{
protected:
    void SetUp() override;

    template<typename Control>
    Control *control(const QString &name) const
    {
        Control *found = window->findChild<Control *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // Focus into the control, as a click or a tab would put it there.
    void enter(QWidget *control);
    // Focus away from the control to the tree, as a click on the tree does.
    void leave(QWidget *control);
    // Replaces the text of a box by typing, then leaves the box.
    void typeInto(QLineEdit *box, const QString &text);
    // Picks the item as the engineer does from the list's pop-up.
    void choose(QComboBox *list, int index);
    void choose(QComboBox *list, const QString &text);
    // A mouse click on a check box.
    void clickBox(QCheckBox *box);
    // Answers the next message box, so none is shown.
    void answerNextMessage();
    QStringList messageTexts() const;
    QStringList itemTexts(const QComboBox *list) const;
};
