#include "shell/AboutWindow.h"

#include "core/ProductInfo.h"
#include "shell/ExchangePicture.h"
#include "shell/MessageService.h"
#include "shell/ProductLabels.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString SysInfoUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
constexpr int TitlePointSize = 16;
constexpr int DescriptionPointSize = 10;
constexpr int TextWidth = 360;

// A sunken frame line draws the etched pair of lines between the parts.
QFrame *makeLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

AboutWindow::AboutWindow(MessageService &messages, QWidget *parent)
    : QDialog(parent)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About %1").arg(ProductInfo::ApplicationTitle));
    setModal(true);

    auto *picture = new ExchangePicture(this);
    picture->setObjectName(QStringLiteral("Image1"));

    const ProductLabels labels =
        ProductLabels::create(this, TitlePointSize,
                              ProductInfo::BetaNotice + ProductInfo::SupportContact + QStringLiteral(". ")
                                  + QStringLiteral("Email: ") + ProductInfo::SupportEmail,
                              DescriptionPointSize, false, TextWidth);
    QLabel *lblTitle = labels.lblTitle;
    QLabel *lblVersion = labels.lblVersion;
    QLabel *lblDescription = labels.lblDescription;
    QLabel *lblDisclaimer = labels.lblDisclaimer;

    auto *cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(lblVersion->fontMetrics().height());
    texts->addWidget(lblDescription);
    texts->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(makeLine(this));
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);
}

void AboutWindow::StartSysInfo()
{
    // Linux has no system-information tool that the program could start.
    m_messages.show(this, QMessageBox::NoIcon, QString(), SysInfoUnavailable, QMessageBox::Ok);
}
