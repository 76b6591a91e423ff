#pragma once

#include <QGroupBox>

// One tone record: a call-progress tone as a sequence of steps.
class TonePanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit TonePanel(QWidget *parent = nullptr);
};
