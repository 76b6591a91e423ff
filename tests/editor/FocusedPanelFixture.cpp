#include "FocusedPanelFixture.h"

#include <QApplication>

void FocusedPanelFixture::SetUp()
{
    DocumentFixture::SetUp();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(window->isActiveWindow());
}

void FocusedPanelFixture::enter(QWidget *control)
{
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

void FocusedPanelFixture::leaveTo(QWidget *control)
{
    control->setFocus(Qt::MouseFocusReason);
}
