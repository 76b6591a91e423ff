#pragma once

#include <QByteArray>
#include <QComboBox>

#include <optional>

// A list whose items each carry a value (a record index, or a negative value
// for the entries that name no record), selected and read by value.
class ValueComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ValueComboBox(QWidget *parent = nullptr);

    void addValue(const QString &text, int value);
    // "n - name", or "n - <No Name>" for an empty name, with the value n.
    void addRecord(int index, const QByteArray &name);
    // The value of the selected item; none when nothing is selected.
    std::optional<int> currentValue() const;
    int valueAt(int index) const;
    // Selects the first item with the value; false when there is none.
    bool selectValue(int value);
    // Whether some item carries a value of 0 or more.
    bool hasRecordChoice() const;
};
