#pragma once
// What the update panels' tests share: patterned data, files, an independent Python reader.

#include <QFile>
#include <QProcess>
#include <QWidget>

inline QByteArray Pattern(int iSize, int iSeed)
{
    QByteArray ba(iSize, 0);
    for (int i = 0; i < iSize; ++i)
        ba[i] = char((i * 13 + iSeed + i / 251) & 0xFF);
    return ba;
}

inline bool WriteFile(const QString &qsName, const QByteArray &baData)
{
    QFile file(qsName);
    return file.open(QIODevice::WriteOnly) && file.write(baData) == baData.size();
}

// What a Python script prints, given its standard input.
inline QByteArray Python(const QString &qsScript, const QByteArray &baInput = QByteArray())
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), qsScript});
    python.write(baInput);
    python.closeWriteChannel();
    python.waitForFinished(10000);
    return python.readAllStandardOutput().trimmed();
}

template <class T> T *Child(QWidget *pPanel, const char *pcName)
{
    return pPanel->findChild<T *>(QLatin1String(pcName));
}
