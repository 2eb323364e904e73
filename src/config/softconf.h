#pragma once
// The application configuration, "Lantrel.xml", read once at start-up into g_SoftConf.
// (Start-up subset: trace settings and factory mode; the catalogue and histories grow here.)

#include "config/config.h"

class CSoftConf : public CConfig
{
public:
    CSoftConf();
    int Parse() override;
    int Write() override;

    int ReadTracesSettings();
    void GetTracesSettings(int *piEnabled, int *piSave, unsigned int *puSizeMB) const;
    bool GetFactoryMode() const { return m_bFactoryMode; }

private:
    bool m_bTraceEnabled = false;
    bool m_bTraceSave = false;
    unsigned int m_uTraceFileSizeMB = 1;
    bool m_bFactoryMode = false;
};

extern CSoftConf g_SoftConf;
