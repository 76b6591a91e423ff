#include "export/ExportTestSupport.h"

#include "export/ConfigurationConverter.h"
#include "support/TestSupport.h"

#include <QBuffer>

QDateTime conversionTime()
{
    return QDateTime(QDate(2024, 7, 3), QTime(14, 5, 59));
}

QByteArray convertToBytes(ExchClass &config)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ConfigurationConverter converter(config, &conversionTime);
    if (!converter.convert(buffer))
        return QByteArray();
    EXPECT_EQ(xmlLintErrors(buffer.data()), QString());
    return buffer.data();
}
