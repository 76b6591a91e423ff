#pragma once

#include <QGroupBox>

// One virtual port record: the exchange's logical telephone endpoint.
class VirtualPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit VirtualPortPanel(QWidget *parent = nullptr);
};
