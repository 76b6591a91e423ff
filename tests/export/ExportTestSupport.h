#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <initializer_list>

class ExchClass;

// The clock every conversion test runs on: its stamp is "<updated>14:05 03/07/2024</updated>".
QDateTime conversionTime();

// Lines written as "N<text>", N the number of leading tabs: the bytes of the
// file, tabs, text and CR LF.
QByteArray xmlLines(std::initializer_list<const char *> lines);

// The conversion of config into memory; an empty result when it was refused.
// Where xmllint is installed, a result that is not well-formed XML fails the test.
QByteArray convertToBytes(ExchClass &config);

// The lines from the first that equals first up to the next that equals last,
// both included, as file bytes; empty when they are not there.
QByteArray section(const QByteArray &file, const QByteArray &first, const QByteArray &last);

// Whether xmllint is there to check files with.
bool haveXmlLint();
// xmllint's complaints about the file, empty when it is well-formed.
QString xmlLintErrors(const QByteArray &file);
