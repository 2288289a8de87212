#pragma once

#include <QString>

// Pictures Qt's own styles read by file name. A picture read by name goes
// through format detection, which loads every image plug-in and the
// libraries they link before the first window is painted; the program's
// own pictures are all read without it.
namespace StylePictures {

// Qt's Fusion style draws a group box's frame from a picture it reads by
// name on every paint, looking in QPixmapCache first. Puts that picture,
// read as PNG without detection, into the cache under the key QPixmap::load
// looks for (Qt 6.4). Under another key (another Qt) or another style
// nothing changes but the time and memory the plug-ins take; a test says so
// the day the running Qt looks under another key.
void preloadGroupBoxFrame();

// The picture's file and the cache key QPixmap::load gives it.
QString groupBoxFramePath();
QString groupBoxFrameCacheKey();

} // namespace StylePictures
