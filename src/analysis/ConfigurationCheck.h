#pragma once

#include "analysis/ConfigurationProblem.h"
#include "model/ExchClass.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <array>

class FieldReader;

// Finds what would make the exchange misbehave, or is probably a mistake, in
// a whole configuration: numbers that clash, references to records that are
// free or missing, class bits nobody owns, codes longer than the system
// takes, names given twice. A structure the configuration has no layout for
// is passed over. A full check reads every record once, so it can run after
// each edit.
class ConfigurationCheck
{
public:
    explicit ConfigurationCheck(const ExchClass &config);

    // Every problem, by structure in member order, then by record.
    QList<ConfigurationProblem> problems();

    static bool hasErrors(const QList<ConfigurationProblem> &problems);
    static qsizetype errorCount(const QList<ConfigurationProblem> &problems);
    // "1 error, 2 warnings"; "no problems" for none.
    static QString summary(const QList<ConfigurationProblem> &problems);

private:
    // Which records of one structure hold something, and which are enabled.
    struct RecordUse
    {
        bool described = false;
        int records = 0;
        QList<bool> inUse;
        QList<bool> enabled;
        bool named = false;
        // Each record's Name, a dialled number's digits as dialled; empty
        // for a free record.
        QList<QByteArray> names;
    };

    void findRecordUse();
    void checkClasses();
    void checkAcls();
    void checkVirtualPorts();
    void checkGroups();
    void checkPhysicalPorts();
    void checkDialledNumbers();
    void checkNames();

    void checkClassBits(int member, const FieldReader &field, int rec);
    // Reports a reference to a record that is free or missing. what is the
    // message, its two lowest placeholders left for the record and its state.
    void checkReference(const QString &rule, int member, int rec, const QByteArray &field, int target, int targetMember,
                        const QString &what);
    int systemLength(const QByteArray &field) const;
    bool usable(int member, int index) const;
    // "ACL 4 (Reception)"; a free or missing record by its number alone.
    QString reference(int member, int index) const;
    QString nameOf(int member, int index) const;
    void add(ConfigurationProblem::Severity severity, const QString &rule, int member, int rec, const QByteArray &field,
             const QString &message);

    const ExchClass &m_config;
    std::array<RecordUse, ExchClass::MemberCount> m_use;
    // Bit positions held by classes in use.
    QSet<int> m_classPositions;
    // Without a class list there is no telling which bits are nobody's.
    bool m_classPositionsKnown = false;
    QList<ConfigurationProblem> m_problems;
};
