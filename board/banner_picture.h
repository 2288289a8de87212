#pragma once

#include "banner_artwork.h"

#include <QWidget>

// The banner (Image1), drawn for the widget's width without stretching its
// figures or lettering (see BannerArtwork). It is painted straight into the
// window, which keeps it: it is painted again only when the window is resized
// or shown again, never in a race, so a copy of the whole banner would only
// hold memory (2 MiB across a 1920 pixel screen, 8 at twice the density).
class BannerPicture : public QWidget
{
    Q_OBJECT

public:
    explicit BannerPicture(QWidget *parent = nullptr);

    // Drawn `factor` times its design size (see BoardScale).
    void setScale(double factor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BannerArtwork m_artwork;
    double m_scale = 1.0;
};
