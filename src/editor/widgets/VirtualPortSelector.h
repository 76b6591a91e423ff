#pragma once

class QComboBox;
class RecordClass;

// A selector of the virtual port a dialled number or a physical port is
// bound to, holding VirtualPortChoices with each choice's value as its item data.
class VirtualPortSelector
{
public:
    static void fill(QComboBox &selector, const RecordClass &virtualPorts);
    // Selects the item of the value, or the last item ("<Unknown VP>") when none has it.
    static void select(QComboBox &selector, int value);
    // The value of the selected item; VirtualPortChoices::UnknownValue when nothing is selected.
    static int selectedValue(const QComboBox &selector);
};
