#include "autosave.h"

#include "game_engine.h"
#include "recovery_store.h"

#include <QDebug>

Autosave::Autosave(GameEngine &engine, RecoveryStore &store, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_store(store)
{
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
    if (!m_store.hasSlot())
        return;
    bool done = false;
    if (m_engine.teamsInPlay() == 0) {
        done = m_store.remove();
    } else {
        Standings standings = m_engine.standings();
        standings.announcedTeamCount = qint32(standings.teams.size());
        done = m_store.write({standings, m_engine.savedGame()});
    }
    // A full disk must not stop the game; the next change tries again.
    if (!done) {
        qWarning() << "could not write the recovery file" << m_store.filePath();
        return;
    }
    emit written();
}
