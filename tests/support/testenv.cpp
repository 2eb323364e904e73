#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnv::TestEnv() : m_qsOldCwd(QDir::currentPath())
{
    QDir::setCurrent(m_Dir.path());
    qputenv("XDG_CONFIG_HOME", m_Dir.path().toUtf8());
}

TestEnv::~TestEnv()
{
    QDir::setCurrent(m_qsOldCwd);
}

void RecordingSink::SendErrorMsg(const QString &qsMsg, int iCode)
{
    QMutexLocker lock(&m_Mutex);
    m_Errors.append({qsMsg, iCode});
}

void RecordingSink::ShowStatusMessage(int, const QString &qsMsg, int)
{
    QMutexLocker lock(&m_Mutex);
    m_Status.append(qsMsg);
}

void RecordingSink::ShowWarning(const QString &qsTitle, const QString &qsText)
{
    QMutexLocker lock(&m_Mutex);
    m_Warnings.append(qsTitle + QStringLiteral(": ") + qsText);
}

QList<QPair<QString, int>> RecordingSink::Errors() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Errors;
}

QList<QString> RecordingSink::Warnings() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Warnings;
}

QList<QString> RecordingSink::StatusMessages() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Status;
}

void RecordingSink::Reset()
{
    QMutexLocker lock(&m_Mutex);
    m_Errors.clear();
    m_Warnings.clear();
    m_Status.clear();
}

bool WriteTestFile(const QString &qsPath, const QByteArray &baContent)
{
    QDir().mkpath(QFileInfo(qsPath).absolutePath());
    QFile f(qsPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(baContent) == baContent.size();
}

QByteArray ReadTestFile(const QString &qsPath)
{
    QFile f(qsPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
