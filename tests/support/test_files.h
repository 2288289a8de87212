#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QTextCodec>

// Small file and text helpers the tests share.
namespace TestFiles {

// Text in code page 949, encoded independently of the program's own codec
// lookup.
inline QByteArray cp949(const QString &text)
{
    return QTextCodec::codecForName("windows-949")->fromUnicode(text);
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

// A random seed, or ZANTO_SEED when set, so that a failing run can be repeated.
inline quint32 testSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZANTO_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

} // namespace TestFiles
