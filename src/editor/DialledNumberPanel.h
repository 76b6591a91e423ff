#pragma once

#include <QGroupBox>

// The dialled numbers and the virtual ports they ring.
class DialledNumberPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit DialledNumberPanel(QWidget *parent = nullptr);
};
