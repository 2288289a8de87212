#pragma once

#include "banner_artwork.h"

#include <QPixmap>
#include <QWidget>

// The banner (Image1), drawn for the widget's width without stretching its
// figures or lettering (see BannerArtwork). It is drawn once per size and
// screen density and then only copied, so a race never redraws it.
class BannerPicture : public QWidget
{
    Q_OBJECT

public:
    explicit BannerPicture(QWidget *parent = nullptr);

    // The banner as last drawn, in device pixels with its ratio set; null
    // before the first paint.
    const QPixmap &drawnBanner() const { return m_drawn; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BannerArtwork m_artwork;
    QPixmap m_drawn;
    QSize m_drawnSize;       // logical size and screen ratio m_drawn was drawn for
    qreal m_drawnRatio = 0;
};
