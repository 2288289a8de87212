#pragma once

#include <QAudioFormat>
#include <QByteArray>

#include <optional>

// A sound read from a RIFF/WAVE file: uncompressed samples and their format.
struct WaveSound
{
    QAudioFormat format;
    QByteArray samples; // whole frames only
};

// Reads integer PCM (8, 16 or 32 bits) and 32-bit float, plain or in the
// extensible header; anything else, or a file without both a format and a
// data chunk, gives nothing. A data chunk longer than the file keeps what
// is there.
std::optional<WaveSound> readWaveSound(const QByteArray &file);
