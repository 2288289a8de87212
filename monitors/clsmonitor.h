#pragma once

#include <QtGlobal>

// One display monitor as the monitor list found it: the handle the platform
// knows it by, its full rectangle, its work area (without task bars and docked
// bars) and its size, all in pixels of the virtual desktop, whose origin is
// the primary monitor's top-left corner. Right and bottom edges are
// exclusive.
//
// A plain holder: Width and Height are stored by whoever fills the record,
// never computed from the edges.
class clsmonitor
{
public:
    qint32 Handle = 0; // 0 in the single-screen record of a platform without several monitors
    qint32 Left = 0;
    qint32 Right = 0;
    qint32 Top = 0;
    qint32 Bottom = 0;
    qint32 WorkLeft = 0;
    qint32 WorkRight = 0;
    qint32 WorkTop = 0;
    qint32 WorkBottom = 0;
    qint32 Width = 0;
    qint32 Height = 0;
};
