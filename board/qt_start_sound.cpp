#include "qt_start_sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

QtStartSound::QtStartSound()
    : QtStartSound(defaultPath(), [] { QApplication::beep(); })
{
}

QtStartSound::QtStartSound(const QString &path, std::function<void()> beep)
    : m_path(path)
    , m_beep(std::move(beep))
{
    // Loading ahead of the first start keeps that start from lagging.
    if (canPlay()) {
        m_effect.setSource(QUrl::fromLocalFile(m_path));
        m_loaded = true;
    }
    // A file that turns out unplayable only says so once it was read: a
    // start that was waiting for it beeps then.
    QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, [this] {
        if (m_effect.status() == QSoundEffect::Error && m_waiting) {
            m_waiting = false;
            if (m_beep)
                m_beep();
        } else if (m_effect.status() == QSoundEffect::Ready) {
            m_waiting = false;
        }
    });
}

QString QtStartSound::defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/start.wav");
}

bool QtStartSound::canPlay() const
{
    return QFileInfo(m_path).isFile() && !QMediaDevices::audioOutputs().isEmpty();
}

void QtStartSound::play()
{
    if (!m_loaded || m_effect.status() == QSoundEffect::Error || !canPlay()) {
        if (m_beep)
            m_beep();
        return;
    }
    m_waiting = m_effect.status() != QSoundEffect::Ready;
    m_effect.stop();
    m_effect.play();
}
