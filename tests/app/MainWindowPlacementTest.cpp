#include "support/gui/MainWindowFixture.h"

#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

using namespace SettingsKeys;

class MainWindowPlacementTest : public MainWindowFixture
{
protected:
    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    QRect placed() const { return QRect(m_window->pos(), m_window->size()); }
    // A placement that fits the screen, away from its corner where there is room, stored as twips.
    void storeNormalPlacement()
    {
        const QSize size = QSize(800, 600).boundedTo(available().size());
        const QSize room = available().size() - size;
        m_stored = QRect(available().topLeft() + QPoint(qMin(room.width(), 10), qMin(room.height(), 20)), size);
        const qreal dpiX = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        const qreal dpiY = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        save(MainLeft, WindowPlacement::toTwips(m_stored.x(), dpiX));
        save(MainTop, WindowPlacement::toTwips(m_stored.y(), dpiY));
        save(MainWidth, WindowPlacement::toTwips(m_stored.width(), dpiX));
        save(MainHeight, WindowPlacement::toTwips(m_stored.height(), dpiY));
        m_storedTwips = stored();
    }
    void save(const QString &name, int value) { m_registry->SaveSetting(Settings, name, Registry::TypeNumber, value); }
    // Left, top, width, height and the state.
    QList<int> stored() const
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

TEST_F(MainWindowPlacementTest, ANormalWindowComesBackWhereItWasAndAMinimisedOrMaximisedOneKeepsTheNormalPlacement)
{
    storeNormalPlacement();
    m_window->load();
    EXPECT_EQ(placed(), m_stored);
    m_window->close();
    EXPECT_EQ(stored(), m_storedTwips);
    EXPECT_EQ(storedState(), 0);

    createWindow();
    m_window->load();
    m_window->showMaximized();
    m_window->close();
    EXPECT_EQ(stored(), m_storedTwips);
    EXPECT_EQ(storedState(), 2);

    createWindow();
    m_window->load();
    EXPECT_TRUE(m_window->isMaximized());
    m_window->showMinimized();
    m_window->close();
    EXPECT_EQ(stored(), m_storedTwips);
    EXPECT_EQ(storedState(), 1);
}

TEST_F(MainWindowPlacementTest, WithNothingStoredOrAPlaceOffEveryScreenTheWindowIsUsablySizedOnTheScreen)
{
    m_window->load();
    EXPECT_TRUE(available().contains(placed()));
    EXPECT_EQ(placed().size(), QSize(800, 600).boundedTo(available().size()));
    EXPECT_FALSE(m_window->isMaximized());

    save(MainLeft, -400000);
    save(MainTop, 900000);
    createWindow();
    m_window->load();
    EXPECT_TRUE(available().contains(placed()));
}

TEST(MainWindowPlacement, TwipsAreFifteenToThePixelAtNinetySixDotsPerInch)
{
    EXPECT_EQ(WindowPlacement::toPixels(6500, 96), 433);
    EXPECT_EQ(WindowPlacement::toTwips(120, 120), 1440);
}

} // namespace
