#pragma once

#include <QGroupBox>

// The system parameters: the single record of exchange-wide settings.
class SystemPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit SystemPanel(QWidget *parent = nullptr);
};
