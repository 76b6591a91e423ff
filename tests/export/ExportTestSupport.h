#pragma once

#include <QByteArray>
#include <QDateTime>

class ExchClass;

// The clock every conversion test runs on: its stamp is "<updated>14:05 03/07/2024</updated>".
QDateTime conversionTime();

// The conversion of config into memory; an empty result when it was refused.
// Where xmllint is installed, a result that is not well-formed XML fails the test.
QByteArray convertToBytes(ExchClass &config);
