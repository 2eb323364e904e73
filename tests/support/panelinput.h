#pragma once
// What the panel tests share: bytes packed by Python's struct module (an encoder that shares
// nothing with the program's records), the operator's typing into a spin box, and the check
// that a piece of work put no setting request on the wire.

#include "support/vpucomharness.h"
#include "support/vpusim.h"
#include "support/zelvorsim.h"

#include <QAbstractSpinBox>
#include <QProcess>
#include <QTest>

// The bytes of a Python expression over the struct module, e.g. "struct.pack('<BH', 1, 2)".
inline QByteArray PyBytes(const QString &qsExpr)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QStringLiteral("import struct,sys; sys.stdout.write((%1).hex())").arg(qsExpr)});
    if (!python.waitForFinished(10000) || python.exitCode() != 0)
        qFatal("python3 failed on %s", qPrintable(qsExpr));
    return QByteArray::fromHex(python.readAllStandardOutput());
}

// A request as the simulator logs it: id, u32 length, payload.
inline QByteArray Request(quint8 ucId, const QByteArray &baPayload)
{
    return SimHeader(ucId, quint32(baPayload.size())) + baPayload;
}

// Selects what the spin box shows, types the text and, unless told not to, ends with Return.
inline void TypeInto(QAbstractSpinBox *pSpin, const QString &qsText, bool bReturn = true)
{
    QTest::keyClick(pSpin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pSpin, qsText);
    if (bReturn)
        QTest::keyClick(pSpin, Qt::Key_Return);
}

// The logged requests of the ids that change the VPU's video or colour settings or presets,
// once every request queued so far has been answered (one more request behind them).
inline QList<QByteArray> SettingRequests(ZelvorOnSim &sim)
{
    SignalLog log(&sim.Wnd()->m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg);
    sim.Wnd()->m_VpuCom.FixtEnumerate();
    if (!log.wait(5000))
        qWarning("the link did not answer");
    QList<QByteArray> lOut;
    for (const QByteArray &ba : sim.Model().Messages()) {
        if (QByteArrayList{"\x0a", "\x0d", "\x0e", "\x0f", "\x21"}.contains(ba.left(1)))
            lOut.append(ba);
    }
    return lOut;
}
