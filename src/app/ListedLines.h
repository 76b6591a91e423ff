#pragma once

#include <QStringList>

// Lines for a message, at most `limit` of them and then "and N more", so that a
// long list still fits on the screen with the question under it.
QString listedLines(QStringList lines, qsizetype limit);
