#include "MainWindowPlacement.h"

#include "Registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

using namespace SettingsKeys;

namespace {
QScreen *screenFor(const QRect &pixels)
{
    QScreen *screen = QGuiApplication::screenAt(pixels.center());
    return screen ? screen : QGuiApplication::primaryScreen();
}
} // namespace

MainWindowPlacement::MainWindowPlacement(Registry &registry)
    : m_registry(registry)
{
}

int MainWindowPlacement::toPixels(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}

int MainWindowPlacement::toTwips(int pixels, qreal dotsPerInch)
{
    return qRound(pixels * TwipsPerInch / dotsPerInch);
}

QRect MainWindowPlacement::fitted(const QRect &pixels, const QRect &available)
{
    QRect result(pixels.topLeft(), pixels.size().expandedTo(MinimumSize).boundedTo(available.size()));
    result.moveRight(qMin(result.right(), available.right()));
    result.moveBottom(qMin(result.bottom(), available.bottom()));
    result.moveLeft(qMax(result.left(), available.left()));
    result.moveTop(qMax(result.top(), available.top()));
    return result;
}

void MainWindowPlacement::restore(QWidget &window) const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const qreal dpiX = primary->logicalDotsPerInchX();
    const qreal dpiY = primary->logicalDotsPerInchY();
    const QRect stored(toPixels(m_registry.GetNumber(Settings, MainLeft, DefaultMainLeft), dpiX),
                       toPixels(m_registry.GetNumber(Settings, MainTop, DefaultMainTop), dpiY),
                       toPixels(m_registry.GetNumber(Settings, MainWidth, DefaultMainWidth), dpiX),
                       toPixels(m_registry.GetNumber(Settings, MainHeight, DefaultMainHeight), dpiY));
    const QRect placed = fitted(stored, screenFor(stored)->availableGeometry());
    window.move(placed.topLeft());
    window.resize(placed.size());

    switch (m_registry.GetNumber(Settings, MainWindowState, DefaultMainWindowState)) {
    case Minimised:
        window.showMinimized();
        break;
    case Maximised:
        window.showMaximized();
        break;
    default:
        window.showNormal();
        break;
    }
}

void MainWindowPlacement::save(const QWidget &window)
{
    const Qt::WindowStates states = window.windowState();
    State state = Normal;
    if (states & Qt::WindowMinimized)
        state = Minimised;
    else if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        state = Maximised;

    if (state == Normal) {
        const QScreen *screen = window.screen();
        const qreal dpiX = screen->logicalDotsPerInchX();
        const qreal dpiY = screen->logicalDotsPerInchY();
        m_registry.SaveSetting(Settings, MainLeft, Registry::TypeNumber, toTwips(window.x(), dpiX));
        m_registry.SaveSetting(Settings, MainTop, Registry::TypeNumber, toTwips(window.y(), dpiY));
        m_registry.SaveSetting(Settings, MainWidth, Registry::TypeNumber, toTwips(window.width(), dpiX));
        m_registry.SaveSetting(Settings, MainHeight, Registry::TypeNumber, toTwips(window.height(), dpiY));
    }
    m_registry.SaveSetting(Settings, MainWindowState, Registry::TypeNumber, int(state));
}
