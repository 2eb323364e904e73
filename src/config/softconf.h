#pragma once
// The application configuration, "Lantrel.xml" in the working directory, read once at
// start-up into the single object g_SoftConf: trace settings, USB ids, factory mode and
// password, the welcome page files, the fixture and sensor type catalogue and five history
// lists. Afterwards only the histories change: an updater edits the loaded document in
// place and its caller saves the whole file. GUI thread only; no lock.

#include "config/catalogue.h"
#include "config/config.h"

#include <QList>
#include <QStringList>

struct SoftConfHistory_t;

class CSoftConf : public CConfig
{
    Q_DECLARE_TR_FUNCTIONS(CSoftConf)

public:
    CSoftConf();
    ~CSoftConf() = default;

    int Parse() override;
    int Write() override;

    int ReadTracesSettings();
    void GetTracesSettings(int *piEnabled, int *piSave, unsigned int *puSizeMB) const;
    // Tracing to the window only, for a run whose file could not be read: the user then
    // still sees what the program does.
    void SetTraceWindowOnly()
    {
        m_bTraceEnabled = true;
        m_bTraceSave = false;
    }
    void GetFactoryPassword(QString &qsOut) const { qsOut = m_qsFactoryPassword; }
    void GetFactoryMode(bool *pbOut) const { *pbOut = m_bFactoryMode; }
    bool GetFactoryMode() const { return m_bFactoryMode; }
    void GetWelcomePage(QString &qsLogo, QString &qsInfo, QString &qsCodec) const;
    void GetUsbIds(quint16 *puVid, quint16 *puPid) const;
    void GetTcpPort(quint16 *puPort) const { *puPort = m_uTcpPort; }

    // The catalogue.
    int ReadSensorTypes();
    int ReadFixtureTypes();
    int GetFixtureType(quint32 uType, FixtureType_t *pOut) const;
    void GetFixtureTypes(QList<FixtureType_t> &lOut) const { lOut = m_FixtureTypes; }
    void GetSensorTypes(QList<SensorType_t> &lOut) const;

    // The histories: read at start-up, replaced by their users, who then save the file.
    int ReadLastEthIPs();
    int ReadLastProjects();
    int ReadScriptsHistory();
    int ReadSdramReadHistory();
    int ReadSdramWriteHistory();
    void UpdateLastEthIPs(const QStringList &lList);
    void UpdateLastProjects(const QStringList &lList);
    void UpdateScriptsHistory(const QStringList &lList);
    void UpdateSdramReadHistory(const QStringList &lList);
    void UpdateSdramWriteHistory(const QStringList &lList);
    void GetLastEthIPs(QStringList &lOut) const { lOut = m_LastEthIPs; }
    void GetLastProjects(QStringList &lOut) const { lOut = m_LastProjects; }
    void GetScriptsHistory(QStringList &lOut) const { lOut = m_ScriptsHistory; }
    void GetSdramReadHistory(QStringList &lOut) const { lOut = m_SdramReadHistory; }
    void GetSdramWriteHistory(QStringList &lOut) const { lOut = m_SdramWriteHistory; }

private:
    int ReadHistory(const SoftConfHistory_t &def, QStringList &lList);
    void UpdateHistory(const SoftConfHistory_t &def, QStringList &lList, const QStringList &lNew);
    void ReadGeneral();
    void ReadWelcomePage();

    QString m_qsFactoryPassword;
    quint16 m_uUsbVid = 0x04D8;
    quint16 m_uUsbPid = 0x0204;
    quint16 m_uTcpPort = 50000;
    bool m_bTraceEnabled = false;
    bool m_bTraceSave = false;
    unsigned int m_uTraceFileSizeMB = 1;
    bool m_bFactoryMode = false;
    QStringList m_LastEthIPs;
    QString m_qsCompanyLogo;
    QString m_qsCompanyInfo;
    QString m_qsCompanyInfoCodec = QStringLiteral("UTF-8");
    QList<SensorType_t> m_SensorTypes;
    QList<FixtureType_t> m_FixtureTypes;
    QStringList m_LastProjects;
    QStringList m_ScriptsHistory;
    QStringList m_SdramReadHistory;
    QStringList m_SdramWriteHistory;
};

extern CSoftConf g_SoftConf;
