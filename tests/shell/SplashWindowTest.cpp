#include "SimulatedTimers.h"
#include "SplashWindow.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

class SplashWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_splash = new SplashWindow(m_timers);
        m_splash->show();
    }

    void TearDown() override { delete m_splash.data(); }

    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    SimulatedTimers m_timers;
    QPointer<SplashWindow> m_splash;
};

TEST_F(SplashWindowTest, ClosesItselfAfterSevenSecondsAndNotBefore)
{
    m_timers.advance(SplashWindow::DisplayMilliseconds - 1);
    ASSERT_TRUE(m_splash);
    EXPECT_TRUE(m_splash->isVisible());

    m_timers.advance(1);
    EXPECT_FALSE(m_splash->isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(m_splash.isNull());
}

TEST_F(SplashWindowTest, ClickOnThePictureClosesAtOnceAndTheLaterTickDoesNothing)
{
    QTest::mouseClick(m_splash->findChild<QWidget *>(QStringLiteral("Image1")), Qt::LeftButton);
    EXPECT_FALSE(m_splash->isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(m_splash.isNull());

    m_timers.advance(SplashWindow::DisplayMilliseconds);
    EXPECT_TRUE(m_splash.isNull());
}

TEST_F(SplashWindowTest, ClickOnALabelOrTheFrameCloses)
{
    QTest::mouseClick(m_splash->findChild<QLabel *>(QStringLiteral("lblDisclaimer")), Qt::LeftButton);
    EXPECT_FALSE(m_splash->isVisible());

    deleteClosedWindows();
    m_splash = new SplashWindow(m_timers);
    m_splash->show();
    QTest::mouseClick(m_splash->findChild<QWidget *>(QStringLiteral("fraMainFrame")), Qt::LeftButton);
    EXPECT_FALSE(m_splash->isVisible());
}

} // namespace
