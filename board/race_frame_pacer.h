#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// The frames a board draws between the race's ticks. A race is drawn three
// times a tick, at the tick and at a third and two thirds of the way to the
// next: 60 drawings a second, the display's rate. A frame stands at its
// third however late its timer fires, so no drawing moves a bar more than a
// third of its tick's way.
class RaceFramePacer : public QObject
{
    Q_OBJECT

public:
    static constexpr int DrawingsPerTick = 3;

    // `wanted` tells whether frames are to be drawn now: a race runs on a
    // board someone can see.
    RaceFramePacer(int tickIntervalMs, std::function<bool()> wanted, QObject *parent = nullptr);

    // The race's start or a tick was drawn: the frames that follow count
    // from now.
    void tickDrawn();
    void stop();

signals:
    // A frame is due `fraction` of the way from the last tick to the next.
    void frameDue(double fraction);

private:
    void scheduleNext();
    void drawNext();

    const int m_tickIntervalMs;
    std::function<bool()> m_wanted;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    int m_framesSinceTick = 0;
};
