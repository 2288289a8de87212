#include "first_paint_watch.h"

#include "figures.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

FirstPaintWatch::FirstPaintWatch(QObject *parent)
    : QObject(parent)
{
}

void FirstPaintWatch::watch(const char *className, Callback done)
{
    m_callbacks.insert(QByteArray(className), std::move(done));
}

QWidget *FirstPaintWatch::watchedWindow(QObject *object) const
{
    QWidget *window = nullptr;
    if (object->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(object);
        if (widget->isWindow())
            window = widget;
    } else if (object->isWindowType()) {
        const auto *handle = static_cast<QWindow *>(object);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->windowHandle() == handle) {
                window = top;
                break;
            }
        }
    }
    if (!window || !m_callbacks.contains(window->metaObject()->className())
        || m_done.value(window))
        return nullptr;
    return window;
}

bool FirstPaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    ++m_events;
    switch (event->type()) {
    case QEvent::Timer:
        ++m_timerEvents;
        break;
    case QEvent::Paint:
        ++m_paintEvents;
        if (m_painting && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_painting)
            m_painted = true;
        break;
    case QEvent::Expose:
    case QEvent::UpdateRequest: {
        if (m_painting)
            break;
        QWidget *window = watchedWindow(watched);
        if (!window)
            break;
        // Deliver it here, then look whether the window was painted on the way.
        m_painting = window;
        m_painted = false;
        watched->event(event);
        m_painting = nullptr;
        if (m_painted) {
            m_done.insert(window, true);
            const qint64 now = bench::monotonicNs();
            m_callbacks.value(window->metaObject()->className())(window, now);
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
