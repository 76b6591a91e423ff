#pragma once

#include <QString>

// What the link asks of the user interface; the main window answers in the
// program, a recorder in tests.
class SerialLinkUi
{
public:
    virtual ~SerialLinkUi() = default;

    // A message box with the text, an OK button and the application's title.
    virtual void showMessage(const QString &text) = 0;
    // The configured port cannot be used and several others can: let the user
    // pick one (the options dialog). The choice is stored as the "Comms"
    // settings; the dialog may open the port itself. Returns whether a port
    // was picked.
    virtual bool choosePort() = 0;
    virtual void beep() = 0;
};
