#include "editor/widgets/ReadOnlyLineEdit.h"

ReadOnlyLineEdit::ReadOnlyLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::ClickFocus);
    QPalette shown = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        shown.setColor(group, QPalette::Base, shown.color(group, QPalette::Window));
    setPalette(shown);
}
