#include "app/SendSummary.h"

#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

namespace {
constexpr int SendOrder[] = {ExchClass::ClassListMember,    ExchClass::SystemMember, ExchClass::VirtualPortsMember,
                             ExchClass::ACLMember,          ExchClass::GroupsMember, ExchClass::PortToVirtualMember,
                             ExchClass::ExtToVirtualMember, ExchClass::TonesMember};

// Every record in use is written, and the first of each structure even when free.
int recordCount(const ExchClass &config, int member)
{
    const RecordClass &structure = config.member(member);
    if (structure.GetType(FieldNames::Flag) != FieldType::Boolean)
        return structure.Records();
    int count = 0;
    for (int i = 0; i < structure.Records(); ++i) {
        if (i == 0 || !RecordSlots::isFree(structure, i))
            ++count;
    }
    return count;
}
} // namespace

QString SendSummary::recordsToWrite(const ExchClass &config)
{
    QString lines;
    for (int member : SendOrder) {
        if (config.member(member).Records() == 0)
            continue;
        const int count = recordCount(config, member);
        lines += QStringLiteral("%1: %2 %3\n")
                     .arg(RecordLabel::structureTitle(member))
                     .arg(count)
                     .arg(count == 1 ? QStringLiteral("record") : QStringLiteral("records"));
    }
    return lines;
}
