#pragma once
// Helpers for the project tests: the fixture catalogue they load, and stand-ins for the scene
// items through whose getters the project takes its snapshot.

#include "config/catalogue.h"
#include "project/projectrecords.h"

// Writes "Lantrel.xml" in the working folder (the shipped catalogue plus a type 0xFFFFFFFF,
// tracing to the window only), reads it into g_SoftConf and starts tracing; factory mode on
// when asked.
bool LoadProjectTestCatalogue(bool bFactoryMode = false);

struct FakeFixture
{
    quint32 output = 0;
    quint32 number = 0;
    quint32 type = 1;
    RotationInfo_t placement = MakeRotationInfo();
    quint16 group = 0;
    SasuConfig_t sasu = DefaultSasuConfig();
    FixtureIntensity_t intensity = DefaultIntensity();

    void GetNumber(quint32 *puOutput, quint32 *puNumber) const
    {
        *puOutput = output;
        *puNumber = number;
    }
    int GetRotationInfo(RotationInfo_t *pInfo) const
    {
        *pInfo = placement;
        return 0;
    }
    void GetType(FixtureType_t *pType) const { pType->type = type; }
    void GetGroupInfo(quint16 *puNumber, RotationInfo_t *pInfo) const
    {
        *puNumber = group;
        *pInfo = MakeRotationInfo();
    }
    void GetSasuConfig(SasuConfig_t *pConfig) const { *pConfig = sasu; }
    void GetIntensity(FixtureIntensity_t *pIntensity) const { *pIntensity = intensity; }
};

struct FakeGroup
{
    GroupInfo_t info;
    RotationInfo_t placement;
    void GetInfo(GroupInfo_t *pInfo) const { *pInfo = info; }
    int GetRotationInfo(RotationInfo_t *pInfo) const
    {
        *pInfo = placement;
        return 0;
    }
};
