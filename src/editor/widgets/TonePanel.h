#pragma once

#include "editor/ToneSteps.h"

#include <QByteArray>
#include <QGroupBox>

#include <array>

class PanelContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class RecordClass;

// One tone record: up to sixteen steps of frequency, level and length.
class TonePanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int Rows = ToneSteps::MaxSteps;

    TonePanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildToneFreqs();
    void FillTone(int index);

private:
    // What a row shows: an ordinary step, the End step, or a step after it.
    enum class RowState { Step, End, AfterEnd };

    RecordClass &tones() const;
    int shownIndex() const;
    void addRow(int row);
    void setRowEnabled(int row, bool enabled);
    void showLevel(int row, ToneSteps::Level level);
    void showEnd(int row);
    void showAfterEnd(int row);
    void frequencyLeft(int row);
    void audibleClicked(int row);
    void audibleLeft(int row);
    QString lengthLeaving(int row);
    void lengthLeft(int row);

    PanelContext &m_context;
    QLineEdit *m_name;
    std::array<QLabel *, Rows> m_positions{};
    std::array<QComboBox *, Rows> m_frequencies{};
    std::array<QCheckBox *, Rows> m_audible{};
    std::array<QLineEdit *, Rows> m_lengths{};
    std::array<RowState, Rows> m_rowStates{};
    // Steps of the shown record; rows past it stay disabled.
    int m_stepCount = 0;
    // Set while the handlers rewrite rows themselves.
    bool m_refreshingRows = false;
};
