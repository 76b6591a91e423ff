#include "VirtualPortSelector.h"

#include "VirtualPortChoices.h"

#include <QComboBox>

void VirtualPortSelector::fill(QComboBox &selector, const RecordClass &virtualPorts)
{
    selector.clear();
    for (const VirtualPortChoices::Choice &choice : VirtualPortChoices::build(virtualPorts))
        selector.addItem(choice.text, choice.value);
}

void VirtualPortSelector::select(QComboBox &selector, int value)
{
    const int found = selector.findData(value);
    selector.setCurrentIndex(found >= 0 ? found : selector.count() - 1);
}

int VirtualPortSelector::selectedValue(const QComboBox &selector)
{
    return selector.currentIndex() >= 0 ? selector.currentData().toInt() : VirtualPortChoices::UnknownValue;
}
