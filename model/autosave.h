#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class GameEngine;
class RecoveryStore;

// Keeps the recovery file up to date with the game: after every change of
// the committed standings, the maximum or the saved game they belong to,
// the game is written once control is back in the event loop. One
// operation can signal several changes while it is half done (a load sets
// the maximum before the teams); the write waits for all of them, so the
// file only ever holds a game the board has shown. A game without teams is
// nothing to recover: its file goes.
//
// A write that fails (a full disk, a folder gone read-only, no slot at all)
// stops nothing: the next change tries again, and until one succeeds the
// autosave counts as failing, which the windows show the presenter.
class Autosave : public QObject
{
    Q_OBJECT

public:
    Autosave(GameEngine &engine, RecoveryStore &store, QObject *parent = nullptr);

    // Writes the game as it is and follows it from now on.
    void start();
    // A clean end: writes nothing more and removes the file.
    void finish();

    // Writes a change that is waiting for the event loop now; tests and
    // the recovery helper call it instead of running the loop.
    void writePending();
    bool isWritePending() const { return m_writeSoon.isActive(); }

    // The last write failed, or there was no slot to write to.
    bool isFailing() const { return m_failing; }

    // Where the time of a change comes from; tests set their own.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

signals:
    // The file holds the game as it is now (or is gone with its teams).
    void written();
    void failingChanged(bool failing);

private:
    void changed();
    void write();
    void setFailing(bool failing);

    GameEngine &m_engine;
    RecoveryStore &m_store;
    QTimer m_writeSoon;
    bool m_following = false;
    bool m_failing = false;
    std::function<QDateTime()> m_now;
};
