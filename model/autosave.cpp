#include "autosave.h"

#include "game_engine.h"
#include "recovery_store.h"

#include <QDebug>

Autosave::Autosave(GameEngine &engine, RecoveryStore &store, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_store(store)
{
    m_now = [] {
        // Whole seconds: what the file keeps.
        const QDateTime now = QDateTime::currentDateTimeUtc();
        return now.addMSecs(-now.time().msec());
    };
    m_writeSoon.setSingleShot(true);
    m_writeSoon.setInterval(0);
    connect(&m_writeSoon, &QTimer::timeout, this, &Autosave::write);
}

void Autosave::start()
{
    if (m_following)
        return;
    m_following = true;
    connect(&m_engine, &GameEngine::standingsChanged, this, &Autosave::changed);
    connect(&m_engine, &GameEngine::maxScoreChanged, this, &Autosave::changed);
    connect(&m_engine, &GameEngine::savedGameChanged, this, &Autosave::changed);
    connect(&m_engine, &GameEngine::historyChanged, this, &Autosave::changed);
    write();
}

void Autosave::finish()
{
    m_following = false;
    m_writeSoon.stop();
    disconnect(&m_engine, nullptr, this, nullptr);
    if (!m_store.remove())
        qWarning() << "could not remove the recovery file" << m_store.filePath();
}

void Autosave::changed()
{
    m_writeSoon.start();
}

void Autosave::writePending()
{
    if (m_writeSoon.isActive()) {
        m_writeSoon.stop();
        write();
    }
}

void Autosave::write()
{
    // A run that found no slot at its start tries again: another copy may
    // have ended, or the folder become writable.
    if (!m_store.hasSlot())
        m_store.claimEmptySlot();
    bool done = false;
    if (m_engine.teamsInPlay() == 0) {
        done = m_store.remove();
    } else {
        Standings standings = m_engine.standings();
        standings.announcedTeamCount = qint32(standings.teams.size());
        done = m_store.write({standings, m_engine.savedGame(), m_now(), m_engine.history()});
    }
    // A full disk must not stop the game; the next change tries again.
    setFailing(!done || !m_store.hasSlot());
    if (!done) {
        qWarning() << "could not write the recovery file" << m_store.filePath();
        return;
    }
    emit written();
}

void Autosave::setFailing(bool failing)
{
    if (failing == m_failing)
        return;
    m_failing = failing;
    emit failingChanged(m_failing);
}
