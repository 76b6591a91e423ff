#include "editor/widgets/ValueComboBox.h"

namespace {
constexpr int ValueRole = Qt::UserRole;
const QString NameSeparator = QStringLiteral(" - ");
const QString NoName = QStringLiteral("<No Name>");
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
    const QString shownName = name.isEmpty() ? NoName : QString::fromLatin1(name);
    addValue(QString::number(index) + NameSeparator + shownName, index);
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
