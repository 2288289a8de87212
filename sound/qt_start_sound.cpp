#include "qt_start_sound.h"

#include "regular_file.h"

#include <QApplication>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

namespace {

// Room in the stream for this much sound: enough to ride out a busy moment
// of the window (a first paint of the board) without a gap, and small enough
// that the server keeps the stream's latency short.
constexpr int BufferMs = 100;
constexpr int FeedIntervalMs = 20;
// A start sound is a few seconds; a bigger file is not one, and the beep
// stands in.
constexpr qint64 MaxFileSize = 10 * 1024 * 1024;

} // namespace

QtStartSound::QtStartSound()
    : QtStartSound(defaultPath(), [] { QApplication::beep(); })
{
}

QtStartSound::QtStartSound(const QString &path, std::function<void()> beep)
    : m_path(path)
    , m_beep(std::move(beep))
{
    m_feedTimer.setInterval(FeedIntervalMs);
    QObject::connect(&m_feedTimer, &QTimer::timeout, &m_feedTimer, [this] { feed(); });
    m_playCheck.setSingleShot(true);
    m_playCheck.setInterval(StalledStreamMs);
    QObject::connect(&m_playCheck, &QTimer::timeout, &m_playCheck, [this] { checkPlayed(); });
}

bool QtStartSound::needsNewStream(QAudio::State state, QAudio::Error error, bool sameOutput)
{
    return error != QAudio::NoError || state == QAudio::StoppedState || !sameOutput;
}

QtStartSound::~QtStartSound()
{
    closeStream();
}

QString QtStartSound::defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/start.wav");
}

void QtStartSound::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    // Only a plain file: a pipe would freeze the start, and a link to a
    // device like /dev/zero would fill the memory.
    if (const std::optional<QByteArray> file = readRegularFile(m_path, MaxFileSize))
        m_sound = readWaveSound(*file);
    if (m_sound && m_sound->samples.isEmpty())
        m_sound.reset();
    // A new output is got ready for before the next start, not at it; a
    // sound that is playing finishes where it began.
    m_devices = std::make_unique<QMediaDevices>();
    QObject::connect(m_devices.get(), &QMediaDevices::audioOutputsChanged, &m_feedTimer, [this] {
        if (!m_sink || m_sink->state() == QAudio::SuspendedState)
            followOutput();
    });
    followOutput();
}

// A stream on the system's output as it is now: a server that went away
// (restarted, or the device was lost) leaves the old one stopped or in
// error, and the output may have moved elsewhere (a projector plugged in).
void QtStartSound::followOutput()
{
    if (m_sink
        && needsNewStream(m_sink->state(), m_sink->error(), QMediaDevices::defaultAudioOutput() == m_device))
        closeStream();
    if (!m_sink && m_sound)
        openStream();
}

void QtStartSound::openStream()
{
    // Without a sound server the device list is empty, and a sink on a null
    // device must not be made.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(m_sound->format))
        return;
    m_device = device;
    m_sink = std::make_unique<QAudioSink>(device, m_sound->format);
    m_sink->setBufferSize(m_sound->format.bytesForDuration(BufferMs * 1000));
    m_stream = m_sink->start();
    if (!m_stream || m_sink->error() != QAudio::NoError) {
        closeStream();
        return;
    }
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, &m_feedTimer,
                     [this](QAudio::State state) {
                         if (state == QAudio::IdleState)
                             pauseWhenPlayed();
                     });
    // A moment of silence sets the stream up with the server now rather
    // than at the first start; it pauses once that has played.
    m_next = m_sound->samples.size();
    m_stream->write(QByteArray(m_sound->format.bytesForDuration(FeedIntervalMs * 1000), '\0'));
}

void QtStartSound::closeStream()
{
    m_feedTimer.stop();
    m_playCheck.stop();
    m_stream = nullptr;
    if (m_sink) {
        m_sink->disconnect(&m_feedTimer);
        m_sink->stop();
        m_sink.reset();
    }
}

// Ran dry: the sound (or the first silence) is over, so the stream pauses
// and the server can rest until the next start.
void QtStartSound::pauseWhenPlayed()
{
    if (m_sink && m_next >= m_sound->samples.size())
        m_sink->suspend();
}

void QtStartSound::feed()
{
    if (!m_stream) {
        m_feedTimer.stop();
        return;
    }
    const QByteArray &samples = m_sound->samples;
    const qsizetype count = std::min<qsizetype>(m_sink->bytesFree(), samples.size() - m_next);
    if (count > 0) {
        const qint64 written = m_stream->write(samples.constData() + m_next, count);
        if (written > 0)
            m_next += written;
    }
    if (m_next >= samples.size())
        m_feedTimer.stop();
}

void QtStartSound::play()
{
    prepare();
    followOutput();
    if (!m_sink) {
        if (m_beep)
            m_beep();
        return;
    }
    m_next = 0;
    m_playedAtStartUs = m_sink->processedUSecs();
    if (m_sink->state() == QAudio::SuspendedState)
        m_sink->resume();
    feed();
    m_feedTimer.start();
    m_playCheck.start();
}

// A stream that took the start's samples and played none of them is the
// leftover of a server that went away; the next start opens a new one.
void QtStartSound::checkPlayed()
{
    if (m_sink && hasStalled(m_playedAtStartUs, m_sink->processedUSecs()))
        closeStream();
}
