#include "artwork.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace artwork {

namespace {

constexpr int sampleRate = 22050;

struct Note
{
    qreal start;     // seconds
    qreal length;    // seconds
    qreal frequency; // Hz
    qreal loudness;
};

// A bright, brass-like tone: odd and even harmonics falling off gently, the
// upper ones opening up during the attack as a horn's do.
qreal brass(qreal phase, qreal frequency, qreal age)
{
    const qreal brightness = std::min(1.0, age / 0.04);
    qreal v = 0;
    for (int n = 1; n <= 9; ++n) {
        if (n * frequency > sampleRate / 2 * 0.9)
            break;
        const qreal weight = (n == 1 ? 1.0 : std::pow(brightness, 0.5 * n) * 0.9 / n);
        v += weight * std::sin(n * phase);
    }
    return v;
}

qreal envelope(qreal age, qreal length)
{
    const qreal attack = 0.012;
    const qreal release = std::min(0.18, length * 0.35);
    if (age < 0 || age > length)
        return 0;
    if (age < attack)
        return age / attack;
    const qreal sustain = 0.82 + 0.18 * std::exp(-(age - attack) / 0.05);
    if (age > length - release)
        return sustain * (length - age) / release;
    return sustain;
}

void appendLe16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendLe32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray startSignalWav()
{
    // A rising call of four short notes and a held top note: G4 C5 E5 G5, C6.
    const Note notes[] = {
        {0.00, 0.13, 392.00, 0.55},
        {0.15, 0.13, 523.25, 0.60},
        {0.30, 0.13, 659.25, 0.65},
        {0.45, 0.13, 783.99, 0.70},
        {0.60, 0.85, 1046.50, 0.80},
        {0.60, 0.85, 523.25, 0.30},
    };
    const qreal duration = 1.5;
    std::vector<qreal> mix(size_t(duration * sampleRate), 0.0);
    for (const Note &note : notes) {
        const size_t first = size_t(note.start * sampleRate);
        const size_t last = std::min(mix.size(), size_t((note.start + note.length) * sampleRate) + 1);
        // The phase is summed sample by sample so the vibrato bends the
        // pitch by the same small amount all through the note.
        qreal phase = 0;
        for (size_t i = first; i < last; ++i) {
            const qreal age = qreal(i) / sampleRate - note.start;
            const qreal depth = note.length > 0.5 ? 0.006 * std::min(1.0, age / 0.3) : 0;
            const qreal frequency = note.frequency * (1 + depth * std::sin(2 * M_PI * 5.5 * age));
            mix[i] += note.loudness * envelope(age, note.length) * brass(phase, note.frequency, age);
            phase += 2 * M_PI * frequency / sampleRate;
        }
    }

    const qreal peak = std::max(1e-9, std::abs(*std::max_element(mix.begin(), mix.end(),
        [](qreal a, qreal b) { return std::abs(a) < std::abs(b); })));
    const qreal gain = 0.7 / peak; // about -3 dBFS
    QByteArray pcm;
    pcm.reserve(int(mix.size() * 2));
    for (qreal v : mix)
        appendLe16(pcm, quint16(qint16(std::lround(std::clamp(v * gain, -1.0, 1.0) * 32767))));

    QByteArray wav;
    wav.append("RIFF");
    appendLe32(wav, quint32(36 + pcm.size()));
    wav.append("WAVE");
    wav.append("fmt ");
    appendLe32(wav, 16);
    appendLe16(wav, 1); // PCM
    appendLe16(wav, 1); // mono
    appendLe32(wav, sampleRate);
    appendLe32(wav, sampleRate * 2);
    appendLe16(wav, 2);
    appendLe16(wav, 16);
    wav.append("data");
    appendLe32(wav, quint32(pcm.size()));
    wav.append(pcm);
    return wav;
}

} // namespace artwork
