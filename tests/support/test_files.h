#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <QTextCodec>
#endif

// Small file and text helpers the tests share.
namespace TestFiles {

// Text in code page 949, encoded independently of the program's own codec
// lookup: by Core5Compat's codec, or on Windows by the system's own table.
inline QByteArray cp949(const QString &text)
{
#ifdef Q_OS_WIN
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = WideCharToMultiByte(949, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(qMax(length, 0), Qt::Uninitialized);
    if (length > 0)
        WideCharToMultiByte(949, 0, wide, int(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
#else
    return QTextCodec::codecForName("windows-949")->fromUnicode(text);
#endif
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry of a folder (hidden ones too) with its bytes, to compare a
// folder before and after an action.
using Snapshot = QMap<QString, QByteArray>;

inline Snapshot snapshot(const QString &folder)
{
    Snapshot files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        QFile file(entry.absoluteFilePath());
        files.insert(entry.fileName(),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>"));
    }
    return files;
}

// The seed of a random test: `fixed` under ctest, so that every run of the
// suite is the same; a fresh one for a soak run (ZANTO_SOAK=1); ZANTO_SEED
// when set, to repeat a run that failed.
inline quint32 testSeed(quint32 fixed)
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZANTO_SEED").toUInt(&ok);
    if (ok)
        return seed;
    return qEnvironmentVariableIntValue("ZANTO_SOAK") ? QRandomGenerator::system()->generate() : fixed;
}

// Names the seed when the test it lives in fails, so that it can be repeated.
class SeedReport
{
public:
    explicit SeedReport(quint32 seed) : m_seed(seed) {}
    ~SeedReport()
    {
        if (QTest::currentTestFailed())
            qWarning("the test ran with seed %u: ZANTO_SEED=%u repeats it", m_seed, m_seed);
    }

private:
    quint32 m_seed;
};

} // namespace TestFiles
