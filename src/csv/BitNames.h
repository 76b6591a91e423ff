#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class ExchClass;

// The names a configuration gives the bits of a bit-set field: a class's
// name for its bit position in a virtual port's ClassCode and an ACL's
// ClassAccess and SetAccess, a right's name for its bit in an ACL's Rights.
// Only names that stand for one bit and cannot be read as something else
// are used: not empty, not a number, no ';', no space at either end, and no
// other bit with the same name in any letter case.
class BitNames
{
public:
    BitNames() = default;
    static BitNames of(const ExchClass &config, int member, QByteArrayView field);

    bool isEmpty() const { return m_names.isEmpty(); }
    // The bit's name; empty when it has none.
    QString name(int bit) const { return m_names.value(bit); }
    // The bit a name stands for, in any letter case.
    std::optional<int> bit(const QString &name) const;

private:
    struct Candidate
    {
        int bit;
        QString name;
    };
    explicit BitNames(const QList<Candidate> &candidates);

    QHash<int, QString> m_names;
    // Case-folded names to their bits.
    QHash<QString, int> m_bits;
};
