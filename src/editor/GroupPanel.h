#pragma once

#include <QGroupBox>

// One group record: hunt, call-forward, conference, pickup or intercom group.
class GroupPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit GroupPanel(QWidget *parent = nullptr);
};
