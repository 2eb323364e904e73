#pragma once
// The records of the fixture and sensor type catalogue held in "Lantrel.xml". A fixture in
// the scene, in a project file or uploaded from the VPU takes a copy of its type record from
// the catalogue by type code; records are plain values.

#include <QString>
#include <QtGlobal>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the VPU records are little-endian");

enum SensorKind {
    SENSOR_KIND_NONE = 0,
    SENSOR_KIND_TEMP = 1,
    SENSOR_KIND_HUMI = 2,
    SENSOR_KIND_LUMI = 3,
};

// One sensor type, and also one sensor channel of a fixture type. An unconnected channel is
// the default record (kind 0, all bounds 0, name "none").
struct SensorType_t
{
    quint16 kind = SENSOR_KIND_NONE;
    float VInMax = 0.0f;
    float VInMin = 0.0f;
    float SensorMax = 0.0f;
    float SensorMin = 0.0f;
    QString name = QStringLiteral("none");
};

#pragma pack(push, 1)
// One LED tile, in pixels of the fixture's image; the same layout as in the VPU's records.
struct FixtureTile_t
{
    quint8 width = 0;
    quint8 height = 0;
    quint8 xOffset = 0;
    quint8 yOffset = 0;
};
#pragma pack(pop)
static_assert(sizeof(FixtureTile_t) == 4, "FixtureTile_t is a 4-byte wire record");

constexpr int kFixtureTileCount = 4;
constexpr int kFixtureSensorCount = 4;

struct FixtureType_t
{
    QString name;
    qint32 width = 0;
    qint32 height = 0;
    quint32 type = 0;
    quint32 manufacturer = 0;
    FixtureTile_t tiles[kFixtureTileCount];
    SensorType_t sensors[kFixtureSensorCount];
};

// The family lives in the top four bits of the type code: any of them set makes a SASU.
constexpr quint32 kSasuTypeMask = 0xF0000000u;
constexpr bool IsSasuType(quint32 uType)
{
    return (uType & kSasuTypeMask) != 0;
}
