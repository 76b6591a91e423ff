#pragma once

#include <QList>

class ExchClass;

// The bit positions classes own: a class's position is its bit in every
// virtual port's ClassCode and every ACL's ClassAccess and SetAccess, so two
// classes in use must never share one, and a class that goes takes its bit
// with it.
class ClassPositions
{
public:
    // The records in use whose bit for a position is set.
    struct Holders
    {
        QList<int> ports;
        QList<int> acls;
    };

    explicit ClassPositions(ExchClass &config);

    // How many positions the classes can have: as many as the ports' and
    // ACLs' bit sets and the class records' position field all hold.
    int capacity() const;
    // The lowest position no class in use holds; -1 when none is left.
    int freePosition() const;
    // Whether a class in use other than the record holds the position.
    bool heldByAnother(int position, int classIndex) const;
    Holders holders(int position) const;
    // Clears the position in every record that has it set; returns those records.
    Holders takeFromAll(int position);

private:
    ExchClass &m_config;
};
