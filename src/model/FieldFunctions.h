#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Little-endian field functions shared by the structures and every packet
// builder and parser. Positions count from 1, as in the packets the exchange
// documents; a range that runs past the end yields 0, "" or "##", never a crash.

// Unsigned little-endian integer from bytes p .. p+n-1. Bytes past the fourth
// fall outside the 32-bit result.
quint32 PInt(QByteArrayView s, qsizetype p, qsizetype n);

// v as n little-endian bytes; negative values give their two's complement.
QByteArray EVal(qint64 v, qsizetype n);

// At most n characters from p, stopping before the first NUL.
QByteArray CString(QByteArrayView s, qsizetype p, qsizetype n);

// n bytes from p as upper-case hexadecimal, last byte first, so a little-endian
// field reads as one number.
QString HexBytes(QByteArrayView s, qsizetype p, qsizetype n);

// A slice by 1-based position that is empty where it falls outside s.
QByteArray Mid(const QByteArray &s, qsizetype p, qsizetype n = -1);
