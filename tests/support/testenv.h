#pragma once
// Gives each test a private working folder and settings store, and records what the user
// would have been told (error boxes, status messages, warnings) instead of showing it.

#include "trace/trace.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

class TestEnv
{
public:
    // Creates a temporary folder, makes it the working directory and points
    // XDG_CONFIG_HOME there, so no test sees another's files or settings.
    TestEnv();
    ~TestEnv();
    QString Path() const { return m_Dir.path(); }
    QString FilePath(const QString &qsName) const { return m_Dir.filePath(qsName); }

private:
    QTemporaryDir m_Dir;
    QString m_qsOldCwd;
};

// A main-window sink that records every report; thread-safe.
class RecordingSink : public CMainWndSink
{
public:
    RecordingSink() { SetMainWndSink(this); }
    ~RecordingSink() override { SetMainWndSink(nullptr); }
    void SendErrorMsg(const QString &qsMsg, int iCode) override;
    void ShowStatusMessage(int iKind, const QString &qsMsg, int iTimeoutMs) override;
    void ShowWarning(const QString &qsTitle, const QString &qsText) override;

    QList<QPair<QString, int>> Errors() const;
    QList<QString> Warnings() const;
    QList<QString> StatusMessages() const;
    void Reset();

private:
    mutable QMutex m_Mutex;
    QList<QPair<QString, int>> m_Errors;
    QList<QString> m_Warnings;
    QList<QString> m_Status;
};

// Writes a file with the given bytes (test setup), creating parent folders.
bool WriteTestFile(const QString &qsPath, const QByteArray &baContent);
QByteArray ReadTestFile(const QString &qsPath);
