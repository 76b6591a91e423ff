#pragma once

#include <QGroupBox>

// The named call classes.
class ClassListPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ClassListPanel(QWidget *parent = nullptr);
};
