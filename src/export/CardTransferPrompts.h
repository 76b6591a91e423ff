#pragma once

#include <QString>

// How the card step talks to the engineer: message boxes in the program.
class CardTransferPrompts
{
public:
    enum class Severity { Information, Warning };

    virtual ~CardTransferPrompts() = default;

    // A box with an OK button; an empty title stands for the application title.
    virtual void showMessage(Severity severity, const QString &title, const QString &text) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;
};
