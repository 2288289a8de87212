#pragma once

#include <QtGlobal>

// One display monitor as the monitor list found it: the handle the platform
// knows it by, its full rectangle, its work area (without task bars and docked
// bars) and its size, all in pixels of the virtual desktop, whose origin is
// the primary monitor's top-left corner. Right and bottom edges are
// exclusive.
//
// A plain holder: width and height are stored by whoever fills the record,
// never computed from the edges.
struct MonitorRecord
{
    qint32 handle = 0; // 0 in the single-screen record of a platform without several monitors
    qint32 left = 0;
    qint32 right = 0;
    qint32 top = 0;
    qint32 bottom = 0;
    qint32 workLeft = 0;
    qint32 workRight = 0;
    qint32 workTop = 0;
    qint32 workBottom = 0;
    qint32 width = 0;
    qint32 height = 0;
};
