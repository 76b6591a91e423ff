#pragma once

#include "editor/EditorPanel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class ExchClass;
class RecordClass;

// Keys of the tree of tables. Record nodes are a prefix followed by the
// record index in decimal.
namespace NodeKeys {
inline const QString Root = QStringLiteral("RRR");
inline const QString VirtualPorts = QStringLiteral("RVP");
inline const QString Groups = QStringLiteral("RGP");
inline const QString ExtToVirtual = QStringLiteral("REV");
inline const QString PortToVirtual = QStringLiteral("RPV");
inline const QString ACL = QStringLiteral("RAC");
inline const QString ClassList = QStringLiteral("RCL");
inline const QString Advanced = QStringLiteral("RAD");
inline const QString Tones = QStringLiteral("RTO");

inline const QString VirtualPortRecord = QStringLiteral("VPR");
inline const QString GroupRecord = QStringLiteral("GPR");
inline const QString ACLRecord = QStringLiteral("ACR");
inline const QString ToneRecord = QStringLiteral("TOR");

constexpr int PrefixLength = 3;
} // namespace NodeKeys

struct TableNode
{
    QString key;
    QString parentKey; // empty for the root
    QString text;
    int tag = -1; // the record index of a record node
};

// What the tree of tables holds, worked out from a configuration; the
// document window only shows it.
class TableTree
{
public:
    // The tree a window starts with, before it has a configuration.
    static QList<TableNode> initialNodes();
    // The root and the branches of a configuration's tree; the tones branch
    // only when tones are viewed.
    static QList<TableNode> configurationBranches(bool viewTones);
    // One node per record in use under a branch of records. ACL and group
    // record 0 are never listed.
    static QList<TableNode> branchRecords(const ExchClass &config, const QString &branchKey);
    static bool hasRecords(const ExchClass &config, const QString &branchKey);
    static bool isRecordBranch(const QString &key);
    struct RecordBranch
    {
        QString key;
        QString prefix;
    };
    // The branch a panel's records are listed under; none for panels of
    // single-record or whole-table structures.
    static std::optional<RecordBranch> recordBranch(EditorPanel panel);
    static TableNode recordNode(const QString &prefix, const QString &parentKey, int index, const QByteArray &name);
    // Tone records that exist but are all free stand for a configuration
    // without tones: it gets the default set.
    static bool needsDefaultTones(const RecordClass &tones);
    // The panel a node shows; none for the branches of records.
    static std::optional<EditorPanel> panelForKey(const QString &key);
    // The node of one record of a structure (ExchClass member); empty for
    // structures whose records the tree does not list one by one, and for
    // records it never lists.
    static QString recordKey(int member, int index);
    // The node that stands for every record of a structure: its branch, or
    // the root for the system parameters.
    static QString structureKey(int member);
};
