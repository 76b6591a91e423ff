#pragma once

#include <QRect>
#include <QSize>

class QWidget;
class Registry;

// The main window's position, size and state in the settings, in twips as the
// program has always kept them ("MainLeft", "MainTop", "MainWidth",
// "MainHeight", "MainWindowState" under "Settings").
class MainWindowPlacement
{
public:
    enum State { Normal = 0, Minimised = 1, Maximised = 2 };

    static constexpr int TwipsPerInch = 1440;
    // The stored defaults describe a window far too small for the document
    // windows; nothing smaller than this is restored, as far as the screen allows.
    static constexpr QSize MinimumSize{800, 600};

    explicit MainWindowPlacement(Registry &registry);

    // Places the window as stored, kept on a screen, and shows it in the stored state.
    void restore(QWidget &window) const;
    // Writes the state, and the position and size only while the window is
    // normal: a minimised or maximised window keeps the last normal placement.
    void save(const QWidget &window);

    static int toPixels(int twips, qreal dotsPerInch);
    static int toTwips(int pixels, qreal dotsPerInch);
    // At least the minimum size (within the area), and wholly inside the area.
    static QRect fitted(const QRect &pixels, const QRect &available);

private:
    Registry &m_registry;
};
