#include "vpusimdevice.h"

#include <QMutexLocker>
#include <algorithm>
#include <cstring>

namespace {

QByteArray Status(int iStatus)
{
    QByteArray ba;
    SimPutU32(ba, quint32(iStatus));
    return ba;
}

quint8 U8(const QByteArray &ba, int iOffset)
{
    return iOffset < ba.size() ? quint8(ba[iOffset]) : 0;
}

void Put(QByteArray &ba, int iOffset, const QByteArray &baField)
{
    std::copy(baField.begin(), baField.end(), ba.begin() + iOffset);
}

void PutU16At(QByteArray &ba, int iOffset, quint16 usValue)
{
    QByteArray b;
    SimPutU16(b, usValue);
    Put(ba, iOffset, b);
}

void PutU32At(QByteArray &ba, int iOffset, quint32 uiValue)
{
    QByteArray b;
    SimPutU32(b, uiValue);
    Put(ba, iOffset, b);
}

} // namespace

QByteArray SimFixtureConfig(quint32 uiSerial, quint32 uiType, quint16 usPosX, quint16 usPosY, qint16 sAngle,
                            quint16 usGroup, qint16 sGroupAngle, quint32 uiLumReg, quint16 usLumGlobal)
{
    QByteArray ba(138, 0);
    PutU32At(ba, 4, uiSerial);
    PutU32At(ba, 8, uiType);
    PutU32At(ba, 12, 0x544C);
    PutU16At(ba, 16, usPosX);
    PutU16At(ba, 18, usPosY);
    ba[20] = 64;
    ba[21] = 32;
    PutU16At(ba, 22, quint16(sAngle));
    PutU16At(ba, 28, usGroup);
    PutU16At(ba, 30, quint16(sGroupAngle));
    PutU16At(ba, 38, 3);
    ba[40] = char(0x21);
    ba[41] = 7;
    ba[42] = 1;
    ba[43] = 9;
    PutU32At(ba, 44, uiLumReg);
    PutU16At(ba, 48, usLumGlobal);
    return ba;
}

VpuSimDevice::VpuSimDevice(VpuSimModel &tModel) : m_tModel(tModel)
{
    // FPGA V1.2, boot V3.4, soft V5.6, type 0x10000020, serial 0x12345678, maker 0x544C.
    m_baConfig = QByteArray::fromHex("010203040506000020000010785634124c540000");
    Install();
}

QPair<quint32, quint32> VpuSimDevice::VpuSector(quint32 uiOffset)
{
    if (uiOffset < 0x1FE0000)
        return {uiOffset & ~0x1FFFFu, 0x20000};
    return {uiOffset & ~0x7FFFu, 0x8000};
}

QPair<quint32, quint32> VpuSimDevice::FixtureSector(quint32 uiOffset)
{
    if (uiOffset < 0x1F0000)
        return {uiOffset & ~0xFFFFu, 0x10000};
    if (uiOffset < 0x1F8000)
        return {uiOffset & ~0x7FFFu, 0x8000};
    if (uiOffset < 0x1FC000)
        return {uiOffset & ~0x1FFFu, 0x2000};
    return {0x1FC000, 0x4000};
}

void VpuSimDevice::EnsureFlash(QByteArray &baFlash, quint32 uiSize)
{
    if (quint32(baFlash.size()) != uiSize)
        baFlash = QByteArray(qsizetype(uiSize), char(0xFF));
}

void VpuSimDevice::Violation(const QString &qsText)
{
    m_Violations.append(qsText);
}

void VpuSimDevice::NorErase(QByteArray &baFlash, quint32 uiSize, quint32 uiOffset, quint32 uiLength, bool bFixture)
{
    EnsureFlash(baFlash, uiSize);
    const quint64 ullEnd = quint64(uiOffset) + std::max<quint32>(uiLength, 1);
    quint64 ullPos = uiOffset;
    while (ullPos < ullEnd && ullPos < uiSize) {
        const QPair<quint32, quint32> tSector = bFixture ? FixtureSector(quint32(ullPos)) : VpuSector(quint32(ullPos));
        std::fill(baFlash.begin() + tSector.first, baFlash.begin() + tSector.first + tSector.second, char(0xFF));
        ullPos = quint64(tSector.first) + tSector.second;
    }
}

void VpuSimDevice::NorWrite(QByteArray &baFlash, quint32 uiOffset, const QByteArray &baData, const char *pcWhat)
{
    int iDirty = 0;
    for (qsizetype i = 0; i < baData.size(); ++i) {
        char &c = baFlash[qsizetype(uiOffset) + i];
        if (quint8(c) != 0xFF)
            ++iDirty;
        c = char(quint8(c) & quint8(baData[i])); // programming only clears bits
    }
    if (iDirty != 0)
        Violation(QString("%1: %2 bytes written over unerased flash at 0x%3")
                      .arg(pcWhat)
                      .arg(iDirty)
                      .arg(uiOffset, 8, 16, QChar('0')));
}

QList<VpuSimDevice::Fixture *> VpuSimDevice::Find(const QByteArray &baAddr)
{
    QList<Fixture *> lOut;
    const quint8 ucOutput = U8(baAddr, 0);
    const quint32 uiNumber = SimGetU32(baAddr, 1);
    if (ucOutput == 255) {
        for (Fixture &tFixture : m_Fixtures)
            lOut.append(&tFixture);
    } else {
        auto it = m_Fixtures.find(Key(ucOutput, uiNumber));
        if (it != m_Fixtures.end())
            lOut.append(&it.value());
    }
    return lOut;
}

void VpuSimDevice::Install()
{
    VpuSimModel &m = m_tModel;
    auto fnCount = [this](quint8 ucId) {
        QMutexLocker tLock(&m_Mutex);
        ++m_Counts[ucId];
    };

    // Settings the VPU only keeps: the payload is remembered, the status comes back.
    for (quint8 ucId : {2, 4, 5, 7, 10, 13, 14, 15, 16, 17, 18, 19, 39, 55, 58}) {
        m.SetHandler(ucId, [this, fnCount](VpuSimRequest &r) {
            fnCount(r.Id());
            QMutexLocker tLock(&m_Mutex);
            m_LastSetting[r.Id()] = r.Payload();
            if (r.Status() == 0 && r.Id() == 7) // SET_FACTORY_PARAM: type, serial, maker
                Put(m_baConfig, 8, r.Payload().left(12));
            if (r.Status() == 0 && r.Id() == 39) // FIXT_ENUMERATE
                for (auto it = m_Fixtures.cbegin(); it != m_Fixtures.cend(); ++it)
                    if (it.key().first >= 1 && it.key().first <= 4)
                        m_abEnumerated[it.key().first - 1] = true;
            tLock.unlock();
            return r.ReplyStatus(r.Status());
        });
    }

    m.SetHandler(8, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QByteArray baBody = Status(r.Status()) + m_baConfig;
        tLock.unlock();
        return r.Reply(9, baBody);
    });
    m.SetHandler(11, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QByteArray baFormat = m_VideoIn.value(U8(r.Payload(), 0), QByteArray(32, 0));
        tLock.unlock();
        return r.Reply(12, Status(r.Status()) + baFormat);
    });

    // VPU flash.
    m.SetHandler(20, [this](VpuSimRequest &r) {
        const quint32 uiOffset = SimGetU32(r.Payload(), 0);
        const quint32 uiSize = SimGetU32(r.Payload(), 4);
        int iStatus = r.Status();
        if (iStatus == 0 && quint64(uiOffset) + uiSize > VPU_FLASH_SIZE)
            iStatus = SIM_ERR_RANGE;
        if (iStatus == 0) {
            QMutexLocker tLock(&m_Mutex);
            NorErase(m_baVpuFlash, VPU_FLASH_SIZE, uiOffset, uiSize, false);
        }
        return r.ReplyStatus(iStatus);
    });
    m.SetHandler(21, [this](VpuSimRequest &r) {
        const quint32 uiOffset = SimGetU32(r.Payload(), 0);
        const quint32 uiSize = SimGetU32(r.Payload(), 4);
        if (quint64(uiOffset) + uiSize > VPU_FLASH_SIZE)
            return SimServeChunks(r, QByteArray(), SIM_ERR_RANGE, uiSize);
        return SimServeChunks(r, VpuFlash(uiOffset, uiSize), r.Status(), uiSize);
    });
    m.SetHandler(22, [this](VpuSimRequest &r) {
        const quint32 uiOffset = SimGetU32(r.Payload(), 0);
        const quint32 uiSize = SimGetU32(r.Payload(), 4);
        return SimServeBulk(r, uiSize, [this, uiOffset](quint32 uiAt, const QByteArray &baBlock) {
            if (quint64(uiOffset) + uiAt + quint64(baBlock.size()) > VPU_FLASH_SIZE)
                return SIM_ERR_RANGE;
            QMutexLocker tLock(&m_Mutex);
            EnsureFlash(m_baVpuFlash, VPU_FLASH_SIZE);
            NorWrite(m_baVpuFlash, uiOffset + uiAt, baBlock, "VPU flash");
            return 0;
        });
    });

    // FPGA registers: the 3 address bytes are the key.
    m.SetHandler(23, [this](VpuSimRequest &r) {
        const quint32 uiKey = U8(r.Payload(), 0) | U8(r.Payload(), 1) << 8 | U8(r.Payload(), 2) << 16;
        QByteArray baValue(1, char(FpgaRegister(uiKey)));
        return r.Reply(24, baValue);
    });
    m.SetHandler(25, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const quint32 uiKey = U8(p, 0) | U8(p, 1) << 8 | U8(p, 2) << 16;
        if (r.Status() == 0) {
            QMutexLocker tLock(&m_Mutex);
            quint8 &ucReg = m_FpgaRegs[uiKey];
            ucReg = quint8((ucReg & ~U8(p, 3)) | (U8(p, 4) & U8(p, 3)));
        }
        return r.ReplyStatus(r.Status());
    });

    // I2C: link, chip, sub-address; writes go through the mask.
    m.SetHandler(26, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QByteArray baBody = Status(r.Status());
        baBody.append(char(I2c(U8(p, 0), U8(p, 1), U8(p, 2))));
        return r.Reply(27, baBody);
    });
    m.SetHandler(28, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        if (r.Status() == 0) {
            QMutexLocker tLock(&m_Mutex);
            quint8 &ucReg = m_I2c[U8(p, 0) << 16 | U8(p, 1) << 8 | U8(p, 2)];
            ucReg = quint8((ucReg & ~U8(p, 3)) | (U8(p, 4) & U8(p, 3)));
        }
        return r.ReplyStatus(r.Status());
    });

    // Frame memory (kept by the model): SDRAM_WRITE takes the data block by block, and stores
    // them before the last status goes out, so a host that has its answer finds them in place.
    m.SetHandler(30, [&m](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const quint16 usX = SimGetU16(p, 0), usY = SimGetU16(p, 2), usW = SimGetU16(p, 4), usH = SimGetU16(p, 6);
        const quint64 ullSize = quint64(usW) * usH * 3;
        QByteArray baAll;
        return SimServeBulk(r, quint32(ullSize), [&](quint32, const QByteArray &baBlock) {
            baAll += baBlock;
            if (quint64(baAll.size()) == ullSize)
                m.SetSdram(usX, usY, usW, usH, baAll);
            return 0;
        });
    });

    // DMX mapping per slot 0..9.
    m.SetHandler(31, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const quint32 uiSlot = SimGetU32(p, 0);
        const quint16 usCount = SimGetU16(p, 4);
        QByteArray baEntries;
        if (!r.ReadRaw(int(usCount) * 4, &baEntries))
            return false;
        int iStatus = r.Status();
        if (iStatus == 0 && (uiSlot > 9 || usCount > 10))
            iStatus = SIM_ERR_SLOT;
        if (iStatus == 0)
            SetDmxMap(uiSlot, baEntries);
        return r.ReplyStatus(iStatus);
    });
    m.SetHandler(32, [this](VpuSimRequest &r) {
        const quint32 uiSlot = SimGetU32(r.Payload(), 0);
        int iStatus = r.Status();
        if (iStatus == 0 && uiSlot > 9)
            iStatus = SIM_ERR_SLOT;
        if (!r.Reply(6, Status(iStatus)))
            return false;
        if (iStatus != 0)
            return true;
        const QByteArray baEntries = DmxMap(uiSlot);
        QByteArray baCount;
        SimPutU16(baCount, quint16(baEntries.size() / 4));
        return r.Reply(6, baCount) && r.Reply(6, baEntries);
    });

    // Presets per slot 0..9.
    m.SetHandler(33, [this](VpuSimRequest &r) {
        const quint32 uiSlot = SimGetU32(r.Payload(), 0);
        int iStatus = r.Status();
        if (iStatus == 0 && uiSlot > 9)
            iStatus = SIM_ERR_SLOT;
        if (iStatus == 0)
            SetPreset(uiSlot, r.Payload().mid(4, 31));
        return r.ReplyStatus(iStatus);
    });
    m.SetHandler(34, [this](VpuSimRequest &r) {
        const quint32 uiSlot = SimGetU32(r.Payload(), 0);
        int iStatus = r.Status();
        if (iStatus == 0 && uiSlot > 9)
            iStatus = SIM_ERR_SLOT;
        QByteArray baBody = Status(iStatus);
        SimPutU32(baBody, uiSlot);
        baBody += Preset(uiSlot);
        return r.Reply(35, baBody);
    });

    // Fixture registers.
    m.SetHandler(36, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        int iStatus = r.Status();
        quint32 uiValue = 0;
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        else if (iStatus == 0)
            uiValue = lFixtures.first()->Registers.value(SimGetU32(p, 5));
        tLock.unlock();
        QByteArray baBody = Status(iStatus);
        SimPutU32(baBody, uiValue);
        return r.Reply(37, baBody);
    });
    m.SetHandler(38, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.isEmpty())
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0)
            for (Fixture *pFixture : lFixtures)
                pFixture->Registers[SimGetU32(p, 5)] = SimGetU32(p, 9);
        tLock.unlock();
        return r.ReplyStatus(iStatus);
    });

    // Fixture counts: a type with its top nibble set is a SASU.
    m.SetHandler(40, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        QByteArray baBody(20, 0);
        for (int i = 0; i < 4; ++i) {
            baBody[i] = m_abEnumerated[i] ? 1 : 0;
            int iLpu = 0, iSasu = 0;
            for (auto it = m_Fixtures.cbegin(); it != m_Fixtures.cend(); ++it) {
                if (it.key().first != i + 1 || !m_abEnumerated[i])
                    continue;
                if (SimGetU32(it.value().baConfig, 8) & 0xF0000000u)
                    ++iSasu;
                else
                    ++iLpu;
            }
            PutU16At(baBody, 4 + 2 * i, quint16(iLpu));
            PutU16At(baBody, 12 + 2 * i, quint16(iSasu));
        }
        tLock.unlock();
        return r.Reply(41, baBody);
    });

    // One fixture's records.
    m.SetHandler(42, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(r.Payload().left(5));
        int iStatus = r.Status();
        QByteArray baBody;
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0)
            baBody = lFixtures.first()->baConfig + lFixtures.first()->baSasu;
        else
            baBody = QByteArray(144, 0);
        tLock.unlock();
        return r.Reply(43, Status(iStatus) + baBody);
    });
    m.SetHandler(44, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(r.Payload().left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        const QByteArray baValues = iStatus == 0 ? lFixtures.first()->baSensors : QByteArray(28, 0);
        tLock.unlock();
        return r.Reply(45, baValues + Status(iStatus)); // the status comes last here
    });
    m.SetHandler(46, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(r.Payload().left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.isEmpty())
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0)
            for (Fixture *pFixture : lFixtures)
                pFixture->baSasu = r.Payload().mid(5, 6);
        tLock.unlock();
        return r.ReplyStatus(iStatus);
    });
    m.SetHandler(47, [this](VpuSimRequest &r) {
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(r.Payload().left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        const QByteArray baSasu = iStatus == 0 ? lFixtures.first()->baSasu : QByteArray(6, 0);
        tLock.unlock();
        return r.Reply(48, Status(iStatus) + baSasu);
    });

    // Volatile placement and intensity: remembered per fixture, the record is not touched.
    for (quint8 ucId : {49, 50, 51, 52}) {
        m.SetHandler(ucId, [this](VpuSimRequest &r) {
            QMutexLocker tLock(&m_Mutex);
            const QList<Fixture *> lFixtures = Find(r.Payload().left(5));
            int iStatus = r.Status();
            if (iStatus == 0 && lFixtures.isEmpty())
                iStatus = SIM_ERR_NO_FIXTURE;
            if (iStatus == 0)
                for (Fixture *pFixture : lFixtures)
                    pFixture->Volatile[r.Id()] = r.Payload().mid(5);
            tLock.unlock();
            return r.ReplyStatus(iStatus);
        });
    }

    // Factory parameters land in the identity, size, tiles and sensors of the record.
    m.SetHandler(53, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0) {
            QByteArray &c = lFixtures.first()->baConfig;
            Put(c, 4, p.mid(5, 4));   // serial
            Put(c, 8, p.mid(9, 4));   // type
            Put(c, 12, p.mid(13, 4)); // maker
            Put(c, 20, p.mid(17, 2)); // size x, y
            Put(c, 50, p.mid(21, 16));
            for (int i = 0; i < 4; ++i)
                Put(c, 66 + 18 * i, p.mid(37 + 32 * i, 18));
        }
        tLock.unlock();
        return r.ReplyStatus(iStatus);
    });
    // The permanent configuration block.
    m.SetHandler(54, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.isEmpty())
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0) {
            for (Fixture *pFixture : lFixtures) {
                QByteArray &c = pFixture->baConfig;
                Put(c, 44, p.mid(5, 4));   // luminosity register
                Put(c, 48, p.mid(9, 2));   // global luminosity
                Put(c, 16, p.mid(11, 4));  // origin x, y
                Put(c, 22, p.mid(15, 2));  // angle
                Put(c, 24, p.mid(17, 4));  // anchor x, y
                Put(c, 28, p.mid(21, 8));  // group number, angle, anchor x, y
                Put(c, 50, p.mid(35, 16)); // tiles
                pFixture->baSasu = p.mid(29, 6);
            }
        }
        tLock.unlock();
        return r.ReplyStatus(iStatus);
    });

    // Fixture flash.
    m.SetHandler(56, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        const quint32 uiOffset = SimGetU32(p, 5);
        const quint32 uiSize = SimGetU32(p, 9);
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.isEmpty())
            iStatus = SIM_ERR_NO_FIXTURE;
        if (iStatus == 0 && quint64(uiOffset) + uiSize > FIXT_FLASH_SIZE)
            iStatus = SIM_ERR_RANGE;
        if (iStatus == 0)
            for (Fixture *pFixture : lFixtures)
                NorErase(pFixture->baFlash, FIXT_FLASH_SIZE, uiOffset, uiSize, true);
        tLock.unlock();
        return r.ReplyStatus(iStatus);
    });
    m.SetHandler(57, [this](VpuSimRequest &r) {
        const QByteArray baAddr = r.Payload().left(5);
        const quint32 uiOffset = SimGetU32(r.Payload(), 5);
        return SimServeBulk(r, SimGetU32(r.Payload(), 9),
                            [this, baAddr, uiOffset](quint32 uiAt, const QByteArray &baBlock) {
                                QMutexLocker tLock(&m_Mutex);
                                const QList<Fixture *> lFixtures = Find(baAddr);
                                if (lFixtures.isEmpty())
                                    return SIM_ERR_NO_FIXTURE;
                                if (quint64(uiOffset) + uiAt + quint64(baBlock.size()) > FIXT_FLASH_SIZE)
                                    return SIM_ERR_RANGE;
                                for (Fixture *pFixture : lFixtures) {
                                    EnsureFlash(pFixture->baFlash, FIXT_FLASH_SIZE);
                                    NorWrite(pFixture->baFlash, uiOffset + uiAt, baBlock, "fixture flash");
                                }
                                return 0;
                            });
    });

    // Fixture memory: chunked read with a final status; bulk write.
    m.SetHandler(59, [this](VpuSimRequest &r) {
        const QByteArray &p = r.Payload();
        QMutexLocker tLock(&m_Mutex);
        const QList<Fixture *> lFixtures = Find(p.left(5));
        tLock.unlock();
        int iStatus = r.Status();
        if (iStatus == 0 && lFixtures.size() != 1)
            iStatus = SIM_ERR_NO_FIXTURE;
        const quint32 uiSize = std::min<quint32>(SimGetU32(p, 9), 64u << 20);
        if (iStatus != 0)
            return SimServeChunks(r, QByteArray(), iStatus, uiSize);
        QByteArray baData = FixtureMem(U8(p, 0), SimGetU32(p, 1), SimGetU32(p, 5), uiSize);
        if (m_bMemFromFlash) {
            const quint32 uiOffset = SimGetU32(p, 5);
            const QByteArray baFlash = FixtureFlash(U8(p, 0), SimGetU32(p, 1), uiOffset & ~3u, uiSize + 8);
            for (quint32 i = 0; i < uiSize; ++i) {
                const quint32 uiAt = (uiOffset & 3u) + i;
                const qsizetype iAt = qsizetype((uiAt & ~3u) + 3 - (uiAt & 3u));
                baData[i] = iAt < baFlash.size() ? baFlash.at(iAt) : char(0xFF);
            }
        }
        return SimServeChunks(r, baData, 0, uiSize) && r.ReplyStatus(0);
    });
    m.SetHandler(60, [this](VpuSimRequest &r) {
        const QByteArray baAddr = r.Payload().left(5);
        const quint32 uiOffset = SimGetU32(r.Payload(), 5);
        return SimServeBulk(r, SimGetU32(r.Payload(), 9),
                            [this, baAddr, uiOffset](quint32 uiAt, const QByteArray &baBlock) {
                                QMutexLocker tLock(&m_Mutex);
                                const QList<Fixture *> lFixtures = Find(baAddr);
                                if (lFixtures.isEmpty())
                                    return SIM_ERR_NO_FIXTURE;
                                for (Fixture *pFixture : lFixtures) {
                                    QByteArray &baMem = pFixture->baMem;
                                    const qsizetype iEnd = qsizetype(uiOffset) + uiAt + baBlock.size();
                                    if (baMem.size() < iEnd)
                                        baMem.append(QByteArray(iEnd - baMem.size(), char(0xFF)));
                                    Put(baMem, int(uiOffset + uiAt), baBlock);
                                }
                                return 0;
                            });
    });
}

// ---- State access (test thread) ----

void VpuSimDevice::AddFixture(quint8 ucOutput, quint32 uiNumber, const QByteArray &baConfig)
{
    QMutexLocker tLock(&m_Mutex);
    Fixture &tFixture = m_Fixtures[Key(ucOutput, uiNumber)];
    tFixture.baConfig = baConfig.left(138).leftJustified(138, '\0');
    tFixture.baSasu = QByteArray::fromHex("005a50003c32"); // off, 90, 80, off, 60, 50
    // Sensor 1 a temperature of 25.5 degrees, the others absent.
    tFixture.baSensors = QByteArray::fromHex("0100000000cc41") + QByteArray(21, 0);
}

QByteArray VpuSimDevice::FixtureConfig(quint8 ucOutput, quint32 uiNumber) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Fixtures.value(Key(ucOutput, uiNumber)).baConfig;
}

QByteArray VpuSimDevice::SasuConfig(quint8 ucOutput, quint32 uiNumber) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Fixtures.value(Key(ucOutput, uiNumber)).baSasu;
}

void VpuSimDevice::SetSasuConfig(quint8 ucOutput, quint32 uiNumber, const QByteArray &baSasu)
{
    QMutexLocker tLock(&m_Mutex);
    m_Fixtures[Key(ucOutput, uiNumber)].baSasu = baSasu;
}

void VpuSimDevice::SetSensorValues(quint8 ucOutput, quint32 uiNumber, const QByteArray &baValues)
{
    QMutexLocker tLock(&m_Mutex);
    m_Fixtures[Key(ucOutput, uiNumber)].baSensors = baValues;
}

quint32 VpuSimDevice::FixtureRegister(quint8 ucOutput, quint32 uiNumber, quint32 uiRegister) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Fixtures.value(Key(ucOutput, uiNumber)).Registers.value(uiRegister);
}

void VpuSimDevice::SetFixtureRegister(quint8 ucOutput, quint32 uiNumber, quint32 uiRegister, quint32 uiValue)
{
    QMutexLocker tLock(&m_Mutex);
    m_Fixtures[Key(ucOutput, uiNumber)].Registers[uiRegister] = uiValue;
}

QByteArray VpuSimDevice::Volatile(quint8 ucOutput, quint32 uiNumber, quint8 ucId) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Fixtures.value(Key(ucOutput, uiNumber)).Volatile.value(ucId);
}

QByteArray VpuSimDevice::FixtureFlash(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, quint32 uiSize) const
{
    QMutexLocker tLock(&m_Mutex);
    const QByteArray baFlash = m_Fixtures.value(Key(ucOutput, uiNumber)).baFlash;
    if (baFlash.isEmpty())
        return QByteArray(qsizetype(uiSize), char(0xFF));
    return baFlash.mid(uiOffset, uiSize);
}

void VpuSimDevice::SetFixtureFlash(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, const QByteArray &baData)
{
    QMutexLocker tLock(&m_Mutex);
    QByteArray &baFlash = m_Fixtures[Key(ucOutput, uiNumber)].baFlash;
    EnsureFlash(baFlash, FIXT_FLASH_SIZE);
    Put(baFlash, int(uiOffset), baData);
}

QByteArray VpuSimDevice::FixtureMem(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, quint32 uiSize) const
{
    QMutexLocker tLock(&m_Mutex);
    const QByteArray baMem = m_Fixtures.value(Key(ucOutput, uiNumber)).baMem;
    QByteArray baOut(qsizetype(uiSize), char(0xFF));
    for (quint32 i = 0; i < uiSize && qsizetype(uiOffset) + i < baMem.size(); ++i)
        baOut[i] = baMem[qsizetype(uiOffset) + i];
    return baOut;
}

void VpuSimDevice::SetFixtureMem(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, const QByteArray &baData)
{
    QMutexLocker tLock(&m_Mutex);
    QByteArray &baMem = m_Fixtures[Key(ucOutput, uiNumber)].baMem;
    const qsizetype iEnd = qsizetype(uiOffset) + baData.size();
    if (baMem.size() < iEnd)
        baMem.append(QByteArray(iEnd - baMem.size(), char(0xFF)));
    Put(baMem, int(uiOffset), baData);
}

void VpuSimDevice::SetConfig(const QByteArray &baConfig20)
{
    QMutexLocker tLock(&m_Mutex);
    m_baConfig = baConfig20;
}

QByteArray VpuSimDevice::Config() const
{
    QMutexLocker tLock(&m_Mutex);
    return m_baConfig;
}

void VpuSimDevice::SetVideoInFormat(quint8 ucInput, const QByteArray &baFormat32)
{
    QMutexLocker tLock(&m_Mutex);
    m_VideoIn[ucInput] = baFormat32;
}

QByteArray VpuSimDevice::LastSetting(quint8 ucId) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_LastSetting.value(ucId);
}

int VpuSimDevice::Count(quint8 ucId) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Counts.value(ucId);
}

QByteArray VpuSimDevice::Preset(quint32 uiSlot) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Presets.value(uiSlot, QByteArray(31, 0));
}

void VpuSimDevice::SetPreset(quint32 uiSlot, const QByteArray &baPreset31)
{
    QMutexLocker tLock(&m_Mutex);
    m_Presets[uiSlot] = baPreset31;
}

QByteArray VpuSimDevice::DmxMap(quint32 uiSlot) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_DmxMaps.value(uiSlot);
}

void VpuSimDevice::SetDmxMap(quint32 uiSlot, const QByteArray &baEntries)
{
    QMutexLocker tLock(&m_Mutex);
    m_DmxMaps[uiSlot] = baEntries;
}

quint8 VpuSimDevice::FpgaRegister(quint32 uiKey) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_FpgaRegs.value(uiKey);
}

void VpuSimDevice::SetFpgaRegister(quint32 uiKey, quint8 ucValue)
{
    QMutexLocker tLock(&m_Mutex);
    m_FpgaRegs[uiKey] = ucValue;
}

quint8 VpuSimDevice::I2c(quint8 ucLink, quint8 ucChip, quint8 ucSub) const
{
    QMutexLocker tLock(&m_Mutex);
    return m_I2c.value(quint32(ucLink) << 16 | ucChip << 8 | ucSub);
}

void VpuSimDevice::SetI2c(quint8 ucLink, quint8 ucChip, quint8 ucSub, quint8 ucValue)
{
    QMutexLocker tLock(&m_Mutex);
    m_I2c[quint32(ucLink) << 16 | ucChip << 8 | ucSub] = ucValue;
}

QByteArray VpuSimDevice::VpuFlash(quint32 uiOffset, quint32 uiSize) const
{
    QMutexLocker tLock(&m_Mutex);
    if (m_baVpuFlash.isEmpty())
        return QByteArray(qsizetype(uiSize), char(0xFF));
    return m_baVpuFlash.mid(uiOffset, uiSize);
}

void VpuSimDevice::SetVpuFlash(quint32 uiOffset, const QByteArray &baData)
{
    QMutexLocker tLock(&m_Mutex);
    EnsureFlash(m_baVpuFlash, VPU_FLASH_SIZE);
    Put(m_baVpuFlash, int(uiOffset), baData);
}

QStringList VpuSimDevice::Violations() const
{
    QMutexLocker tLock(&m_Mutex);
    return m_Violations;
}
