#pragma once
// Wire records of the VPU link: the message header and every record that crosses it.
// They are packed, little-endian, and also travel by value in the VPU worker's signals.
// A received buffer is copied into a record only through DecodeRecord, which checks the
// length first.

#include <QByteArray>
#include <QMetaType>
#include <QtGlobal>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the VPU records are laid out for little-endian hosts");

#pragma pack(push, 1)

struct VpuMsgHeader_t
{
    quint8 MsgId;
    quint32 Length; // payload bytes after the header
};
static_assert(sizeof(VpuMsgHeader_t) == 5);

struct FixtureAddr_t
{
    quint8 output;  // HDMI output 1..4; 255 addresses every fixture
    quint32 number; // position in that output's chain
};
static_assert(sizeof(FixtureAddr_t) == 5);

struct VpuConfig_t
{
    quint8 FpgaMajor;
    quint8 FpgaMinor;
    quint8 BootMajor;
    quint8 BootMinor;
    quint8 SoftMajor;
    quint8 SoftMinor;
    quint8 Reserved[2];
    quint32 Type;
    quint32 SerialNumber;
    quint32 ManufacturerCode;
};
static_assert(sizeof(VpuConfig_t) == 20);

struct VideoSettings_t
{
    quint8 Channel; // 0 DVI 1, 1 DVI 2, 2 HDMI 1, 3 HDMI 2
    quint8 ScalingEnabled;
    qint8 Rotation; // -90, 0 or 90
    quint16 OffsetX;
    quint16 OffsetY;
    quint16 Width;
    quint16 Height;
};
static_assert(sizeof(VideoSettings_t) == 11);

struct InputCorr_t
{
    quint8 source;
    quint8 brightness;
    quint8 contrast;
    quint8 saturation;
    quint8 hue;
};
static_assert(sizeof(InputCorr_t) == 5);

struct OutputCorr_t
{
    quint16 gammaRed; // gamma x 100
    quint16 gammaGreen;
    quint16 gammaBlue;
    quint8 whiteMode;  // 0 none, 1 standard temperature, 2 custom temperature, 3 expert coefficients
    quint16 colorTemp; // kelvin
    quint16 coefRed;   // 512 = 1.0
    quint16 coefGreen;
    quint16 coefBlue;
};
static_assert(sizeof(OutputCorr_t) == 15);

struct VideoPreset_t
{
    VideoSettings_t VideoSettings;
    InputCorr_t InputCorr;
    OutputCorr_t OutputCorr;
};
static_assert(sizeof(VideoPreset_t) == 31);

struct VideoInFormat_t
{
    quint16 Width;
    quint16 Height;
    quint8 RxLock;
    quint8 Encryption;
    quint8 HdmiMode;
    quint8 HsPolarity;
    quint8 VsPolarity;
    quint8 Interlaced;
    quint16 TotalWidth;
    quint16 TotalHeight;
    quint16 HsFrontPorch;
    quint16 HsPulseWidth;
    quint16 HsBackPorch;
    quint16 VsFrontPorch;
    quint16 VsPulseWidth;
    quint16 VsBackPorch;
    quint32 TmdsFreq;
    quint16 RefreshRate;
};
static_assert(sizeof(VideoInFormat_t) == 32);

struct FixturesNum_t
{
    quint8 Enumerated[4]; // per HDMI output: 0 not done, 1 done
    qint16 LpuNumber[4];
    qint16 SasuNumber[4];
};
static_assert(sizeof(FixturesNum_t) == 20);

struct SasuConfig_t
{
    quint8 BlackoutMode; // 1 on
    qint8 BlackoutTempOn;
    qint8 BlackoutTempOff;
    quint8 FanMonitoringMode; // 1 on
    qint8 FanTempOn;
    qint8 FanTempOff;
};
static_assert(sizeof(SasuConfig_t) == 6);

struct FixtureTileWire_t
{
    quint8 width;
    quint8 height;
    quint8 offsetX;
    quint8 offsetY;
};
static_assert(sizeof(FixtureTileWire_t) == 4);

struct FixtureSensorWire_t
{
    quint16 type; // 0 none, 1 temperature, 2 humidity, 3 luminosity
    float VInMax;
    float VInMin;
    float SensorMax;
    float SensorMin;
};
static_assert(sizeof(FixtureSensorWire_t) == 18);

struct FixtureConfig_t
{
    quint32 Unused0;
    quint32 SerialNumber;
    quint32 Type; // a non-zero top nibble marks a SASU
    quint32 ManufacturerCode;
    quint16 PosX;
    quint16 PosY;
    quint8 SizeX;
    quint8 SizeY;
    qint16 Angle;
    quint16 AnchorX;
    quint16 AnchorY;
    quint16 GroupNumber; // 0 = not grouped
    qint16 GroupAngle;
    quint16 GroupAnchorX;
    quint16 GroupAnchorY;
    quint16 Unused36;
    quint16 PcbVersion;
    quint8 FpgaVersion; // low nibble major version, high nibble FPGA type
    quint8 FpgaMinor;
    quint8 NiosMajor;
    quint8 NiosMinor;
    quint32 LuminosityReg; // red bits 20-29, green 10-19, blue 0-9
    quint16 LuminosityGlobal;
    FixtureTileWire_t tiles[4];
    FixtureSensorWire_t sensors[4];
};
static_assert(sizeof(FixtureConfig_t) == 138);

struct SensorValue_t
{
    quint16 Type;
    quint8 Status; // non-zero: reading out of range
    float Value;
};
static_assert(sizeof(SensorValue_t) == 7);

struct SensorValues_t
{
    SensorValue_t Sensor[4];
};
static_assert(sizeof(SensorValues_t) == 28);

struct I2cRegister_t
{
    quint8 Link;
    quint8 ChipAddress;
    quint8 SubAddress;
    quint8 Mask;
    quint8 Value;
};
static_assert(sizeof(I2cRegister_t) == 5);

struct SdramRect_t
{
    quint16 X;
    quint16 Y;
    quint16 Width;
    quint16 Height;
};
static_assert(sizeof(SdramRect_t) == 8);

struct Color_t
{
    quint8 red;
    quint8 green;
    quint8 blue;
};
static_assert(sizeof(Color_t) == 3);

struct FixtureMemReq_t
{
    FixtureAddr_t Addr;
    quint32 Offset;
    quint32 Size;
};
static_assert(sizeof(FixtureMemReq_t) == 13);

#pragma pack(pop)

// Copies sizeof(T) bytes at iOffset of a received buffer into *ptRecord when the buffer holds
// them; false (record untouched) otherwise.
template <typename T> bool DecodeRecord(const QByteArray &baBuffer, qsizetype iOffset, T *ptRecord)
{
    if (iOffset < 0 || baBuffer.size() - iOffset < static_cast<qsizetype>(sizeof(T)))
        return false;
    std::memcpy(static_cast<void *>(ptRecord), baBuffer.constData() + iOffset, sizeof(T));
    return true;
}

// Appends a record's wire bytes to a payload under construction.
template <typename T> void AppendRecord(QByteArray &baPayload, const T &tRecord)
{
    baPayload.append(reinterpret_cast<const char *>(&tRecord), static_cast<qsizetype>(sizeof(T)));
}

Q_DECLARE_METATYPE(VideoInFormat_t)
Q_DECLARE_METATYPE(I2cRegister_t)
Q_DECLARE_METATYPE(SdramRect_t)
Q_DECLARE_METATYPE(FixturesNum_t)
Q_DECLARE_METATYPE(FixtureConfig_t)
Q_DECLARE_METATYPE(SensorValues_t)
Q_DECLARE_METATYPE(SasuConfig_t)
Q_DECLARE_METATYPE(FixtureMemReq_t)
Q_DECLARE_METATYPE(VideoPreset_t)
Q_DECLARE_METATYPE(VpuConfig_t)
