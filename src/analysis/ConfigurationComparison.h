#pragma once

#include "analysis/ConfigurationChange.h"
#include "analysis/LayoutChange.h"

#include <QList>
#include <QStringList>

#include <functional>

class ExchClass;

// What changed from one configuration to another, structure by structure in
// member order, record by record, field by field through each layout's field
// names. Freeing a record or taking it into use is one Usage change, not a
// change of the Flag's free bit; a record freed or removed lists no fields.
// A structure whose layout differs has LayoutChanges and its changed records
// as raw bytes. File bookkeeping (data flag, last saved) is not compared.
class ConfigurationComparison
{
public:
    ConfigurationComparison(const ExchClass &oldConfig, const ExchClass &newConfig);

    bool identical() const { return m_changes.isEmpty() && m_layoutChanges.isEmpty(); }
    const QList<ConfigurationChange> &changes() const { return m_changes; }
    const QList<LayoutChange> &layoutChanges() const { return m_layoutChanges; }
    // The members with any change, in member order.
    QList<int> changedMembers() const;
    // One line a changed record, its changes joined: "ACL 5 (Reception): Name "Reception" -> "Front Desk";
    // PassCode "1234" -> "4321"". Only the members `includes` accepts, when given.
    QStringList recordLines(const std::function<bool(int member)> &includes = {}) const;

private:
    QList<ConfigurationChange> m_changes;
    QList<LayoutChange> m_layoutChanges;
};
