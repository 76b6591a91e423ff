#pragma once

#include "model/RecordClass.h"

#include <QByteArray>

#include <array>

class DebugLog;
class QbfReader;
class QbfWriter;

// The whole configuration of one exchange: always the same nine structures,
// each with its role, its id in definition packets and its two packet codes.
class ExchClass
{
public:
    enum Member {
        ClassListMember,
        ACLMember,
        VirtualPortsMember,
        SystemMember,
        GroupsMember,
        RightsMember,
        PortToVirtualMember,
        ExtToVirtualMember,
        TonesMember
    };
    static constexpr int MemberCount = 9;
    static constexpr qint16 TonesFlag = 1;

    struct MemberInfo
    {
        const char *name;
        int definitionId;
        qint16 requestCode;
        qint16 sendCode;
    };
    static const MemberInfo &info(int member);
    // Members in the order the configuration file stores them.
    static const std::array<Member, MemberCount> &fileOrder();
    // The member a structure-definition packet with this id belongs to, or -1.
    static int memberForDefinitionId(int id);

    explicit ExchClass(DebugLog *log = nullptr);

    RecordClass &ClassList() { return m_members[ClassListMember]; }
    const RecordClass &ClassList() const { return m_members[ClassListMember]; }
    RecordClass &ACL() { return m_members[ACLMember]; }
    const RecordClass &ACL() const { return m_members[ACLMember]; }
    RecordClass &VirtualPorts() { return m_members[VirtualPortsMember]; }
    const RecordClass &VirtualPorts() const { return m_members[VirtualPortsMember]; }
    RecordClass &System() { return m_members[SystemMember]; }
    const RecordClass &System() const { return m_members[SystemMember]; }
    RecordClass &Groups() { return m_members[GroupsMember]; }
    const RecordClass &Groups() const { return m_members[GroupsMember]; }
    RecordClass &Rights() { return m_members[RightsMember]; }
    const RecordClass &Rights() const { return m_members[RightsMember]; }
    RecordClass &PortToVirtual() { return m_members[PortToVirtualMember]; }
    const RecordClass &PortToVirtual() const { return m_members[PortToVirtualMember]; }
    RecordClass &ExtToVirtual() { return m_members[ExtToVirtualMember]; }
    const RecordClass &ExtToVirtual() const { return m_members[ExtToVirtualMember]; }
    RecordClass &Tones() { return m_members[TonesMember]; }
    const RecordClass &Tones() const { return m_members[TonesMember]; }
    RecordClass &member(int i) { return m_members[i]; }
    const RecordClass &member(int i) const { return m_members[i]; }

    // Which member a structure is; -1 for one this configuration does not hold.
    int memberIndex(const RecordClass &structure) const;

    // Records of all nine structures together.
    int recordCount() const;
    // Changes as any member changes: equal revisions mean nothing was changed in between.
    quint64 revision() const;

    void SaveFile(QbfWriter &out, qint16 tonesFlag = TonesFlag) const;
    // Reads the members into this configuration; on failure the reader holds
    // the reason and the members are in an unspecified but safe state.
    bool LoadFile(QbfReader &in, qint16 tonesFlag = TonesFlag);
    void BuildDefaultTones();

    DebugLog *log() const { return m_log; }
    bool operator==(const ExchClass &other) const { return m_members == other.m_members; }

private:
    DebugLog *m_log;
    std::array<RecordClass, MemberCount> m_members;
};
