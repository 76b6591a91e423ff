#include "model/ExchClass.h"

#include "model/QbfReader.h"
#include "model/QbfWriter.h"

#include <initializer_list>

namespace {
const ExchClass::MemberInfo Members[ExchClass::MemberCount] = {
    {"ClassList", 8, 14, 27},      {"ACL", 4, 12, 18},          {"VirtualPorts", 1, 10, 16},
    {"System", 6, 20, 21},         {"Groups", 3, 11, 17},       {"Rights", 14, 99, 99},
    {"PortToVirtual", 15, 29, 30}, {"ExtToVirtual", 2, 13, 19}, {"Tones", 10, 36, 37},
};

// The program's own tone layout; the exchange may replace it with its own.
const QByteArray TonesName = QByteArrayLiteral("Tones");
constexpr int ToneFields = 6;
constexpr int ToneRecordSize = 64;
constexpr int ToneSteps = 16;
constexpr int EndStepTime = 255;

struct ToneStep
{
    int tone, time, level;
};
struct DefaultTone
{
    const char *name;
    std::initializer_list<ToneStep> steps;
};

const DefaultTone DefaultTones[] = {
    {"DIAL", {{80, 20, 13}, {80, 20, 13}, {0, EndStepTime, 0}}},
    {"ENGAGED", {{85, 2, 13}, {85, 2, 31}, {0, EndStepTime, 0}}},
    {"NU", {{87, 20, 13}, {87, 20, 13}, {0, EndStepTime, 0}}},
    {"ONHOLD", {{89, 1, 13}, {89, 1, 31}, {90, 1, 13}, {89, 17, 31}, {0, EndStepTime, 0}}},
    {"ACLOK", {{81, 20, 13}, {81, 20, 13}, {0, EndStepTime, 0}}},
    {"RING", {{84, 4, 13}, {84, 8, 31}, {0, EndStepTime, 0}}},
    {"SELFENG", {{81, 1, 13}, {81, 1, 31}, {0, EndStepTime, 0}}},
    {"SUCCESS", {{90, 1, 13}, {90, 1, 31}, {90, 1, 13}, {90, 1, 31}, {90, 1, 13}, {90, 8, 31}, {90, EndStepTime, 31}}},
    {"CALLFWD", {{80, 4, 13}, {80, 1, 31}, {0, EndStepTime, 0}}},
    {"DIALDIS", {{80, 2, 13}, {80, 2, 31}, {0, EndStepTime, 0}}},
    {"WARNINT", {{89, 1, 13}, {255, 17, 31}, {0, EndStepTime, 0}}},
    {"WARMLNE", {{80, 2, 13}, {80, 1, 13}, {0, EndStepTime, 0}}},
};
} // namespace

const ExchClass::MemberInfo &ExchClass::info(int member)
{
    return Members[member];
}

const std::array<ExchClass::Member, ExchClass::MemberCount> &ExchClass::fileOrder()
{
    static const std::array<Member, MemberCount> order = {VirtualPortsMember,  ClassListMember,    ACLMember,
                                                          SystemMember,        GroupsMember,       RightsMember,
                                                          PortToVirtualMember, ExtToVirtualMember, TonesMember};
    return order;
}

int ExchClass::memberForDefinitionId(int id)
{
    for (int i = 0; i < MemberCount; ++i) {
        if (Members[i].definitionId == id)
            return i;
    }
    return -1;
}

ExchClass::ExchClass(DebugLog *log)
    : m_log(log)
    , m_members{RecordClass(log), RecordClass(log), RecordClass(log), RecordClass(log), RecordClass(log),
                RecordClass(log), RecordClass(log), RecordClass(log), RecordClass(log)}
{
    for (int i = 0; i < MemberCount; ++i)
        m_members[i].setRequestCode(Members[i].requestCode);
    for (int i = 0; i < MemberCount; ++i)
        m_members[i].setSendCode(Members[i].sendCode);
}

int ExchClass::recordCount() const
{
    int records = 0;
    for (const RecordClass &member : m_members)
        records += member.Records();
    return records;
}

int ExchClass::memberIndex(const RecordClass &structure) const
{
    for (int i = 0; i < MemberCount; ++i) {
        if (&m_members[i] == &structure)
            return i;
    }
    return -1;
}

quint64 ExchClass::revision() const
{
    quint64 revision = 0;
    for (const RecordClass &member : m_members)
        revision += member.revision();
    return revision;
}

void ExchClass::SaveFile(QbfWriter &out, qint16 tonesFlag) const
{
    for (Member m : fileOrder()) {
        if (m != TonesMember || tonesFlag > 0)
            m_members[m].Save(out);
    }
}

bool ExchClass::LoadFile(QbfReader &in, qint16 tonesFlag)
{
    int number = 0;
    for (Member m : fileOrder()) {
        if (m == TonesMember && tonesFlag <= 0)
            break;
        in.setContext(QStringLiteral("structure %1 (%2)").arg(++number).arg(QLatin1String(Members[m].name)));
        if (!m_members[m].load(in))
            return false;
    }
    in.setContext(QString());
    if (tonesFlag > 0) {
        Tones().ShowStructure();
        if (Tones().Records() == 0)
            BuildDefaultTones();
    }
    return true;
}

void ExchClass::BuildDefaultTones()
{
    RecordClass &tones = Tones();
    tones.makeStruct(TonesName, ToneFields, 0, ToneRecordSize, 0);
    tones.setField(0, QByteArrayLiteral("Checksum"), 0, 2, 1, FieldType::None);
    tones.setField(1, QByteArrayLiteral("Tone"), ToneSteps, 1, 3, FieldType::Integer);
    tones.setField(2, QByteArrayLiteral("Time"), ToneSteps, 1, 19, FieldType::Integer);
    tones.setField(3, QByteArrayLiteral("Level"), ToneSteps, 1, 35, FieldType::Integer);
    tones.setField(4, QByteArrayLiteral("Name"), 8, 1, 51, FieldType::String);
    tones.setField(5, QByteArrayLiteral("Flag"), 0, 1, 59, FieldType::Boolean);

    const int count = int(std::size(DefaultTones));
    for (int i = 0; i < count; ++i) {
        tones.PutBlank(i);
        tones.ClearAllBoolean("Flag", i, 0);
        for (int k = 0; k < ToneSteps; ++k) {
            tones.SetInteger("Tone", i, 0, k);
            tones.SetInteger("Level", i, 0, k);
            tones.SetInteger("Time", i, 0, k);
        }
    }
    for (int i = 0; i < count; ++i) {
        int k = 0;
        for (const ToneStep &step : DefaultTones[i].steps) {
            tones.SetInteger("Tone", i, step.tone, k);
            tones.SetInteger("Time", i, step.time, k);
            tones.SetInteger("Level", i, step.level, k);
            ++k;
        }
        tones.SetString("Name", i, QByteArray(DefaultTones[i].name));
    }
}
