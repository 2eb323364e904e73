#include "project/projectrecords.h"

PixelRect_t MakePixelRect(qint32 iX1, qint32 iY1, qint32 iX2, qint32 iY2)
{
    PixelRect_t t;
    t.x1 = iX1;
    t.y1 = iY1;
    t.x2 = iX2;
    t.y2 = iY2;
    return t;
}

PixelRect_t ScreenPixelRect()
{
    return MakePixelRect(0, 0, 1919, 1079);
}

PixelRect_t ClampScreenRect(const PixelRect_t &tRect)
{
    const qint32 iX = qBound(0, tRect.x1, 1919);
    const qint32 iY = qBound(0, tRect.y1, 1079);
    const qint32 iWidth = qBound(1, tRect.x2 - tRect.x1 + 1, 1920 - iX);
    const qint32 iHeight = qBound(1, tRect.y2 - tRect.y1 + 1, 1080 - iY);
    return MakePixelRect(iX, iY, iX + iWidth - 1, iY + iHeight - 1);
}

SasuConfig_t DefaultSasuConfig()
{
    SasuConfig_t t;
    t.BlackoutMode = 0;
    t.BlackoutTempOn = 90;
    t.BlackoutTempOff = 80;
    t.FanMonitoringMode = 0;
    t.FanTempOn = 60;
    t.FanTempOff = 50;
    return t;
}

ProjectFixture_t DefaultProjectFixture()
{
    ProjectFixture_t t;
    t.output = 0;
    t.number = 0;
    t.type = 0;
    t.placement = MakeRotationInfo();
    t.group = 0;
    t.boardType = -1;
    t.intensity = DefaultIntensity();
    t.sasuConfig = DefaultSasuConfig();
    return t;
}
