#pragma once

#include <QWidget>

// The picture of the splash and about windows: a telephone on top of an
// exchange rack, with a serial cable leading out of its foot.
class ExchangePicture : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 76;
    static constexpr int DesignHeight = 287;

    explicit ExchangePicture(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintBackground(QPainter &painter) const;
    void paintTelephone(QPainter &painter) const;
    void paintRack(QPainter &painter) const;
    void paintCable(QPainter &painter) const;
};
