#pragma once

#include <QGroupBox>

// The physical ports and the virtual port each is bound to.
class PhysicalPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit PhysicalPortPanel(QWidget *parent = nullptr);
};
