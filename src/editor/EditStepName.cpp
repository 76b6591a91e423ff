#include "editor/EditStepName.h"

#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"

#include <QSet>

namespace {
const QString AddVerb = QStringLiteral("Add %1");
const QString DeleteVerb = QStringLiteral("Delete %1");
const QString RenameVerb = QStringLiteral("Rename %1");
const QString EditVerb = QStringLiteral("Edit %1");
const QString RecordsOfStructure = QStringLiteral("Edit %1 records of %2");
const QString Records = QStringLiteral("Edit %1 records");

QByteArray nameOf(const ExchClass &config, int member, int index)
{
    const RecordClass &structure = config.member(member);
    return structure.GetType(FieldNames::Name) == FieldType::String ? structure.GetString(FieldNames::Name, index)
                                                                    : QByteArray();
}

// A structure of one record is named without its record number: "System (Kestrel Marine Offices)".
QString label(const ExchClass &config, int member, int index)
{
    if (config.member(member).Records() > 1)
        return RecordLabel::record(config, member, index);
    const QByteArray name = nameOf(config, member, index);
    const QString title = RecordLabel::structureTitle(member);
    return name.isEmpty() ? title : title + QStringLiteral(" (%1)").arg(QString::fromLatin1(name));
}

QString oneRecord(const RecordJournal::Step &step, const ExchClass &after)
{
    const RecordJournal::RecordImages &images = step.records.constFirst();
    ExchClass before = after;
    RecordClass &structure = before.member(images.member);
    structure.restoreRecord(images.index, images.before);
    for (const RecordJournal::BookkeepingImages &bookkeeping : step.bookkeeping) {
        if (bookkeeping.member == images.member)
            structure.restoreBookkeeping(bookkeeping.before);
    }
    const bool usedBefore = structure.GetRecordUsed(images.index);
    const bool usedAfter = after.member(images.member).GetRecordUsed(images.index);
    if (!usedBefore && usedAfter)
        return AddVerb.arg(label(after, images.member, images.index));
    if (usedBefore && !usedAfter)
        return DeleteVerb.arg(label(before, images.member, images.index));
    if (nameOf(before, images.member, images.index) != nameOf(after, images.member, images.index))
        return RenameVerb.arg(label(before, images.member, images.index));
    return EditVerb.arg(label(after, images.member, images.index));
}
} // namespace

QString EditStepName::of(const RecordJournal::Step &step, const ExchClass &config)
{
    if (step.records.size() == 1)
        return oneRecord(step, config);
    QSet<int> members;
    for (const RecordJournal::RecordImages &images : step.records)
        members.insert(images.member);
    if (step.records.isEmpty()) {
        for (const RecordJournal::BookkeepingImages &images : step.bookkeeping)
            members.insert(images.member);
        return EditVerb.arg(RecordLabel::structureTitle(*members.cbegin()));
    }
    if (members.size() == 1)
        return RecordsOfStructure.arg(step.records.size()).arg(RecordLabel::structureTitle(*members.cbegin()));
    return Records.arg(step.records.size());
}
