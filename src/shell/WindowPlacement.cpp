#include "shell/WindowPlacement.h"

#include "core/Registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

using namespace SettingsKeys;

const WindowPlacement::Stored WindowPlacement::Main{
    MainLeft,        MainTop,        MainWidth,        MainHeight,        MainWindowState,
    DefaultMainLeft, DefaultMainTop, DefaultMainWidth, DefaultMainHeight, DefaultMainWindowState,
    QSize(800, 600)};

const WindowPlacement::Stored WindowPlacement::Preview{
    PreviewLeft,        PreviewTop,        PreviewWidth,        PreviewHeight,        PreviewWindowState,
    DefaultPreviewLeft, DefaultPreviewTop, DefaultPreviewWidth, DefaultPreviewHeight, DefaultPreviewWindowState,
    std::nullopt};

namespace {
QScreen *screenFor(const QRect &pixels)
{
    QScreen *screen = QGuiApplication::screenAt(pixels.center());
    return screen ? screen : QGuiApplication::primaryScreen();
}
} // namespace

WindowPlacement::WindowPlacement(Registry &registry, const Stored &stored)
    : m_registry(registry)
    , m_stored(stored)
{
}

int WindowPlacement::toPixels(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}

int WindowPlacement::toTwips(int pixels, qreal dotsPerInch)
{
    return qRound(pixels * qreal(TwipsPerInch) / dotsPerInch);
}

QRect WindowPlacement::fitted(const QRect &pixels, const QRect &available, std::optional<QSize> minimumSize)
{
    const QSize size = minimumSize ? pixels.size().expandedTo(*minimumSize) : pixels.size();
    QRect result(pixels.topLeft(), size.boundedTo(available.size()));
    result.moveRight(qMin(result.right(), available.right()));
    result.moveBottom(qMin(result.bottom(), available.bottom()));
    result.moveLeft(qMax(result.left(), available.left()));
    result.moveTop(qMax(result.top(), available.top()));
    return result;
}

void WindowPlacement::restore(QWidget &window) const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const qreal dpiX = primary->logicalDotsPerInchX();
    const qreal dpiY = primary->logicalDotsPerInchY();
    const QRect stored(toPixels(m_registry.GetNumber(Settings, m_stored.left, m_stored.defaultLeft), dpiX),
                       toPixels(m_registry.GetNumber(Settings, m_stored.top, m_stored.defaultTop), dpiY),
                       toPixels(m_registry.GetNumber(Settings, m_stored.width, m_stored.defaultWidth), dpiX),
                       toPixels(m_registry.GetNumber(Settings, m_stored.height, m_stored.defaultHeight), dpiY));
    const QRect placed = fitted(stored, screenFor(stored)->availableGeometry(), m_stored.minimumSize);
    window.move(placed.topLeft());
    window.resize(placed.size());

    switch (m_registry.GetNumber(Settings, m_stored.state, m_stored.defaultState)) {
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

void WindowPlacement::save(const QWidget &window)
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
        m_registry.SaveSetting(Settings, m_stored.left, Registry::TypeNumber, toTwips(window.x(), dpiX));
        m_registry.SaveSetting(Settings, m_stored.top, Registry::TypeNumber, toTwips(window.y(), dpiY));
        m_registry.SaveSetting(Settings, m_stored.width, Registry::TypeNumber, toTwips(window.width(), dpiX));
        m_registry.SaveSetting(Settings, m_stored.height, Registry::TypeNumber, toTwips(window.height(), dpiY));
    }
    m_registry.SaveSetting(Settings, m_stored.state, Registry::TypeNumber, int(state));
}
