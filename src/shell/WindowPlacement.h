#pragma once

#include <QRect>
#include <QSize>

#include <optional>

class QString;
class QWidget;
class Registry;

// A window's position, size and state in the settings, in twips as the
// program has always kept them ("MainLeft", "MainTop", "MainWidth",
// "MainHeight", "MainWindowState" under "Settings" for the main window).
class WindowPlacement
{
public:
    enum State { Normal = 0, Minimised = 1, Maximised = 2 };

    // Where the settings keep one window's placement, and what it is when they hold none.
    struct Stored
    {
        const QString &left;
        const QString &top;
        const QString &width;
        const QString &height;
        const QString &state;
        int defaultLeft;
        int defaultTop;
        int defaultWidth;
        int defaultHeight;
        int defaultState;
        // Nothing smaller is restored, as far as the screen allows.
        std::optional<QSize> minimumSize;
    };
    // The stored defaults describe a main window far too small for the
    // document windows, so it has a minimum size.
    static const Stored Main;
    // The report's print preview (frmPreview).
    static const Stored Preview;

    static constexpr int TwipsPerInch = 1440;

    WindowPlacement(Registry &registry, const Stored &stored);

    // Places the window as stored, kept on a screen, and shows it in the stored state.
    void restore(QWidget &window) const;
    // Writes the state, and the position and size only while the window is
    // normal: a minimised or maximised window keeps the last normal placement.
    void save(const QWidget &window);

    static int toPixels(int twips, qreal dotsPerInch);
    static int toTwips(int pixels, qreal dotsPerInch);
    // At least the minimum size (within the area), and wholly inside the area.
    static QRect fitted(const QRect &pixels, const QRect &available, std::optional<QSize> minimumSize);

private:
    Registry &m_registry;
    const Stored &m_stored;
};
