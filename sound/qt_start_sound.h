#pragma once

#include "start_sound.h"
#include "wave_sound.h"

#include <QAudioDevice>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QAudioSink;
class QIODevice;
class QMediaDevices;

// The start sound: "start.wav" beside the executable, played without
// waiting for it. When the file is missing or cannot be played (no audio
// device, a damaged file, anything but a plain file of at most 10 MiB) the
// system beep sounds instead; the race goes on either way.
//
// A sound stream opened for each start lets the sound server take its time:
// with the server idle, the first samples came up to a second and a half
// after the click. So one stream is opened when the game is shown and kept,
// paused between starts; a start resumes it with the samples already there.
// When the system's output changes (a projector's HDMI plugged in), the
// stream is opened anew on the new one, so the hall hears the start.
class QtStartSound final : public StartSound
{
public:
    QtStartSound();
    // For tests: another sound file and another stand-in for the beep.
    QtStartSound(const QString &path, std::function<void()> beep);
    ~QtStartSound() override;

    void prepare() override;
    void play() override;

    QString path() const { return m_path; }
    static QString defaultPath();

    // Whether a stream is open and waiting for the next start.
    bool isStreamOpen() const { return m_sink != nullptr; }

private:
    void followOutput();
    void openStream();
    void closeStream();
    void feed();
    void pauseWhenPlayed();

    QString m_path;
    std::function<void()> m_beep;
    bool m_prepared = false;
    std::optional<WaveSound> m_sound; // none when the file holds no playable sound
    std::unique_ptr<QAudioSink> m_sink;
    QAudioDevice m_device;         // the output the stream plays on
    QIODevice *m_stream = nullptr; // the sink's, written to while a start sounds
    qsizetype m_next = 0;          // the next byte of the sound to hand over
    QTimer m_feedTimer;
    // Made when the sound gets ready: asking for the devices sets up the
    // sound system, which has no business before the first window is up.
    std::unique_ptr<QMediaDevices> m_devices;
};
