#include "MainWindowFixture.h"

#include "MainWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
using namespace SettingsKeys;

class MainWindowPlacementTest : public MainWindowFixture
{
protected:
    // A placement that fits the screen, away from its corner where there is room, stored as twips.
    void storeNormalPlacement()
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect available = screen->availableGeometry();
        const QSize size = MainWindowPlacement::MinimumSize.boundedTo(available.size());
        const QSize room = available.size() - size;
        m_stored = QRect(available.topLeft() + QPoint(qMin(room.width(), 10), qMin(room.height(), 20)), size);
        const qreal dpiX = screen->logicalDotsPerInchX();
        const qreal dpiY = screen->logicalDotsPerInchY();
        save(MainLeft, MainWindowPlacement::toTwips(m_stored.x(), dpiX));
        save(MainTop, MainWindowPlacement::toTwips(m_stored.y(), dpiY));
        save(MainWidth, MainWindowPlacement::toTwips(m_stored.width(), dpiX));
        save(MainHeight, MainWindowPlacement::toTwips(m_stored.height(), dpiY));
        m_storedTwips = storedTwips();
    }

    void save(const QString &name, int value)
    {
        m_registry->SaveSetting(Settings, name, Registry::TypeNumber, value);
    }

    QList<int> storedTwips() const
    {
        QList<int> values;
        for (const QString &name : {MainLeft, MainTop, MainWidth, MainHeight})
            values.append(m_registry->GetNumber(Settings, name, -1));
        return values;
    }

    int storedState() const { return m_registry->GetNumber(Settings, MainWindowState, -1); }

    QRect m_stored;
    QList<int> m_storedTwips;
};
} // namespace

TEST_F(MainWindowPlacementTest, ANormalWindowComesBackWhereItWasAndIsWrittenBackTheSame)
{
    storeNormalPlacement();
    m_window->load();
    EXPECT_EQ(QRect(m_window->pos(), m_window->size()), m_stored);

    m_window->close();
    EXPECT_EQ(storedTwips(), m_storedTwips);
    EXPECT_EQ(storedState(), MainWindowPlacement::Normal);
}

TEST_F(MainWindowPlacementTest, AMinimisedOrMaximisedWindowKeepsTheLastNormalPlacement)
{
    storeNormalPlacement();
    m_window->load();
    m_window->showMaximized();
    m_window->close();
    EXPECT_EQ(storedTwips(), m_storedTwips);
    EXPECT_EQ(storedState(), MainWindowPlacement::Maximised);

    createWindow();
    m_window->load();
    EXPECT_TRUE(m_window->isMaximized());
    m_window->showMinimized();
    m_window->close();
    EXPECT_EQ(storedTwips(), m_storedTwips);
    EXPECT_EQ(storedState(), MainWindowPlacement::Minimised);
}

TEST_F(MainWindowPlacementTest, WithNothingStoredTheWindowIsUsablySizedAndOnTheScreen)
{
    m_window->load();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(m_window->pos(), m_window->size());
    EXPECT_TRUE(available.contains(placed));
    EXPECT_EQ(placed.size(), MainWindowPlacement::MinimumSize.boundedTo(available.size()));
    EXPECT_FALSE(m_window->isMaximized());
    EXPECT_FALSE(m_window->isMinimized());
}

TEST_F(MainWindowPlacementTest, AWindowStoredOffEveryScreenIsBroughtBack)
{
    save(MainLeft, -400000);
    save(MainTop, 900000);
    m_window->load();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(QRect(m_window->pos(), m_window->size())));
}

TEST(MainWindowPlacement, TwipsAreFifteenToThePixelAtNinetySixDotsPerInch)
{
    EXPECT_EQ(MainWindowPlacement::toPixels(6500, 96), 433);
    EXPECT_EQ(MainWindowPlacement::toTwips(433, 96), 6495);
    EXPECT_EQ(MainWindowPlacement::toPixels(1440, 120), 120);
    EXPECT_EQ(MainWindowPlacement::toTwips(120, 120), 1440);
}
