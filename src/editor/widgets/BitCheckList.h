#pragma once

#include <QByteArrayView>
#include <QList>
#include <QListWidget>
#include <QString>

class RecordClass;

// One choice of a bit-set check list: its text and the bit it stands for.
struct BitEntry
{
    QString text;
    int position = 0;

    bool operator==(const BitEntry &) const = default;
};

// A check list whose items stand for bits of a bit set (rights, classes,
// options). Filling it from a record raises no toggles; the engineer's
// ticks do.
class BitCheckList : public QListWidget
{
    Q_OBJECT

public:
    explicit BitCheckList(QWidget *parent = nullptr);

    void setEntries(const QList<BitEntry> &entries);
    QList<BitEntry> entries() const;
    // Ticks each item whose bit is set in the field of the record, reading
    // every byte of the field; items past the field are left as they are.
    void showBits(const RecordClass &structure, QByteArrayView field, int record);
    bool isTicked(int position) const;
    QListWidgetItem *itemForPosition(int position) const;

signals:
    void bitToggled(int position, bool ticked);

private:
    void itemToggled(QListWidgetItem *item);

    bool m_showing = false;
};
