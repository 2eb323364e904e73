// The USB bulk transport against a simulated bus: packet cutting and endpoint rotation,
// device choice, budgets, and the framing running over it.

#include "comm/usbcom.h"
#include "comm/vpumsg.h"
#include "support/fakeusb.h"
#include "support/testenv.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {
constexpr UsbDeviceId_t VPU{0x04D8, 0x0204};
constexpr UsbDeviceId_t MOUSE{0x046D, 0xC077};
constexpr UsbDeviceId_t OTHER_MICROCHIP{0x04D8, 0x000A};

QByteArray Hex(const char *pcHex)
{
    return QByteArray::fromHex(QByteArray(pcHex).replace(' ', ""));
}

const quint8 *Bytes(const QByteArray &ba)
{
    return reinterpret_cast<const quint8 *>(ba.constData());
}

int OpenFirstVpu(CUsbCom &tCom)
{
    tCom.SetVidPid(0x04D8, 0x0204);
    const int iStatus = tCom.SelectDevice(0);
    return iStatus != 0 ? iStatus : tCom.Open();
}

// "endpoint:size" for each packet, e.g. "1:64 2:64 3:2".
QString Layout(const QList<FakeUsbPacket> &tPackets)
{
    QStringList tOut;
    for (const FakeUsbPacket &tPacket : tPackets)
        tOut << QString("%1:%2").arg(tPacket.ucEndpoint, 0, 16).arg(tPacket.baBytes.size());
    return tOut.join(' ');
}
} // namespace

class TestUsbCom : public QObject
{
    Q_OBJECT

private:
    TestEnv m_Env;

private slots:
    void writeCutsPacketsOverConsecutiveEndpoints()
    {
        FakeUsbBus tBus({VPU});
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);

        // An unknown request of 125 payload bytes: 130 bytes on the wire.
        QByteArray baMsg = Hex("c8 7d 00 00 00") + QByteArray(125, 'p');
        quint32 uiTimeout = 1000;
        QCOMPARE(tCom.Write(130, Bytes(baMsg), &uiTimeout), 0);
        QCOMPARE(Layout(tBus.OutPackets()), QString("1:64 2:64 3:2"));
        QCOMPARE(tBus.OutPackets()[2].baBytes, QByteArray("pp"));

        // Starting one endpoint further on, the packets wrap round and the rotation ends where
        // it started.
        int iVpuStatus = 0;
        QCOMPARE(tCom.WaitStatus(&iVpuStatus, &uiTimeout), 0);
        QCOMPARE(iVpuStatus, -205); // unknown command
        tBus.ClearPackets();
        const QByteArray baStatusReq = Hex("02 00 00 00 00");
        QCOMPARE(tCom.Write(5, Bytes(baStatusReq), &uiTimeout), 0);
        QCOMPARE(tCom.WaitStatus(&iVpuStatus, &uiTimeout), 0);
        QCOMPARE(tCom.Write(130, Bytes(baMsg), &uiTimeout), 0);
        QCOMPARE(tCom.Write(5, Bytes(baStatusReq), &uiTimeout), 0);
        QCOMPARE(Layout(tBus.OutPackets()), QString("1:5 2:64 3:64 1:2 2:5"));
    }

    void readCollectsPacketsRoundRobin()
    {
        FakeUsbBus tBus({VPU});
        const QByteArray baData = QByteArray::fromHex(QByteArray("a5").repeated(200));
        tBus.Model().SetFlash(0, baData);
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);

        const QByteArray baParams = Hex("00 00 00 00 c8 00 00 00 00");
        QByteArray baOut(200, 0);
        int iVpuStatus = -1;
        quint32 uiTimeout = 2000;
        QCOMPARE(tCom.ExchangeChunkedRead(VpuMsgHeader_t{VPU_MSG_FLASH_READ, 9}, Bytes(baParams),
                                          reinterpret_cast<quint8 *>(baOut.data()), 200, &iVpuStatus, &uiTimeout),
                 0);
        QCOMPARE(iVpuStatus, 0);
        QCOMPARE(baOut, baData);
        // The header piece, then the 204 payload bytes cut 64/64/64/12, round the three IN endpoints.
        QCOMPARE(Layout(tBus.InPackets()), QString("81:5 82:64 83:64 81:64 82:12"));
    }

    void packetOfWrongSizeFails()
    {
        FakeUsbBus tBus({VPU});
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);
        tBus.InjectInPacket(0, QByteArray(64, 'x'));
        quint8 aucHeader[5] = {};
        quint32 uiTimeout = 1000;
        QCOMPARE(tCom.Read(5, aucHeader, &uiTimeout), -204);

        // A short packet where a whole one was due fails the same way.
        tBus.InjectInPacket(1, QByteArray(10, 'y'));
        quint8 aucBig[100] = {};
        uiTimeout = 1000;
        QCOMPARE(tCom.Read(100, aucBig, &uiTimeout), -204);

        // An OUT packet the device took only in part is a failed write, never a sent one.
        tBus.ShortenNextOutPacket(1);
        uiTimeout = 1000;
        QCOMPARE(tCom.Write(5, Bytes(Hex("02 00 00 00 00")), &uiTimeout), int(COM_ERR_FAILED));
    }

    void zeroBudgetFailsAtOnce()
    {
        FakeUsbBus tBus({VPU});
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);
        quint8 aucBuf[5] = {2, 0, 0, 0, 0};
        quint32 uiTimeout = 0;
        QElapsedTimer tTimer;
        tTimer.start();
        QCOMPARE(tCom.Read(5, aucBuf, &uiTimeout), -202);
        QCOMPARE(tCom.Write(5, aucBuf, &uiTimeout), -202);
        QVERIFY(tTimer.elapsed() < 100);
        QCOMPARE(uiTimeout, 0u);
        QVERIFY(tBus.OutPackets().isEmpty());
    }

    void silentDeviceTimesOutWithinBudget()
    {
        FakeUsbBus tBus({VPU});
        VpuSimFault tFault;
        tFault.bSilent = true;
        tBus.Model().SetFault(VPU_MSG_GET_CONFIG, tFault);
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);
        QByteArray baReply;
        quint32 uiTimeout = 200;
        QElapsedTimer tTimer;
        tTimer.start();
        QCOMPARE(tCom.ExchangeTyped(VpuMsgHeader_t{VPU_MSG_GET_CONFIG, 0}, nullptr, VPU_MSG_GET_CONFIG_RSP, 24,
                                    &baReply, &uiTimeout),
                 -202);
        const qint64 llElapsed = tTimer.elapsed();
        QVERIFY2(llElapsed >= 150 && llElapsed < 2000, qPrintable(QString::number(llElapsed)));
        QCOMPARE(uiTimeout, 0u); // used up, not wrapped round
    }

    // Only devices with the VPU's ids count, and the index picks among them.
    void firstVpuAmongOtherDevicesIsOpened()
    {
        FakeUsbBus tBus({MOUSE, OTHER_MICROCHIP, VPU, MOUSE, VPU});
        CUsbCom tCom(tBus.MakeBackend());
        tCom.SetVidPid(0x04D8, 0x0204);
        int iCount = -1;
        QCOMPARE(tCom.GetDeviceCount(&iCount), 0);
        QCOMPARE(iCount, 2);
        QCOMPARE(tCom.SelectDevice(2), -206);
        QCOMPARE(tCom.SelectDevice(1), 0);
        QCOMPARE(tCom.Open(), 0);
        QCOMPARE(tBus.OpenedListIndex(), 4);
        QCOMPARE(tCom.Close(), 0);
        QCOMPARE(OpenFirstVpu(tCom), 0);
        QCOMPARE(tBus.OpenedListIndex(), 2);
        // And it is a working link.
        int iVpuStatus = -1;
        quint32 uiTimeout = 2000;
        QCOMPARE(tCom.ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), 0);
        QCOMPARE(iVpuStatus, 0);
        QCOMPARE(tBus.Model().Requests(), QList<QByteArray>{Hex("02 00 00 00 00")});
    }

    // No VPU among the devices, transfers before opening, a second opening: refused; empty
    // transfers succeed without a packet.
    void refusals()
    {
        FakeUsbBus tBus({MOUSE, OTHER_MICROCHIP});
        CUsbCom tCom(tBus.MakeBackend());
        tCom.SetVidPid(0x04D8, 0x0204);
        int iCount = -1;
        QCOMPARE(tCom.GetDeviceCount(&iCount), 0);
        QCOMPARE(iCount, 0);
        QCOMPARE(tCom.SelectDevice(0), -206);
        QCOMPARE(tCom.Open(), -206);
        QCOMPARE(tBus.OpenCount(), 0);

        FakeUsbBus tVpuBus({VPU});
        CUsbCom tVpuCom(tVpuBus.MakeBackend());
        quint8 aucBuf[5] = {};
        quint32 uiTimeout = 100;
        QCOMPARE(tVpuCom.Write(5, aucBuf, &uiTimeout), -3);
        QCOMPARE(tVpuCom.Read(5, aucBuf, &uiTimeout), -3);
        QCOMPARE(OpenFirstVpu(tVpuCom), 0);
        QCOMPARE(tVpuCom.Open(), -3);
        QCOMPARE(tVpuBus.OpenCount(), 1);
        QCOMPARE(tVpuCom.Write(5, aucBuf, nullptr), -4);
        QCOMPARE(tVpuCom.Write(0, nullptr, &uiTimeout), 0);
        QCOMPARE(tVpuCom.Read(0, nullptr, &uiTimeout), 0);
        QVERIFY(tVpuBus.OutPackets().isEmpty());
        QCOMPARE(tVpuCom.Close(), 0);
        QCOMPARE(tVpuCom.Close(), 0);
    }

    void initComResetsRotation()
    {
        FakeUsbBus tBus({VPU});
        CUsbCom tCom(tBus.MakeBackend());
        QCOMPARE(OpenFirstVpu(tCom), 0);
        // Move both rotations off the first endpoint.
        int iVpuStatus = -1;
        quint32 uiTimeout = 2000;
        QCOMPARE(tCom.ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), 0);
        const QByteArray baInit = Hex("03 05 00 00 00");
        QCOMPARE(tCom.SendMsg(VpuMsgHeader_t{VPU_MSG_INIT_COM, 5}, Bytes(baInit), &uiTimeout), 0);
        QCOMPARE(tCom.Write(5, Bytes(baInit), &uiTimeout), 0);
        quint8 aucPiece[5];
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tCom.Read(5, aucPiece, &uiTimeout), 0);
        QCOMPARE(tCom.ResetEndpointRotation(), 0);
        tBus.ClearPackets();
        QCOMPARE(tCom.ExchangeStatus(VpuMsgHeader_t{VPU_MSG_STATUS, 0}, nullptr, &iVpuStatus, &uiTimeout), 0);
        QCOMPARE(Layout(tBus.OutPackets()), QString("1:5"));
        QCOMPARE(Layout(tBus.InPackets()), QString("81:5 82:4"));
    }
};

QTEST_GUILESS_MAIN(TestUsbCom)
#include "tst_usbcom.moc"
