#include "export/AclGenerator.h"

#include "export/RandomSource.h"
#include "link/RecordWriter.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordClass.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

#include <QSet>

const QString AclGenerator::NamePrefix = QStringLiteral("ACL ID ");
const QString AclGenerator::ListingLinePrefix = QStringLiteral("ACLID ");
const QString AclGenerator::ListingHeading = QStringLiteral("Name,PublicID,PassCode");
const QString AclGenerator::LineEnd = QStringLiteral("\r\n");

namespace {
const QString CopyHintStart = QStringLiteral("Copy this text (using the clipboard) ");
const QString CopyHintEnd = QStringLiteral("to get a copy of the generated ACLs");
const QLatin1Char Separator(',');

bool isDigitField(qint16 type)
{
    return type == FieldType::Digit || type == FieldType::IntegerOrDigit;
}

int digitCount(qint64 value)
{
    return int(QString::number(value).size());
}
} // namespace

AclGenerator::AclGenerator(ExchClass &config, int sourceAcl, RecordWriter &writer, RandomSource &random)
    : m_config(config)
    , m_acl(config.ACL())
    , m_sourceAcl(sourceAcl)
    , m_writer(writer)
    , m_random(random)
{
}

qint64 AclGenerator::leadingNumber(const QString &text)
{
    // More digits than this cannot be a record number or a PIN any field holds;
    // stopping here keeps the value far from overflow.
    constexpr int MaximumDigits = 15;
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (int digits = 0; i < text.size() && digits < MaximumDigits; ++i, ++digits) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

bool AclGenerator::Generate(const Request &request)
{
    m_lastRun.clear();
    if (!check(request))
        return false;

    m_listing += LineEnd + CopyHintStart + CopyHintEnd + LineEnd + ListingHeading;
    qint64 pin = request.startPin;
    for (qint64 a = request.startAcl; a <= request.endAcl; ++a) {
        const int aclId = int(a);
        m_acl.CopyRecord(m_sourceAcl, aclId);
        RecordSlots::takeIntoUse(m_acl, aclId);
        const int passCode = LowestPassCode + int(m_random.bounded(PassCodeCount));
        m_listing += LineEnd + ListingLinePrefix + QString::number(aclId) + Separator + QString::number(pin) + Separator
            + QString::number(passCode);
        m_acl.SetString(FieldNames::Name, aclId, (NamePrefix + QString::number(aclId)).toLatin1());
        m_acl.SetDigit(FieldNames::PublicID, aclId, QByteArray::number(pin), 0);
        m_acl.SetDigit(FieldNames::PassCode, aclId, QByteArray::number(passCode), 0);
        m_writer.writeRecord(m_config, ExchClass::ACLMember, aclId);
        m_lastRun.append({aclId, pin, passCode});
        pin += request.pinIncrement;
    }
    return true;
}

bool AclGenerator::check(const Request &request)
{
    m_error.clear();
    if (request.startAcl > request.endAcl)
        return true;
    const int records = m_acl.Records();
    const bool modelPresent =
        m_sourceAcl >= 0 && m_sourceAcl < records && m_acl.record(m_sourceAcl).size() == m_acl.StructSize();
    // A copy of a free slot would be free too: the exchange would ignore every generated user.
    if (!modelPresent || !inUse(m_sourceAcl)) {
        return fail(
            QStringLiteral("ACL %1, the model to copy, is not in use; nothing was generated.").arg(m_sourceAcl));
    }
    if (request.startAcl < 0 || request.endAcl >= records) {
        return fail(QStringLiteral("The ACL table holds ACL IDs 0 to %1; nothing was generated.").arg(records - 1));
    }
    const int nameLength = int((NamePrefix + QString::number(request.endAcl)).size());
    if (nameLength >= textCapacity(FieldNames::Name))
        return fail(QStringLiteral("The ACL table's Name field cannot hold the names; nothing was generated."));

    const qint64 lastPin = request.startPin + (request.endAcl - request.startAcl) * request.pinIncrement;
    if (request.startPin < 0 || lastPin < 0)
        return fail(QStringLiteral("PINs cannot be negative; nothing was generated."));
    const int pinDigits = qMax(digitCount(request.startPin), digitCount(lastPin));
    const int pinCapacity = digitCapacity(FieldNames::PublicID);
    if (pinDigits > pinCapacity) {
        return fail(QStringLiteral("The Public ID field holds at most %1 digits, too few for PIN %2; "
                                   "nothing was generated.")
                        .arg(pinCapacity)
                        .arg(digitCount(lastPin) > digitCount(request.startPin) ? lastPin : request.startPin));
    }
    if (digitCount(LowestPassCode + PassCodeCount - 1) > digitCapacity(FieldNames::PassCode))
        return fail(QStringLiteral("The Pass Code field cannot hold a pass code; nothing was generated."));
    const QStringList held = pinsHeldElsewhere(request);
    if (!held.isEmpty()) {
        return fail(QStringLiteral("Other ACLs already hold these PINs: %1. Nothing was generated.")
                        .arg(held.join(QStringLiteral(", "))));
    }
    return true;
}

QList<int> AclGenerator::aclsInUse(const Request &request) const
{
    QList<int> found;
    const qint64 last = qMin<qint64>(request.endAcl, m_acl.Records() - 1);
    for (qint64 a = qMax<qint64>(request.startAcl, 0); a <= last; ++a) {
        if (inUse(int(a)))
            found.append(int(a));
    }
    return found;
}

bool AclGenerator::inUse(int index) const
{
    return m_acl.GetType(FieldNames::Flag) != FieldType::Boolean || !RecordSlots::isFree(m_acl, index);
}

QStringList AclGenerator::pinsHeldElsewhere(const Request &request) const
{
    QSet<QByteArray> pins;
    qint64 pin = request.startPin;
    for (qint64 a = request.startAcl; a <= request.endAcl; ++a, pin += request.pinIncrement)
        pins.insert(QByteArray::number(pin));

    QStringList held;
    for (int i = 0; i < m_acl.Records(); ++i) {
        if ((i >= request.startAcl && i <= request.endAcl) || !inUse(i))
            continue;
        const QByteArray publicId = m_acl.GetDigit(FieldNames::PublicID, i);
        if (pins.contains(publicId)) {
            held.append(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(publicId),
                                                      RecordLabel::record(m_config, ExchClass::ACLMember, i)));
        }
    }
    return held;
}

bool AclGenerator::fail(const QString &message)
{
    m_error = message;
    return false;
}

int AclGenerator::digitCapacity(const QByteArray &name) const
{
    // The digit writer takes the first field of that name whose type holds digits.
    for (int i = 1; i <= m_acl.Items(); ++i) {
        const FieldDef field = m_acl.field(i);
        if (isDigitField(field.Type) && field.Name.compare(name, Qt::CaseInsensitive) == 0)
            return 2 * field.Size;
    }
    return 0;
}

int AclGenerator::textCapacity(const QByteArray &name) const
{
    return m_acl.GetType(name) == FieldType::String ? m_acl.GetItems(name) : 0;
}
