#pragma once

#include "DocumentFixture.h"
#include "ExchClass.h"

#include <QWidget>

// A document on the sample configuration whose window is active, so that
// focus moves between controls as the engineer makes them.
class FocusedPanelFixture : public DocumentFixture
{
protected:
    void SetUp() override;

    template<typename T>
    T *control(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // The engineer tabs into the control.
    void enter(QWidget *control);
    // The engineer clicks another control, leaving the one with the focus.
    void leaveTo(QWidget *control);
    static int sendCode(ExchClass::Member member) { return ExchClass::info(member).sendCode; }
};
