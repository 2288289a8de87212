#pragma once

#include "start_sound.h"
#include "wave_sound.h"

#include <QAudio>
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
//
// A sound server that restarts leaves the kept stream broken: Qt reports it
// stopped or in error, or, with some servers, it takes samples and plays
// nothing. A start that finds the stream broken opens a new one and plays
// on it; when no new one can be had (the server is not back yet) the beep
// sounds. A stream that took a start's samples without playing any of them
// within StalledStreamMs is given up: that start stays silent, and the next
// one opens a new stream.
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

    // Whether the file held a sound to play (once prepared).
    bool hasSound() const { return m_sound.has_value(); }
    // Whether a stream is open and waiting for the next start.
    bool isStreamOpen() const { return m_sink != nullptr; }

    static constexpr int StalledStreamMs = 1000;
    // Whether a kept stream must be opened anew before a start: it stopped
    // or failed (a server that went away), or the output moved elsewhere.
    static bool needsNewStream(QAudio::State state, QAudio::Error error, bool sameOutput);
    // Whether a stream played nothing of a start since it was resumed: its
    // played time did not move.
    static bool hasStalled(qint64 playedAtStartUs, qint64 playedNowUs) { return playedNowUs <= playedAtStartUs; }

private:
    void followOutput();
    void openStream();
    void closeStream();
    void feed();
    void pauseWhenPlayed();
    void checkPlayed();

    QString m_path;
    std::function<void()> m_beep;
    bool m_prepared = false;
    std::optional<WaveSound> m_sound; // none when the file holds no playable sound
    std::unique_ptr<QAudioSink> m_sink;
    QAudioDevice m_device;         // the output the stream plays on
    QIODevice *m_stream = nullptr; // the sink's, written to while a start sounds
    qsizetype m_next = 0;          // the next byte of the sound to hand over
    QTimer m_feedTimer;
    QTimer m_playCheck;            // a start's look at whether the stream played
    qint64 m_playedAtStartUs = 0;
    // Made when the sound gets ready: asking for the devices sets up the
    // sound system, which has no business before the first window is up.
    std::unique_ptr<QMediaDevices> m_devices;
};
