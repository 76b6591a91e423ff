#pragma once

#include <QString>

class QLabel;
class QWidget;

// The labels the splash and about windows share: title, version line,
// description and legal warning, named as the program has always named them.
struct ProductLabels
{
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;

    static ProductLabels create(QWidget *parent, int titlePointSize, const QString &description,
                                int descriptionPointSize, bool descriptionBold, int textWidth);
};
