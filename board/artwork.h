#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's artwork from the resources, e.g. ":/assets/runner.png".
// For a device pixel ratio above 1 the "@2x" image is taken when there is
// one, so the picture stays sharp. A missing image gives a null pixmap.
QPixmap artworkPixmap(const QString &path, qreal devicePixelRatio);

// The icon both windows carry.
QIcon appIcon();
