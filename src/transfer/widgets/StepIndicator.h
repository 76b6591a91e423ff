#pragma once

#include <QWidget>

// The picture beside a transfer step: a tick once it is done, an arrow while
// it runs, nothing before.
class StepIndicator : public QWidget
{
    Q_OBJECT

public:
    enum class State { Blank, InProgress, Done };

    static constexpr int Side = 16;

    explicit StepIndicator(QWidget *parent = nullptr);

    State state() const { return m_state; }
    void setState(State state);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintTick(QPainter &painter) const;
    void paintArrow(QPainter &painter) const;

    State m_state = State::Blank;
};
