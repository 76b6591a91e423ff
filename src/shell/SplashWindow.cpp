#include "shell/SplashWindow.h"

#include "core/ProductInfo.h"
#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "shell/ExchangePicture.h"
#include "shell/ProductLabels.h"

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
} // namespace

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

    const ProductLabels labels =
        ProductLabels::create(frame, TitlePointSize, ProductInfo::BetaNotice + ProductInfo::SupportEmail,
                              DescriptionPointSize, true, TextWidth);
    QLabel *lblTitle = labels.lblTitle;
    QLabel *lblVersion = labels.lblVersion;
    QLabel *lblDescription = labels.lblDescription;
    QLabel *lblDisclaimer = labels.lblDisclaimer;
    QPalette descriptionPalette = lblDescription->palette();
    descriptionPalette.setColor(QPalette::WindowText, Qt::red);
    lblDescription->setPalette(descriptionPalette);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(lblVersion->fontMetrics().height());
    texts->addWidget(lblDescription);
    texts->addStretch();
    texts->addWidget(lblDisclaimer);

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
