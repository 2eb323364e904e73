// The bootloader link against the simulated MCU bootloader over USB HID (behind the HID port
// seam), a frame and a programming run over UDP on loopback too: frame bytes, block sizes,
// resends, damaged and repeated replies, verify, refusals; the HID reports and the receiver.

#include "comm/bootloader.h"
#include "support/bootsim.h"
#include "support/testenv.h"
#include "support/vpucomharness.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr quint16 kVid = 0x04D8;
constexpr quint16 kPid = 0x003C;
constexpr const char *kSimAddress = "127.0.0.30";
constexpr quint32 kSimIp = 0x1E00007Fu; // 127.0.0.30, first field in the lowest byte
// Port 0: the system picks a free one, so runs in parallel (other checkouts) never collide.
constexpr quint16 kSimPort = 0;

enum Transport { HID = 0, UDP = 1 };

QByteArray Rec(quint8 ucType, quint16 usAddress, const QByteArray &baData)
{
    return HexRecordLine(ucType, usAddress, baData, "\r\n");
}

// A file of exactly 25 records: the linear address 0x1D00, 23 data records of 16 bytes
// from 0x1D000000 and the end record. The data go to *pbaData.
QByteArray File25(QByteArray *pbaData)
{
    QByteArray baText = Rec(0x04, 0, QByteArray::fromHex("1D00"));
    pbaData->clear();
    for (int i = 0; i < 23; ++i) {
        QByteArray baChunk;
        for (int j = 0; j < 16; ++j)
            baChunk.append(char((i * 16 + j) * 7 + 1));
        pbaData->append(baChunk);
        baText += Rec(0x00, quint16(i * 16), baChunk);
    }
    return baText + ":00000001FF\r\n";
}

// One bootloader wired to the simulator over one transport, in a folder of its own, with
// the two reply signals recorded.
struct Rig
{
    explicit Rig(Transport eTransport) : eTransport(eTransport)
    {
        if (eTransport == HID) {
            pHid = std::make_shared<BootSimHidDevice>(kVid, kPid);
            BootSimHidDevice::Install(pHid);
        } else {
            pUdp = std::make_unique<BootSimUdp>(kSimAddress, kSimPort);
        }
        pBoot = std::make_unique<CBootLoader>();
        pBoot->UsbHid().SetReadTimeout(5);
        // Recorded on this thread: a spy would append from the bootloader's thread while the test reads.
        pOk = std::make_unique<SignalLog>(pBoot.get(), &CBootLoader::sigBootLoaderRespOk);
        pNone = std::make_unique<SignalLog>(pBoot.get(), &CBootLoader::sigBootLoaderNoResp);
    }
    ~Rig()
    {
        pOk.reset();
        pNone.reset();
        pBoot.reset();
        CUsbHid::SetPortFactory(nullptr);
    }
    // Loads a HEX file of this text.
    int Load(const QByteArray &baText)
    {
        return WriteTestFile(env.FilePath("fw.hex"), baText) ? pBoot->LoadHexFile(env.FilePath("fw.hex")) : -1000;
    }
    bool Open()
    {
        if (pUdp && !pUdp->IsListening())
            return false;
        const int iResult = eTransport == HID ? pBoot->OpenPort(CBootLoader::BL_MODE_USB_HID, kVid, kPid, 0, 0)
                                              : pBoot->OpenPort(CBootLoader::BL_MODE_UDP, 0, 0, pUdp->Port(), kSimIp);
        if (iResult != 0 || !pBoot->IsPortOpen(eTransport))
            return false;
        pBoot->Start();
        return true;
    }
    BootSimCore &Core() { return pHid ? pHid->Core() : pUdp->Core(); }
    SignalLog &Ok() { return *pOk; }
    SignalLog &None() { return *pNone; }
    int FramesOf(quint8 ucCmd)
    {
        int n = 0;
        for (const QByteArray &ba : Core().RawFrames())
            n += ba.size() > 1 && (quint8(ba[1]) == ucCmd || (quint8(ba[1]) == 0x10 && quint8(ba[2]) == ucCmd));
        return n;
    }

    TestEnv env;
    Transport eTransport;
    std::shared_ptr<BootSimHidDevice> pHid;
    std::unique_ptr<BootSimUdp> pUdp;
    std::unique_ptr<CBootLoader> pBoot;
    std::unique_ptr<SignalLog> pOk, pNone;
};

// The link tests run over the HID seam; the frame and a whole programming run also over UDP.
void Transports()
{
    QTest::addColumn<int>("transport");
    QTest::newRow("usb hid") << int(HID);
    QTest::newRow("udp") << int(UDP);
}

} // namespace

class TestBootLoader : public QObject
{
    Q_OBJECT

private slots:

    void crc16()
    {
        const QByteArray baCheck("123456789");
        QCOMPARE(CBootLoader::CalcCrc16(reinterpret_cast<const quint8 *>(baCheck.constData()), 9), quint16(0x31C3));
        QCOMPARE(CBootLoader::CalcCrc16(nullptr, 0), quint16(0));
    }

    void frames_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("connect") << QByteArray::fromHex("01") << QByteArray("01 10 01 21 10 10 04");
        QTest::newRow("erase") << QByteArray::fromHex("02") << QByteArray("01 02 42 20 04");
        QTest::newRow("body byte 10") << QByteArray::fromHex("0210") << QByteArray("01 02 10 10 53 74 04");
        QTest::newRow("CRC byte 04") << QByteArray::fromHex("03bc") << QByteArray("01 03 bc 10 04 33 04");
        QTest::newRow("CRC byte 01") << QByteArray::fromHex("0463") << QByteArray("01 10 04 63 10 01 90 04");
    }

    void frames()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, frame);
        QCOMPARE(Hex(CBootLoader::BuildFrame(body)), frame);
        // A frame that would not fit is not built.
        QCOMPARE(CBootLoader::BuildFrame(body, QByteArray::fromHex(frame.replace(" ", "")).size() - 1), QByteArray());
    }

    void receiver_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("body"); // empty: no frame
        QTest::addColumn<int>("consumed");

        QTest::newRow("program reply") << QByteArray::fromHex("0103633004") << QByteArray("03") << 5;
        QTest::newRow("escaped bytes") << QByteArray::fromHex("01100463100190040105") << QByteArray("04 63") << 8;
        QTest::newRow("bad CRC") << QByteArray::fromHex("0103633104") << QByteArray() << 5;
        QTest::newRow("two bytes only") << QByteArray::fromHex("01000004") << QByteArray() << 4;
        QTest::newRow("padding and noise before")
            << QByteArray::fromHex("ffff0401ff0103633004ffff") << QByteArray("03") << 10;
        QTest::newRow("early EOT ignored, bytes kept") << QByteArray::fromHex("010363043004") << QByteArray("03") << 6;
    }

    void receiver()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, body);
        QFETCH(int, consumed);
        CBootFrameReceiver rx;
        QCOMPARE(rx.ParseRxData(reinterpret_cast<const quint8 *>(input.constData()), int(input.size())), consumed);
        QCOMPARE(rx.IsFrameReceived(), !body.isEmpty());
        QCOMPARE(Hex(rx.Body()), body);
    }

    void hidReports_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<int>>("dataPerReport");
        QTest::newRow("7 bytes") << 7 << QList<int>{7};
        QTest::newRow("64 bytes") << 64 << QList<int>{64};
        QTest::newRow("65 bytes") << 65 << QList<int>{64, 1};
        QTest::newRow("130 bytes") << 130 << QList<int>{64, 64, 2};
    }

    void hidReports()
    {
        QFETCH(int, length);
        QFETCH(QList<int>, dataPerReport);
        auto pDevice = std::make_shared<BootSimHidDevice>(kVid, kPid);
        BootSimHidDevice::Install(pDevice);
        {
            CUsbHid hid;
            QByteArray baData(length, Qt::Uninitialized);
            for (int i = 0; i < length; ++i)
                baData[i] = char(i + 0x20);
            // Closed: nothing is written and nothing read.
            QCOMPARE(hid.Write(reinterpret_cast<const quint8 *>(baData.constData()), length), 0);
            quint8 buffer[64];
            QCOMPARE(hid.Read(buffer, 64), 0);
            QCOMPARE(pDevice->Reports().size(), 0);

            QCOMPARE(hid.Open(kVid, kPid), 1);
            QVERIFY(hid.Write(reinterpret_cast<const quint8 *>(baData.constData()), length) != 0);
            const QList<QByteArray> reports = pDevice->Reports();
            QCOMPARE(reports.size(), dataPerReport.size());
            int iOffset = 0;
            for (int r = 0; r < reports.size(); ++r) {
                const int n = dataPerReport[r];
                QByteArray baExpected(1, '\0');
                baExpected += baData.mid(iOffset, n);
                baExpected += QByteArray(64 - n, char(0xFF));
                QCOMPARE(Hex(reports[r]), Hex(baExpected));
                iOffset += n;
            }
            hid.Close();
            QVERIFY(!pDevice->IsOpen());
        }
        CUsbHid::SetPortFactory(nullptr);
    }

    void hidNotFound()
    {
        Rig rig(HID);
        QCOMPARE(rig.pBoot->OpenPort(CBootLoader::BL_MODE_USB_HID, 0x04D8, 0x0204, 0, 0),
                 CBootLoader::BL_ERR_NOT_FOUND);
        QCOMPARE(rig.pBoot->IsPortOpen(CBootLoader::BL_MODE_USB_HID), 0);
        QCOMPARE(rig.pHid->IsOpen(), false);
    }

    void connectFrame_data() { Transports(); }
    void connectFrame()
    {
        QFETCH(int, transport);
        Rig rig{Transport(transport)};
        QVERIFY(rig.Open());
        QCOMPARE(rig.pBoot->SendCommand(1, 30, 200), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        QCOMPARE(rig.Ok()[0][0].value<unsigned char>(), 1);
        QCOMPARE(rig.Ok()[0][1].toByteArray(), QByteArray());
        QCOMPARE(rig.Core().RawFrames().size(), 1);
        QCOMPARE(Hex(rig.Core().RawFrames()[0]), QByteArray("01 10 01 21 10 10 04"));
        if (transport == HID) {
            QCOMPARE(rig.pHid->Reports().size(), 1);
            QCOMPARE(Hex(rig.pHid->Reports()[0]),
                     QByteArray("00 01 10 01 21 10 10 04 ") + Hex(QByteArray(57, char(0xFF))));
        } else {
            QCOMPARE(Hex(rig.pUdp->Datagrams().value(0)), QByteArray("01 10 01 21 10 10 04"));
        }
    }

    void programInBlocks()
    {
        QByteArray baData;
        Rig rig(HID);
        QCOMPARE(rig.Load(File25(&baData)), 0);
        QVERIFY(rig.Open());

        QCOMPARE(rig.pBoot->SendCommand(3, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        QCOMPARE(rig.Ok()[0][0].value<unsigned char>(), 3);
        QTest::qWait(50);
        QCOMPARE(rig.Ok().count(), 1);
        QCOMPARE(rig.None().count(), 0);

        QList<int> records;
        for (const QByteArray &baBody : rig.Core().Bodies()) {
            QCOMPARE(quint8(baBody[0]), 3);
            int n = 0;
            for (int o = 1; o < baBody.size(); o += quint8(baBody[o]) + 5)
                ++n;
            records.append(n);
        }
        QCOMPARE(records, (QList<int>{11, 11, 3}));
        // The first block starts with the command and the records' bytes as in the file.
        QCOMPARE(Hex(rig.Core().Bodies()[0].left(12)), QByteArray("03 02 00 00 04 1d 00 dd 10 00 00 00"));
        QCOMPARE(rig.Core().Bodies()[0].size(), 1 + 7 + 10 * 21);
        QCOMPARE(rig.Core().RecordsProgrammed(), 25);
        QCOMPARE(rig.Core().Flash(0x9D000000, quint32(baData.size())), baData);

        // A second programming run starts again from the first record.
        QCOMPARE(rig.pBoot->SendCommand(3, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 2);
        QCOMPARE(rig.Core().CountOf(3), 6);
        QCOMPARE(Hex(rig.Core().Bodies()[3].left(8)), QByteArray("03 02 00 00 04 1d 00 dd"));
    }

    // Lost or damaged replies: the frame goes again after each time-out; the report comes
    // once, after the last send had its own time-out, and nothing is sent after it.
    void resends_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("faults"); // -1: every reply
        QTest::addColumn<int>("sends");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<int>("minMs");
        QTest::newRow("two replies lost") << int(BootSimCore::Fault::Drop) << 2 << 3 << true << 115;
        QTest::newRow("damaged reply") << int(BootSimCore::Fault::CorruptCrc) << 1 << 2 << true << 55;
        QTest::newRow("no reply at all") << int(BootSimCore::Fault::Silent) << -1 << 3 << false << 175;
    }
    void resends()
    {
        QFETCH(int, fault);
        QFETCH(int, faults);
        QFETCH(int, sends);
        QFETCH(bool, answered);
        QFETCH(int, minMs);
        Rig rig(HID);
        rig.Core().AddFault(BootSimCore::Fault(fault), 2, 0, faults);
        QVERIFY(rig.Open());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.pBoot->SendCommand(2, 3, 60), CBootLoader::BL_ARMED);
        QVERIFY((answered ? rig.Ok() : rig.None()).wait(2000));
        QVERIFY2(clock.elapsed() >= minMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE((answered ? rig.Ok() : rig.None())[0][0].value<unsigned char>(), 2);
        QTest::qWait(150);
        QCOMPARE(rig.FramesOf(2), sends);
        QCOMPARE(rig.Ok().count() + rig.None().count(), 1);
    }

    void launchIsSentOnceAndSilent()
    {
        Rig rig(HID);
        QVERIFY(rig.Open());
        QCOMPARE(rig.pBoot->SendCommand(5, 3, 5000), CBootLoader::BL_ARMED);
        QTRY_VERIFY(rig.Core().Launched());
        QTest::qWait(150);
        QCOMPARE(rig.Core().RawFrames().size(), 1);
        QCOMPARE(Hex(rig.Core().RawFrames()[0]), QByteArray("01 05 a5 50 04"));
        QCOMPARE(rig.Ok().count(), 0);
        QCOMPARE(rig.None().count(), 0);
    }

    void duplicateReplyCannotHideLostBlock()
    {
        QByteArray baData;
        Rig rig(HID);
        // The first block's reply comes twice, and the second block is lost on its first send:
        // the copy must not pass for the second block's reply.
        rig.Core().AddFault(BootSimCore::Fault::Duplicate, 3, 0, 1);
        rig.Core().AddFault(BootSimCore::Fault::Drop, 3, 1, 1);
        QCOMPARE(rig.Load(File25(&baData)), 0);
        QVERIFY(rig.Open());
        QCOMPARE(rig.pBoot->SendCommand(3, 3, 150), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        QCOMPARE(rig.FramesOf(3), 4); // the lost block went again
        QCOMPARE(rig.Core().CountOf(3), 3);
        QCOMPARE(rig.Core().RecordsProgrammed(), 25);
        QCOMPARE(rig.Core().Flash(0x9D000000, quint32(baData.size())), baData);
    }

    void lateDuplicatesChangeNothing()
    {
        QByteArray baData;
        Rig rig(HID);
        rig.Core().SetDuplicateDelay(60);
        rig.Core().AddFault(BootSimCore::Fault::Duplicate, 3, 2, 1); // reply to the last block
        QCOMPARE(rig.Load(File25(&baData)), 0);
        QVERIFY(rig.Open());

        QCOMPARE(rig.pBoot->SendCommand(3, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        // The late copy of the last reply neither starts the programming again nor answers
        // the verify that follows.
        QCOMPARE(rig.pBoot->SendCommand(4, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 2);
        QCOMPARE(rig.Ok()[1][0].value<unsigned char>(), 4);
        QCOMPARE(rig.Ok()[1][1].toByteArray().size(), 2);
        QTest::qWait(120);
        QCOMPARE(rig.Ok().count(), 2);
        QCOMPARE(rig.Core().CountOf(3), 3);
        QCOMPARE(rig.Core().CountOf(4), 1);
        QCOMPARE(rig.None().count(), 0);
    }

    void verifyAgainstDevice()
    {
        QByteArray baData;
        Rig rig(HID);
        QCOMPARE(rig.Load(File25(&baData)), 0);
        QVERIFY(rig.Open());
        const quint16 usImageCrc = rig.pBoot->CalcImageCrc();
        QCOMPARE(usImageCrc, BootSimCore::Crc16(baData)); // 368 bytes: no padding

        QCOMPARE(rig.pBoot->SendCommand(3, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        QCOMPARE(rig.pBoot->SendCommand(4, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 2);
        const QByteArray baReply = rig.Ok()[1][1].toByteArray();
        QCOMPARE(baReply.size(), 2);
        QCOMPARE(quint16(quint8(baReply[0]) | quint8(baReply[1]) << 8), usImageCrc);
        // The verify body: command, start, length, CRC, little-endian.
        const QByteArray baBody = rig.Core().Bodies().last();
        QByteArray baExpected = QByteArray::fromHex("04 00 00 00 9d 70 01 00 00");
        baExpected.append(char(usImageCrc & 0xFF));
        baExpected.append(char(usImageCrc >> 8));
        QCOMPARE(Hex(baBody), Hex(baExpected));
    }

    void longRecordsNeverOverflowTheFrame()
    {
        // Full-length records of bytes that all need escaping.
        QByteArray baText = Rec(0x04, 0, QByteArray::fromHex("1D00"));
        QByteArray baData;
        for (int i = 0; i < 6; ++i) {
            const QByteArray baChunk(255, i % 2 ? char(0x10) : char(0x01));
            baText += Rec(0x00, quint16(i * 255), baChunk);
            baData += baChunk;
        }
        Rig rig(HID);
        QCOMPARE(rig.Load(baText), 0);
        QVERIFY(rig.Open());
        QCOMPARE(rig.pBoot->SendCommand(3, 3, 300), CBootLoader::BL_ARMED);
        QTRY_COMPARE(rig.Ok().count(), 1);
        for (const QByteArray &baFrame : rig.Core().RawFrames())
            QVERIFY(baFrame.size() <= CBootLoader::TX_FRAME_SIZE);
        QCOMPARE(rig.Core().CountOf(3), 6);
        QCOMPARE(rig.Core().RecordsProgrammed(), 7);
        QCOMPARE(rig.Core().Flash(0x9D000000, quint32(baData.size())), baData);
    }

    void refusedCommands_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file loaded
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("result");
        QByteArray baData;
        const QByteArray baFile = File25(&baData);
        QTest::newRow("command 0") << baFile << 0 << CBootLoader::BL_ERR_COMMAND;
        QTest::newRow("command 6") << baFile << 6 << CBootLoader::BL_ERR_COMMAND;
        QTest::newRow("program without a file") << QByteArray() << 3 << CBootLoader::BL_ERR_NO_FILE;
        QTest::newRow("program a file without records") << QByteArray("\r\n") << 3 << CBootLoader::BL_ERR_NO_RECORD;
        QTest::newRow("verify a file without data")
            << QByteArray(":00000001FF\r\n") << 4 << CBootLoader::BL_ERR_EMPTY_IMAGE;
    }

    void refusedCommands()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, command);
        QFETCH(int, result);
        Rig rig(HID);
        if (!file.isEmpty())
            QCOMPARE(rig.Load(file), 0);
        QVERIFY(rig.Open());
        QCOMPARE(rig.pBoot->SendCommand(quint8(command), 3, 20), result);
        QTest::qWait(80);
        QCOMPARE(rig.pHid->Reports().size(), 0);
        QCOMPARE(rig.None().count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBootLoader)
#include "tst_bootloader.moc"
