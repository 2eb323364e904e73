// The fixture's requests to the VPU: intensity, origin and rotation (volatile, applied at
// once by the fixture) and the configuration block it keeps in permanent memory.
#include "comm/vpucom.h"
#include "scene/fixture.h"
#include "trace/trace.h"

#include <QPointer>

#include <cmath>

namespace {

QPointer<CVpuCom> s_pVpuCom;

// Scene coordinates go to the fixture as whole pixels: rounded, halves away from zero.
quint16 Rounded(double dValue)
{
    return quint16(std::lround(dValue));
}

quint16 Truncated(double dValue)
{
    return quint16(qint32(dValue));
}

template <typename T> void Append(QByteArray &ba, T value)
{
    ba.append(reinterpret_cast<const char *>(&value), sizeof(T));
}

} // namespace

void CFixture::SetVpuCom(CVpuCom *pVpuCom)
{
    s_pVpuCom = pVpuCom;
}

CFixture::ScaledIntensity_t CFixture::ScaleIntensity() const
{
    ScaledIntensity_t t;
    t.iLuminosity = m_Intensity.Luminosity();
    const auto scale = [&t](int iGain) { return int(std::lround(iGain * t.iLuminosity / 100.0)) & 0x3FF; };
    t.iRed = scale(m_Intensity.Red());
    t.iGreen = scale(m_Intensity.Green());
    t.iBlue = scale(m_Intensity.Blue());
    t.uRegister = quint32(t.iRed) << 20 | quint32(t.iGreen) << 10 | quint32(t.iBlue);
    return t;
}

int CFixture::ApplyIntensity()
{
    const ScaledIntensity_t t = ScaleIntensity();
    const QByteArray baName = GetName().toUtf8();
    TraceInfo("Applying intensity to LPU %s...", baName.constData());
    TraceInfo("    (Global luminosity = %d%% - Red = %d, Green = %d, Blue = %d => Register Value = 0x%08X)",
              t.iLuminosity, t.iRed, t.iGreen, t.iBlue, t.uRegister);
    if (!s_pVpuCom)
        return -4;
    FixtureAddr_t tAddr;
    GetAddress(&tAddr);
    return s_pVpuCom->FixtSetLuminosity(tAddr, t.uRegister);
}

int CFixture::ConfigureOrigin()
{
    RotationInfo_t tOwn;
    GetRotationInfo(&tOwn);
    const quint16 uX = Rounded(tOwn.x), uY = Rounded(tOwn.y);
    TraceInfo("Configuring origin of fixture %s to x=%d, y=%d...", GetName().toUtf8().constData(), uX, uY);
    if (!s_pVpuCom)
        return -4;
    FixtureAddr_t tAddr;
    GetAddress(&tAddr);
    return s_pVpuCom->FixtSetOrigin(tAddr, quint32(uX) | quint32(uY) << 16);
}

int CFixture::ConfigureRotation()
{
    RotationInfo_t tOwn, tGroup;
    GetRotationInfo(&tOwn);
    GetGroupInfo(nullptr, &tGroup);
    const qint16 iAngle = qint16(tOwn.angle + tGroup.angle);
    const quint16 uAnchorX = Truncated(tOwn.anchorX), uAnchorY = Truncated(tOwn.anchorY);
    const quint16 uX = Rounded(tOwn.x), uY = Rounded(tOwn.y);
    TraceInfo("Configuring rotation of fixture %s...", GetName().toUtf8().constData());
    TraceInfo("    (angle= %d - anchor position: x=%d, y=%d - fixture origin: x=%d, y=%d)", iAngle, uAnchorX, uAnchorY,
              uX, uY);
    if (!s_pVpuCom)
        return -4;
    FixtureAddr_t tAddr;
    GetAddress(&tAddr);
    return s_pVpuCom->FixtSetRotation(tAddr, quint32(uX) | quint32(uY) << 16, iAngle, uAnchorX, uAnchorY,
                                      reinterpret_cast<const quint8 *>(m_Type.tiles));
}

int CFixture::WriteConfig()
{
    TraceInfo("Writing configuration of fixture %s in permanent memories...", GetName().toUtf8().constData());
    const ScaledIntensity_t t = ScaleIntensity();
    RotationInfo_t tOwn, tGroup;
    GetRotationInfo(&tOwn);
    quint16 uGroup = 0;
    GetGroupInfo(&uGroup, &tGroup);
    const quint16 uX = Rounded(tOwn.x), uY = Rounded(tOwn.y);
    const qint16 iAngle = qint16(tOwn.angle + tGroup.angle);
    const quint16 uAnchorX = Rounded(tOwn.anchorX), uAnchorY = Rounded(tOwn.anchorY);
    const quint16 uGroupAnchorX = Rounded(tGroup.anchorX), uGroupAnchorY = Rounded(tGroup.anchorY);
    const qint16 iGroupAngle = qint16(tGroup.angle);
    // The block carries SASU thresholds for every fixture; an LPU has no use for them and
    // gets the defaults, so that what it keeps is known.
    if (m_iKind == KIND_LPU)
        ResetSasuConfig();
    const SasuConfig_t s = m_SasuConfig;

    TraceInfo("    Global luminosity = %d%% - Red = %d, Green = %d, Blue = %d => Register Value = 0x%08X",
              t.iLuminosity, t.iRed, t.iGreen, t.iBlue, t.uRegister);
    TraceInfo("    Origin to x=%d, y=%d", uX, uY);
    TraceInfo("    Rotation: Angle= %d - anchor position: x=%d, y=%d", iAngle, uAnchorX, uAnchorY);
    if (uGroup == 0)
        TraceInfo("    Fixture not groupped!");
    else
        TraceInfo("    Group: Number= %d - anchor position: x=%d, y=%d", uGroup, uGroupAnchorX, uGroupAnchorY);
    TraceInfo("    Sasu Configuration (writen for LPUs and SASU's but only used for SASUs):");
    TraceInfo("        Blackout Mode=%d (1:On-Others:Off) - Temperature Off=%d - Temperature On=%d", s.BlackoutMode,
              s.BlackoutTempOff, s.BlackoutTempOn);
    TraceInfo("        Fan Monitoring Mode=%d (1:On-Others:Off) - Temperature Off=%d - Temperature On=%d",
              s.FanMonitoringMode, s.FanTempOff, s.FanTempOn);

    FixtureAddr_t tAddr;
    GetAddress(&tAddr);
    QByteArray baBlock;
    AppendRecord(baBlock, tAddr);
    Append(baBlock, t.uRegister);
    Append(baBlock, quint16(t.iLuminosity));
    Append(baBlock, uX);
    Append(baBlock, uY);
    Append(baBlock, iAngle);
    Append(baBlock, uAnchorX);
    Append(baBlock, uAnchorY);
    Append(baBlock, uGroup);
    Append(baBlock, iGroupAngle);
    Append(baBlock, uGroupAnchorX);
    Append(baBlock, uGroupAnchorY);
    AppendRecord(baBlock, s);
    baBlock.append(reinterpret_cast<const char *>(m_Type.tiles), sizeof(m_Type.tiles));
    if (!s_pVpuCom)
        return -4;
    return s_pVpuCom->FixtWriteConfig(baBlock);
}
