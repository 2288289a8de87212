#pragma once

#include <QHash>
#include <QObject>
#include <QSize>
#include <QtGlobal>

#include <functional>

class QWidget;

// Notes when each top-level window of a class has finished painting for the
// first time: the moment its first picture went to the screen. Installed on
// the application, it sees every event; it delivers a window's expose or
// update request itself so that it knows when the painting inside is done.
class FirstPaintWatch final : public QObject
{
public:
    using Callback = std::function<void(QWidget *window, qint64 ns)>;

    explicit FirstPaintWatch(QObject *parent = nullptr);

    // `done` runs once per window whose class name is `className`.
    void watch(const char *className, Callback done);

    // Events delivered so far, for telling whether an idle program woke up.
    qint64 eventCount() const { return m_events; }
    qint64 timerEventCount() const { return m_timerEvents; }
    qint64 paintEventCount() const { return m_paintEvents; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *watchedWindow(QObject *object) const;

    QHash<QByteArray, Callback> m_callbacks;
    QHash<QWidget *, bool> m_done;
    QWidget *m_painting = nullptr; // a window whose delivery is under way
    bool m_painted = false;
    qint64 m_events = 0;
    qint64 m_timerEvents = 0;
    qint64 m_paintEvents = 0;
};
