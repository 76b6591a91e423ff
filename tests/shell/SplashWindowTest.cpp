#include "shell/SplashWindow.h"

#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

// A splash window shown on simulated time; closing it deletes it.
QPointer<SplashWindow> showSplash(SimulatedTimers &timers)
{
    auto *splash = new SplashWindow(timers);
    splash->show();
    return splash;
}

bool deleted(const QPointer<SplashWindow> &splash)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return splash.isNull();
}

TEST(SplashWindow, ClosesItselfAfterSevenSecondsAndNotBefore)
{
    SimulatedTimers timers;
    const QPointer<SplashWindow> splash = showSplash(timers);
    timers.advance(6999);
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    timers.advance(1);
    EXPECT_TRUE(deleted(splash));
}

TEST(SplashWindow, AClickOnThePictureALabelOrTheFrameClosesItAtOnceAndTheLaterTickDoesNothing)
{
    SimulatedTimers timers;
    for (const char *name : {"Image1", "lblDisclaimer", "fraMainFrame"}) {
        const QPointer<SplashWindow> splash = showSplash(timers);
        QTest::mouseClick(child<QWidget>(splash.data(), name), Qt::LeftButton);
        EXPECT_TRUE(deleted(splash)) << name;
    }
    timers.advance(7000);
}

} // namespace
