#pragma once
// The test tools panel in factory mode on the simulated VPU, online, and the small helpers
// the test tools' tests share.

#include "support/linktest.h"
#include "support/vpusimdevice.h"
#include "testtools/testtools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

inline const QString kFactoryXml = QStringLiteral("<Factory_mode>yes</Factory_mode>");

inline bool WriteFile(const QString &qsName, const QByteArray &baData)
{
    QDir().mkpath(QFileInfo(qsName).path());
    QFile file(qsName);
    return file.open(QIODevice::WriteOnly) && file.write(baData) == baData.size();
}

inline QByteArray ReadFile(const QString &qsName)
{
    QFile file(qsName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a program prints; empty unless it ends well.
inline QByteArray Run(const QString &qsProgram, const QStringList &args, bool *pbOk = nullptr)
{
    QProcess process;
    process.start(qsProgram, args);
    const bool bOk = process.waitForFinished(60000) && process.exitCode() == 0;
    if (pbOk)
        *pbOk = bOk;
    return bOk ? process.readAllStandardOutput() : QByteArray();
}

template <class T> T *Child(QWidget *pPanel, const char *pcName)
{
    return pPanel->findChild<T *>(QLatin1String(pcName));
}

// Payloads of the requests the simulator received, as "id: bytes".
inline QStringList Requests(VpuSimModel &model)
{
    QStringList lines;
    for (const QByteArray &ba : model.Messages())
        lines << QStringLiteral("%1: %2").arg(int(quint8(ba.at(0)))).arg(QString::fromLatin1(ba.mid(5).toHex(' ')));
    return lines;
}

// The window in factory mode on the simulator, online, register names from the given files.
struct ToolsRig
{
    explicit ToolsRig(const QString &qsAddress, const QByteArray &baVpuRegs = QByteArray("0x0030;CTRL\n"))
        : link(qsAddress, kFactoryXml), device(link.Model())
    {
        if (!baVpuRegs.isNull())
            WriteFile(QStringLiteral("Scripts/vpu.reginit"), baVpuRegs);
        bStarted = link.StartSim() && link.Build() && link.ConnectEthernet();
        pTools = bStarted ? link.Wnd()->m_pTestTools : nullptr;
        link.Model().ClearLog();
    }
    bool Idle(int iTimeoutMs = 10000)
    {
        return QTest::qWaitFor([this] { return link.Wnd()->isEnabled(); }, iTimeoutMs);
    }

    LinkFixture link;
    VpuSimDevice device;
    TestTools *pTools = nullptr;
    bool bStarted = false;
};
