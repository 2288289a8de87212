#include "wave_sound.h"

#include <QtEndian>

namespace {

constexpr quint16 PcmFormat = 1;
constexpr quint16 FloatFormat = 3;
constexpr quint16 ExtensibleFormat = 0xFFFE;

quint16 u16(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

QAudioFormat::SampleFormat sampleFormat(quint16 tag, quint16 bits)
{
    if (tag == FloatFormat)
        return bits == 32 ? QAudioFormat::Float : QAudioFormat::Unknown;
    if (tag != PcmFormat)
        return QAudioFormat::Unknown;
    switch (bits) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return QAudioFormat::Unknown;
    }
}

} // namespace

std::optional<WaveSound> readWaveSound(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;

    QAudioFormat format;
    std::optional<QByteArray> samples;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = u32(file, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + size > file.size())
                return std::nullopt;
            quint16 tag = u16(file, body);
            const quint16 bits = u16(file, body + 14);
            // The extensible header names the real format in its sub-format's first two bytes.
            if (tag == ExtensibleFormat && size >= 40)
                tag = u16(file, body + 24);
            format.setSampleFormat(sampleFormat(tag, bits));
            format.setChannelCount(u16(file, body + 2));
            format.setSampleRate(int(u32(file, body + 4)));
        } else if (id == "data") {
            samples = file.mid(body, size);
            break;
        }
        at = body + size + (size & 1); // chunks are padded to an even size
    }
    if (!samples || !format.isValid())
        return std::nullopt;
    samples->truncate(samples->size() - samples->size() % format.bytesPerFrame());
    return WaveSound{format, *samples};
}
