#pragma once

// Edit → Cut, Copy and Paste work on the text box that has the focus; with
// none, or a read-only box for Cut and Paste, nothing happens and nothing is reported.
namespace FocusedText {
void cut();
void copy();
void paste();
} // namespace FocusedText
