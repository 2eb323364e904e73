#pragma once
// A VPU with something behind it, for the tests of the request queue: installs handlers for
// every message of the catalogue into a VpuSimModel and keeps the state they act on:
// fixtures per output with their configuration, SASU configuration, sensor values and
// registers; the VPU's identity, video input formats, settings, ten preset slots and DMX
// mappings; FPGA registers, I2C registers; the VPU flash (32 MB) and each fixture's flash
// (2 MB) as NOR flash; fixture memory and the frame memory (SDRAM, through the model).
//
// Every record is built and read at the byte offsets of the protocol tables; nothing here
// uses the program's structs. Handlers run on the simulator's thread; the accessors lock.

#include "vpusim.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QPair>
#include <QStringList>

#include <atomic>

// VPU statuses the device answers with when a request names something it does not have.
constexpr int SIM_ERR_NO_FIXTURE = -100;
constexpr int SIM_ERR_RANGE = -101;
constexpr int SIM_ERR_SLOT = -102;

class VpuSimDevice
{
public:
    static constexpr quint32 VPU_FLASH_SIZE = 32u << 20;
    static constexpr quint32 FIXT_FLASH_SIZE = 2u << 20;

    // Installs the handlers into the model, which must outlive this object's use by it.
    explicit VpuSimDevice(VpuSimModel &tModel);

    // A fixture behind output 1..4 at a chain position; tConfig is the 138-byte record.
    void AddFixture(quint8 ucOutput, quint32 uiNumber, const QByteArray &baConfig);
    QByteArray FixtureConfig(quint8 ucOutput, quint32 uiNumber) const;
    QByteArray SasuConfig(quint8 ucOutput, quint32 uiNumber) const;
    void SetSasuConfig(quint8 ucOutput, quint32 uiNumber, const QByteArray &baSasu);
    void SetSensorValues(quint8 ucOutput, quint32 uiNumber, const QByteArray &baValues);
    quint32 FixtureRegister(quint8 ucOutput, quint32 uiNumber, quint32 uiRegister) const;
    void SetFixtureRegister(quint8 ucOutput, quint32 uiNumber, quint32 uiRegister, quint32 uiValue);
    // What the volatile requests (origin, scene, luminosity, rotation) last set, by id.
    QByteArray Volatile(quint8 ucOutput, quint32 uiNumber, quint8 ucId) const;
    QByteArray FixtureFlash(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, quint32 uiSize) const;
    void SetFixtureFlash(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, const QByteArray &baData);
    QByteArray FixtureMem(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, quint32 uiSize) const;
    void SetFixtureMem(quint8 ucOutput, quint32 uiNumber, quint32 uiOffset, const QByteArray &baData);
    // From now on fixture memory reads return the fixture's flash as the device does: each
    // 32-bit word with its bytes reversed.
    void ServeMemFromFlash(bool bOn) { m_bMemFromFlash = bOn; }

    // The VPU itself.
    void SetConfig(const QByteArray &baConfig20);
    QByteArray Config() const;
    void SetVideoInFormat(quint8 ucInput, const QByteArray &baFormat32);
    // The payload of the last request of a setting id (10, 13, 14, 15, 16, 4, ...).
    QByteArray LastSetting(quint8 ucId) const;
    int Count(quint8 ucId) const;
    QByteArray Preset(quint32 uiSlot) const;
    void SetPreset(quint32 uiSlot, const QByteArray &baPreset31);
    QByteArray DmxMap(quint32 uiSlot) const;
    void SetDmxMap(quint32 uiSlot, const QByteArray &baEntries);
    quint8 FpgaRegister(quint32 uiKey) const;
    void SetFpgaRegister(quint32 uiKey, quint8 ucValue);
    quint8 I2c(quint8 ucLink, quint8 ucChip, quint8 ucSub) const;
    void SetI2c(quint8 ucLink, quint8 ucChip, quint8 ucSub, quint8 ucValue);
    QByteArray VpuFlash(quint32 uiOffset, quint32 uiSize) const;
    void SetVpuFlash(quint32 uiOffset, const QByteArray &baData);
    // Writes over bytes that were not erased, and other things a real device would refuse.
    QStringList Violations() const;

    // Sector that holds an offset (start, size) in the VPU flash and in a fixture flash.
    static QPair<quint32, quint32> VpuSector(quint32 uiOffset);
    static QPair<quint32, quint32> FixtureSector(quint32 uiOffset);

private:
    struct Fixture
    {
        QByteArray baConfig;  // 138 bytes
        QByteArray baSasu;    // 6 bytes
        QByteArray baSensors; // 28 bytes
        QHash<quint32, quint32> Registers;
        QHash<quint8, QByteArray> Volatile;
        QByteArray baFlash; // 2 MB, made on first use
        QByteArray baMem;   // grows with writes
    };
    using Key = QPair<quint8, quint32>;

    void Install();
    // The fixtures a request's 5-byte address names (all of them for output 255).
    QList<Fixture *> Find(const QByteArray &baAddr);
    void Violation(const QString &qsText);
    // NOR: erase sets whole sectors to 0xFF; programming can only clear bits.
    void NorErase(QByteArray &baFlash, quint32 uiSize, quint32 uiOffset, quint32 uiLength, bool bFixture);
    void NorWrite(QByteArray &baFlash, quint32 uiOffset, const QByteArray &baData, const char *pcWhat);
    static void EnsureFlash(QByteArray &baFlash, quint32 uiSize);

    VpuSimModel &m_tModel;
    mutable QMutex m_Mutex;
    QMap<Key, Fixture> m_Fixtures;
    QByteArray m_baConfig;
    QHash<quint8, QByteArray> m_VideoIn;
    QHash<quint8, QByteArray> m_LastSetting;
    QHash<quint8, int> m_Counts;
    QHash<quint32, QByteArray> m_Presets;
    QHash<quint32, QByteArray> m_DmxMaps;
    QHash<quint32, quint8> m_FpgaRegs;
    QHash<quint32, quint8> m_I2c;
    QByteArray m_baVpuFlash;
    bool m_abEnumerated[4] = {false, false, false, false};
    QStringList m_Violations;
    std::atomic_bool m_bMemFromFlash{false};
};

// Builds a 138-byte fixture configuration at the table's offsets (the rest zero).
QByteArray SimFixtureConfig(quint32 uiSerial, quint32 uiType, quint16 usPosX, quint16 usPosY, qint16 sAngle,
                            quint16 usGroup, qint16 sGroupAngle, quint32 uiLumReg, quint16 usLumGlobal);
