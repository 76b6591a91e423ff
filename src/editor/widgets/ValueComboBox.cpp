#include "editor/widgets/ValueComboBox.h"

#include "model/RecordLabel.h"

namespace {
constexpr int ValueRole = Qt::UserRole;
} // namespace

ValueComboBox::ValueComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void ValueComboBox::addValue(const QString &text, int value)
{
    addItem(text, value);
}

void ValueComboBox::addRecord(int index, const QByteArray &name)
{
    addValue(RecordLabel::numbered(index, name), index);
}

std::optional<int> ValueComboBox::currentValue() const
{
    if (currentIndex() < 0)
        return std::nullopt;
    return valueAt(currentIndex());
}

int ValueComboBox::valueAt(int index) const
{
    return itemData(index, ValueRole).toInt();
}

bool ValueComboBox::selectValue(int value)
{
    const int index = findData(value, ValueRole);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

bool ValueComboBox::hasRecordChoice() const
{
    for (int i = 0; i < count(); ++i) {
        if (valueAt(i) >= 0)
            return true;
    }
    return false;
}
