#include "shell/ProductLabels.h"

#include "core/ProductInfo.h"
#include "shell/VersionText.h"

#include <QLabel>

namespace {
QLabel *makeLabel(const QString &name, const QString &text, int width, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    return label;
}

void setFont(QLabel *label, int pointSize, bool bold)
{
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
}
} // namespace

ProductLabels ProductLabels::create(QWidget *parent, int titlePointSize, const QString &description,
                                    int descriptionPointSize, bool descriptionBold, int textWidth)
{
    ProductLabels labels;
    labels.lblTitle = makeLabel(QStringLiteral("lblTitle"), ProductInfo::ApplicationTitle, textWidth, parent);
    setFont(labels.lblTitle, titlePointSize, true);
    labels.lblVersion = makeLabel(QStringLiteral("lblVersion"), VersionText::current(), textWidth, parent);
    labels.lblDescription = makeLabel(QStringLiteral("lblDescription"), description, textWidth, parent);
    setFont(labels.lblDescription, descriptionPointSize, descriptionBold);
    labels.lblDisclaimer = makeLabel(QStringLiteral("lblDisclaimer"), ProductInfo::LegalWarning, textWidth, parent);
    return labels;
}
