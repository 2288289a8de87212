#pragma once

#include <QPixmap>
#include <QWidget>

// The banner (Image1): its picture stretched to the widget's size. The
// stretched copy is made once per size, not on every paint.
class BannerPicture : public QWidget
{
    Q_OBJECT

public:
    explicit BannerPicture(const QPixmap &picture, QWidget *parent = nullptr);

    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_scaled;
};
