#pragma once

class QWidget;
class Registry;

// The report window's position, size and state in the settings, in twips as
// the program keeps them ("PreviewLeft", "PreviewTop", "PreviewWidth",
// "PreviewHeight", "PreviewWindowState" under "Settings").
class PreviewPlacement
{
public:
    enum State { Normal = 0, Minimised = 1, Maximised = 2 };

    explicit PreviewPlacement(Registry &registry);

    // Places the window as stored, kept on a screen, and shows it in the stored state.
    void restore(QWidget &window) const;
    // Writes the state, and the position and size only while the window is
    // normal, so a maximised window keeps the last normal placement.
    void save(const QWidget &window);

private:
    Registry &m_registry;
};
