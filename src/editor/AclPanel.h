#pragma once

#include <QGroupBox>

// One access control list record: rights, classes and a public dial identity.
class AclPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit AclPanel(QWidget *parent = nullptr);
};
