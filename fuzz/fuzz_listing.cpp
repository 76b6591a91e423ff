#include "FuzzSupport.h"
#include "cli/ConfigurationListing.h"
#include "core/DebugLog.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

// Whatever a loadable file claims, dump lists it: the text starts as always,
// and the JSON, written as it goes, is exactly what Qt writes for the same tree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    if (!file.fromBytes(config, fuzzInput(data, size), QStringLiteral("fuzz.QBF")))
        return 0;
    const ConfigurationListing listing(config);

    QString text;
    QTextStream textOut(&text);
    listing.writeText(textOut);
    textOut.flush();
    require(text.startsWith(QStringLiteral("9 structures, in member order\n")));

    QString json;
    QTextStream jsonOut(&json);
    listing.writeJson(jsonOut, QStringLiteral("fuzz.QBF"));
    jsonOut.flush();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    require(error.error == QJsonParseError::NoError);
    require(document[QStringLiteral("structures")].toArray().size() == ExchClass::MemberCount);
    require(document.toJson(QJsonDocument::Indented) == json.toUtf8());
    return 0;
}
