#include "SplashWindow.h"

#include "ExchangePicture.h"
#include "ProductInfo.h"
#include "Timer.h"
#include "TimerFactory.h"
#include "VersionText.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int TitlePointSize = 20;
constexpr int DescriptionPointSize = 14;
constexpr int TextWidth = 420;

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}
}

SplashWindow::SplashWindow(TimerFactory &timers, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_trmDisplay(timers.createTimer(DisplayMilliseconds))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ProductInfo::ApplicationTitle);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto *picture = new ExchangePicture(frame);
    picture->setObjectName(QStringLiteral("Image1"));

    QLabel *lblTitle = makeLabel(QStringLiteral("lblTitle"), ProductInfo::ApplicationTitle, frame);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(TitlePointSize);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    QLabel *lblVersion = makeLabel(QStringLiteral("lblVersion"), VersionText::current(), frame);

    QLabel *lblDescription = makeLabel(QStringLiteral("lblDescription"),
                                       ProductInfo::BetaNotice + ProductInfo::SupportEmail, frame);
    QFont descriptionFont = lblDescription->font();
    descriptionFont.setPointSize(DescriptionPointSize);
    descriptionFont.setBold(true);
    lblDescription->setFont(descriptionFont);
    QPalette descriptionPalette = lblDescription->palette();
    descriptionPalette.setColor(QPalette::WindowText, Qt::red);
    lblDescription->setPalette(descriptionPalette);

    QLabel *lblDisclaimer = makeLabel(QStringLiteral("lblDisclaimer"), ProductInfo::LegalWarning, frame);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(lblVersion->fontMetrics().height());
    texts->addWidget(lblDescription);
    texts->addStretch();
    texts->addWidget(lblDisclaimer);
    for (QLabel *label : {lblTitle, lblVersion, lblDescription, lblDisclaimer})
        label->setFixedWidth(TextWidth);

    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(picture, 0, Qt::AlignTop);
    frameLayout->addSpacing(picture->width() / 4);
    frameLayout->addLayout(texts);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);

    adjustSize();
    if (const QScreen *display = screen())
        move(display->availableGeometry().center() - rect().center());

    m_trmDisplay->setCallback([this] { close(); });
    m_trmDisplay->start();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    close();
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    m_trmDisplay->stop();
    QWidget::closeEvent(event);
}
