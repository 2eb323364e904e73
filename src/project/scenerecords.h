#pragma once
// Small records through which the scene items hand out and take in a fixture's intensity,
// an item's placement, a group's identity and a fixture's firmware versions. Plain values,
// copied whole; the two byte records keep the layout the VPU uses.

#include <QString>
#include <QtGlobal>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "records are laid out little-endian");

#pragma pack(push, 1)

// Global luminosity and colour gains, one 40-bit little-endian value:
// bits 0-7 luminosity (percent), 8-9 reserved, 10-19 red, 20-29 green, 30-39 blue (512 = 100 %).
// The bits are reached by explicit shifts so that the byte layout never depends on the compiler.
struct FixtureIntensity_t
{
    quint8 bytes[5];

    quint64 Value() const
    {
        quint64 v = 0;
        for (int i = 4; i >= 0; --i)
            v = (v << 8) | bytes[i];
        return v;
    }
    void SetValue(quint64 v)
    {
        for (int i = 0; i < 5; ++i)
            bytes[i] = quint8(v >> (8 * i));
    }
    quint8 Luminosity() const { return quint8(Value() & 0xFF); }
    quint8 Reserved() const { return quint8((Value() >> 8) & 0x3); }
    quint16 Red() const { return quint16((Value() >> 10) & 0x3FF); }
    quint16 Green() const { return quint16((Value() >> 20) & 0x3FF); }
    quint16 Blue() const { return quint16((Value() >> 30) & 0x3FF); }
};
static_assert(sizeof(FixtureIntensity_t) == 5, "FixtureIntensity_t is 5 bytes");

// Firmware versions read back from a fixture; the same bytes as bytes 38..43 of the VPU's
// fixture configuration record.
struct FixtureVersions_t
{
    quint16 pcbVersion;
    quint8 fpgaVersion; // high nibble FPGA type, low nibble major version
    quint8 fpgaMinor;
    quint8 niosMajor;
    quint8 niosMinor;
};
static_assert(sizeof(FixtureVersions_t) == 6, "FixtureVersions_t is 6 bytes");

#pragma pack(pop)

// Placement of a fixture or group in scene coordinates. The anchor's y comes before its x.
struct RotationInfo_t
{
    double x;
    double y;
    double anchorY;
    double anchorX;
    qint32 angle; // own rotation in degrees, truncated toward zero
};

struct GroupInfo_t
{
    quint16 number; // 1..128 once set
    QString name;   // at most 32 characters
};

FixtureIntensity_t MakeIntensity(quint8 uLuminosity, quint16 uRed, quint16 uGreen, quint16 uBlue, quint8 uReserved = 0);
// Luminosity 100, gains 512: the bytes 64 00 08 20 80.
FixtureIntensity_t DefaultIntensity();
// The word carries bytes 0-3, the byte byte 4.
FixtureIntensity_t IntensityFromWord(quint32 uWord, quint8 uByte4);
// Writes luminosity and the three gains of the source into the destination and keeps the
// destination's reserved bits 8-9.
void CopyIntensity(FixtureIntensity_t *pDst, const FixtureIntensity_t &tSrc);

// Every version unknown: PCB 0x00FF, the four bytes 0xFF.
FixtureVersions_t DefaultVersions();

RotationInfo_t MakeRotationInfo(double dX = 0, double dY = 0, double dAnchorX = 0, double dAnchorY = 0,
                                qint32 iAngle = 0);
GroupInfo_t MakeGroupInfo(quint16 uNumber = 0, const QString &qsName = QString());
