#pragma once

#include "start_sound.h"

#include <QSoundEffect>
#include <QString>

#include <functional>

// The start sound: "start.wav" beside the executable, played without
// waiting for it. When the file is missing or cannot be played (no audio
// device, a damaged file) the system beep sounds instead; the race goes on
// either way.
class QtStartSound final : public StartSound
{
public:
    QtStartSound();
    // For tests: another sound file and another stand-in for the beep.
    QtStartSound(const QString &path, std::function<void()> beep);

    void play() override;

    QString path() const { return m_path; }
    static QString defaultPath();

private:
    bool canPlay() const;

    QString m_path;
    std::function<void()> m_beep;
    QSoundEffect m_effect;
    bool m_loaded = false;
    bool m_waiting = false; // play() came before the file was read
};
