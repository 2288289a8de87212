#include "wave_sound.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const QByteArray &id, const QByteArray &body, quint32 announced = 0)
{
    QByteArray c = id + le32(announced ? announced : quint32(body.size())) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray formatBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 frame = channels * bits / 8;
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * frame) + le16(frame) + le16(bits);
}

QByteArray wave(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

} // namespace

class TestWaveSound : public QObject
{
    Q_OBJECT

private slots:
    void readsUncompressedSound_data();
    void readsUncompressedSound();
    void refusesWhatIsNotUncompressedSound_data();
    void refusesWhatIsNotUncompressedSound();
    void readsTheProgramsOwnStartSound();
};

void TestWaveSound::readsUncompressedSound_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("sampleFormat");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QByteArray>("samples");

    const QByteArray six("\x01\x02\x03\x04\x05\x06", 6);
    QTest::newRow("16-bit mono")
        << wave(chunk("fmt ", formatBody(1, 1, 22050, 16)) + chunk("data", six))
        << int(QAudioFormat::Int16) << 1 << 22050 << six;
    // An odd-sized chunk before the data is padded to an even size.
    QTest::newRow("8-bit stereo after a list chunk")
        << wave(chunk("fmt ", formatBody(1, 2, 8000, 8)) + chunk("LIST", "abc") + chunk("data", six))
        << int(QAudioFormat::UInt8) << 2 << 8000 << six;
    QTest::newRow("float, a partial frame dropped")
        << wave(chunk("fmt ", formatBody(3, 1, 48000, 32)) + chunk("data", six))
        << int(QAudioFormat::Float) << 1 << 48000 << six.left(4);
    QByteArray extensible = formatBody(0xFFFE, 2, 44100, 16) + le16(22) + le16(16) + le32(3)
                            + le16(1) + QByteArray(14, 'x');
    QTest::newRow("extensible header naming PCM")
        << wave(chunk("fmt ", extensible) + chunk("data", six))
        << int(QAudioFormat::Int16) << 2 << 44100 << six.left(4);
    QTest::newRow("data announced longer than the file")
        << wave(chunk("fmt ", formatBody(1, 1, 22050, 16))) + "data" + le32(1000) + six
        << int(QAudioFormat::Int16) << 1 << 22050 << six;
}

void TestWaveSound::readsUncompressedSound()
{
    QFETCH(QByteArray, file);
    QFETCH(int, sampleFormat);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(QByteArray, samples);

    const auto sound = readWaveSound(file);
    QVERIFY(sound);
    QCOMPARE(int(sound->format.sampleFormat()), sampleFormat);
    QCOMPARE(sound->format.channelCount(), channels);
    QCOMPARE(sound->format.sampleRate(), rate);
    QCOMPARE(sound->samples, samples);
}

void TestWaveSound::refusesWhatIsNotUncompressedSound_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray data = chunk("data", QByteArray(8, '\x10'));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a wave") << QByteArray("RIFF\x10\0\0\0AVI LIST", 16);
    QTest::newRow("compressed") << wave(chunk("fmt ", formatBody(2, 1, 22050, 4)) + data);
    QTest::newRow("24-bit") << wave(chunk("fmt ", formatBody(1, 1, 22050, 24)) + data);
    QTest::newRow("no channels") << wave(chunk("fmt ", formatBody(1, 0, 22050, 16)) + data);
    QTest::newRow("no format chunk") << wave(data);
    QTest::newRow("no data chunk") << wave(chunk("fmt ", formatBody(1, 1, 22050, 16)));
    QTest::newRow("format chunk cut short")
        << wave(chunk("fmt ", formatBody(1, 1, 22050, 16).left(10)) + data);
}

void TestWaveSound::refusesWhatIsNotUncompressedSound()
{
    QFETCH(QByteArray, file);
    QVERIFY(!readWaveSound(file));
}

void TestWaveSound::readsTheProgramsOwnStartSound()
{
    QFile file(QStringLiteral(ZANTO_START_WAV));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto sound = readWaveSound(file.readAll());
    QVERIFY(sound);
    QCOMPARE(sound->format.durationForBytes(sound->samples.size()), 1500000);
}

QTEST_GUILESS_MAIN(TestWaveSound)
#include "tst_wave_sound.moc"
