#pragma once
// The records in which the project holds its settings, fixtures and groups. Plain values
// with no links to scene items: a fixture or group record is a snapshot of an item.

#include "comm/vpurecords.h"
#include "project/scenerecords.h"

#include <QString>
#include <QtGlobal>

// An integer rectangle given by its inclusive corners: width = x2 - x1 + 1.
struct PixelRect_t
{
    qint32 x1;
    qint32 y1;
    qint32 x2;
    qint32 y2;
};

enum BackgroundRatio {
    BACKGROUND_RATIO_KEEP = 1,
    BACKGROUND_RATIO_RESIZE = 2,
};

struct BackgroundSettings_t
{
    bool shown;
    QString file;
    qint32 imageWidth; // as loaded; never stored in the project file
    qint32 imageHeight;
    quint32 ratio; // BackgroundRatio
    PixelRect_t placement;
};

struct WorkspaceSettings_t
{
    BackgroundSettings_t background;
    bool gridShown;
    quint32 gridSpacing;
    bool borderShown;
    PixelRect_t border;
};

struct VideoInputSettings_t
{
    quint32 source;     // 0 DVI1, 1 DVI2, 2 HDMI1, 3 HDMI2
    qint8 rotation;     // -90, 0 or 90
    quint32 resizeType; // 0 none, 1 standard, 2 custom
    quint32 standardFormat;
    bool topLeftPosition; // the picture is placed at the area's top-left corner
    PixelRect_t area;
};

struct ProjectFixture_t
{
    quint8 output;  // 1..4; 0 = not cabled
    quint32 number; // position in that output's chain
    quint32 type;   // fixture type code
    RotationInfo_t placement;
    quint16 group;    // 0 = none
    qint32 boardType; // -1 = none
    FixtureIntensity_t intensity;
    SasuConfig_t sasuConfig;
};

struct ProjectGroup_t
{
    GroupInfo_t info;
    RotationInfo_t placement;
};

// Not cabled, type 0, placed at the origin, no group, no board type, default intensity and
// SASU thresholds 0, 90, 80, 0, 60, 50.
ProjectFixture_t DefaultProjectFixture();
SasuConfig_t DefaultSasuConfig();

PixelRect_t MakePixelRect(qint32 iX1, qint32 iY1, qint32 iX2, qint32 iY2);
// The whole 1920 x 1080 output: (0, 0)-(1919, 1079).
PixelRect_t ScreenPixelRect();
// A rectangle of at least one pixel whose corner lies on the screen and whose far edge does
// not pass it: what the project file accepts for the border and the background placement.
PixelRect_t ClampScreenRect(const PixelRect_t &tRect);
