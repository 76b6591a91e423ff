#pragma once

#include <QList>
#include <QString>

class ExchClass;
class RandomSource;
class RecordClass;
class RecordWriter;

// Fills a range of ACL records from one model ACL: each becomes a copy of the
// model named "ACL ID n", taken into use, with a public ID from a running PIN
// and a random pass code, and is written to the exchange at once. Every run
// adds a headed block of comma-separated lines to the listing the engineer
// copies out.
class AclGenerator
{
public:
    static constexpr int LowestPassCode = 1000;
    static constexpr int PassCodeCount = 8000; // so the highest is 8999
    static const QString NamePrefix;           // "ACL ID "
    static const QString ListingLinePrefix;    // "ACLID "
    static const QString ListingHeading;       // "Name,PublicID,PassCode"
    static const QString LineEnd;              // CR LF

    // The four numbers of the window's boxes.
    struct Request
    {
        qint64 startAcl = 0;
        qint64 endAcl = 0;
        qint64 startPin = 0;
        qint64 pinIncrement = 0;
    };

    struct GeneratedAcl
    {
        int aclId;
        qint64 pin;
        int passCode;

        bool operator==(const GeneratedAcl &) const = default;
    };

    AclGenerator(ExchClass &config, int sourceAcl, RecordWriter &writer, RandomSource &random);

    // The number at the start of a text, as the boxes are read: blanks, an
    // optional sign and digits; anything else, or nothing, counts as 0.
    static qint64 leadingNumber(const QString &text);

    // Whether the request can run: false with errorString() when the ACL
    // table cannot take it in full (records outside it, a PIN or pass code
    // its fields cannot hold) or when a PIN it would give is held by an ACL
    // outside the range.
    bool check(const Request &request);
    // The ACLs in use that the request's range would overwrite, in order.
    QList<int> aclsInUse(const Request &request) const;

    // Generates the records of the request, in order, writing each. A request
    // check() refuses changes and writes nothing, adds nothing to the listing
    // and returns false with errorString(). Start above end generates nothing
    // but still adds the heading.
    bool Generate(const Request &request);

    // Every block generated so far, lines ended with CR LF.
    QString listing() const { return m_listing; }
    QString errorString() const { return m_error; }
    int sourceAcl() const { return m_sourceAcl; }

private:
    bool fail(const QString &message);
    bool inUse(int index) const;
    // The PINs of the request that ACLs outside its range already hold, as "3000 (ACL 20 (Sales))".
    QStringList pinsHeldElsewhere(const Request &request) const;
    // Digits the first digit field of that name can hold; 0 without one.
    int digitCapacity(const QByteArray &name) const;
    int textCapacity(const QByteArray &name) const;

    ExchClass &m_config;
    RecordClass &m_acl;
    int m_sourceAcl;
    RecordWriter &m_writer;
    RandomSource &m_random;
    QString m_listing;
    QList<GeneratedAcl> m_lastRun;
    QString m_error;
};
