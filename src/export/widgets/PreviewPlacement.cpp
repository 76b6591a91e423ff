#include "PreviewPlacement.h"

#include "Registry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

using namespace SettingsKeys;

namespace {
constexpr double TwipsPerInch = 1440;

int toPixels(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}

int toTwips(int pixels, qreal dotsPerInch)
{
    return qRound(pixels * TwipsPerInch / dotsPerInch);
}

// Wholly inside the area, and no larger than it.
QRect keptOn(const QRect &pixels, const QRect &available)
{
    QRect result(pixels.topLeft(), pixels.size().boundedTo(available.size()));
    result.moveRight(qMin(result.right(), available.right()));
    result.moveBottom(qMin(result.bottom(), available.bottom()));
    result.moveLeft(qMax(result.left(), available.left()));
    result.moveTop(qMax(result.top(), available.top()));
    return result;
}
} // namespace

PreviewPlacement::PreviewPlacement(Registry &registry)
    : m_registry(registry)
{
}

void PreviewPlacement::restore(QWidget &window) const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const qreal dpiX = primary->logicalDotsPerInchX();
    const qreal dpiY = primary->logicalDotsPerInchY();
    const QRect stored(toPixels(m_registry.GetNumber(Settings, PreviewLeft, DefaultPreviewLeft), dpiX),
                       toPixels(m_registry.GetNumber(Settings, PreviewTop, DefaultPreviewTop), dpiY),
                       toPixels(m_registry.GetNumber(Settings, PreviewWidth, DefaultPreviewWidth), dpiX),
                       toPixels(m_registry.GetNumber(Settings, PreviewHeight, DefaultPreviewHeight), dpiY));
    const QScreen *screen = QGuiApplication::screenAt(stored.center());
    const QRect placed = keptOn(stored, (screen ? screen : primary)->availableGeometry());
    window.move(placed.topLeft());
    window.resize(placed.size());

    switch (m_registry.GetNumber(Settings, PreviewWindowState, DefaultPreviewWindowState)) {
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

void PreviewPlacement::save(const QWidget &window)
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
        m_registry.SaveSetting(Settings, PreviewLeft, Registry::TypeNumber, toTwips(window.x(), dpiX));
        m_registry.SaveSetting(Settings, PreviewTop, Registry::TypeNumber, toTwips(window.y(), dpiY));
        m_registry.SaveSetting(Settings, PreviewWidth, Registry::TypeNumber, toTwips(window.width(), dpiX));
        m_registry.SaveSetting(Settings, PreviewHeight, Registry::TypeNumber, toTwips(window.height(), dpiY));
    }
    m_registry.SaveSetting(Settings, PreviewWindowState, Registry::TypeNumber, int(state));
}
