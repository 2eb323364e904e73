#include "project/scenerecords.h"

FixtureIntensity_t MakeIntensity(quint8 uLuminosity, quint16 uRed, quint16 uGreen, quint16 uBlue, quint8 uReserved)
{
    FixtureIntensity_t t;
    t.SetValue(quint64(uLuminosity) | (quint64(uReserved & 0x3) << 8) | (quint64(uRed & 0x3FF) << 10) |
               (quint64(uGreen & 0x3FF) << 20) | (quint64(uBlue & 0x3FF) << 30));
    return t;
}

FixtureIntensity_t DefaultIntensity()
{
    return MakeIntensity(100, 512, 512, 512);
}

FixtureIntensity_t IntensityFromWord(quint32 uWord, quint8 uByte4)
{
    FixtureIntensity_t t;
    t.SetValue(quint64(uWord) | (quint64(uByte4) << 32));
    return t;
}

void CopyIntensity(FixtureIntensity_t *pDst, const FixtureIntensity_t &tSrc)
{
    if (!pDst)
        return;
    *pDst = MakeIntensity(tSrc.Luminosity(), tSrc.Red(), tSrc.Green(), tSrc.Blue(), pDst->Reserved());
}

FixtureVersions_t DefaultVersions()
{
    FixtureVersions_t t;
    t.pcbVersion = 0x00FF;
    t.fpgaVersion = 0xFF;
    t.fpgaMinor = 0xFF;
    t.niosMajor = 0xFF;
    t.niosMinor = 0xFF;
    return t;
}

RotationInfo_t MakeRotationInfo(double dX, double dY, double dAnchorX, double dAnchorY, qint32 iAngle)
{
    RotationInfo_t t;
    t.x = dX;
    t.y = dY;
    t.anchorY = dAnchorY;
    t.anchorX = dAnchorX;
    t.angle = iAngle;
    return t;
}

GroupInfo_t MakeGroupInfo(quint16 uNumber, const QString &qsName)
{
    GroupInfo_t t;
    t.number = uNumber;
    t.name = qsName;
    return t;
}
