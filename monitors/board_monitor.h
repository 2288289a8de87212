#pragma once

#include <QtGlobal>

// The monitor the board is meant for, as the setup window recorded it.
struct BoardMonitor
{
    bool useMonitor = false;  // place the board on that monitor when it opens
    qint32 monitorCount = 0;  // monitors found when it was recorded
    qint32 left = 0, top = 0, width = 0, height = 0; // desktop pixels
};
