// The main window's project commands (new, open, save, save as, recent projects), the turning
// of project records into scene items, and the project's download to the VPU and upload from
// it. Both transfers are step machines: each step posts one request and returns; the answer
// slot takes the next step or ends the run in one Done function, which reports, disconnects
// the answers and enables the window again.
#include "mainwindow/zelvor.h"

#include "config/catalogue.h"
#include "config/dmxconf.h"
#include "config/softconf.h"
#include "mainwindow/errorcodes.h"
#include "mainwindow/prompts.h"
#include "mainwindow/ui_zelvor.h"
#include "panels/device/dmxconfig.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/videoinput.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/workspace.h"
#include "project/projectconf.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "trace/trace.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kOutputCount = 4;
constexpr int kRecentMax = 10;

// The top four bits of a type code tell a SASU from an LPU.
quint32 KindBits(quint32 uType)
{
    return uType & 0xF0000000u;
}

quint32 FixtureType(const CFixture *pFixture)
{
    FixtureType_t tType;
    pFixture->GetType(&tType);
    return tType.type;
}

// A count of the VPU's fixture numbers: 0xFFFF means none.
quint32 UploadCount(qint16 sCount)
{
    const quint16 usCount = quint16(sCount);
    return usCount == 0xFFFF ? 0 : usCount;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Download

void Zelvor::DisconnectAll(QList<QMetaObject::Connection> &lConnections)
{
    for (const QMetaObject::Connection &connection : lConnections)
        disconnect(connection);
    lConnections.clear();
}

void Zelvor::DownloadProject()
{
    if (AskYesNo(tr("Configuration Download to VPU"),
                 tr("Do you want to download the current configuration to connected VPU ?")) != 1)
        return;
    // Every fixture of the scene is checked, not the chain of not-cabled fixtures: the chains
    // are rebuilt only by some edits (not when fixtures are added), and a fixture left out of
    // them would be left out of the download without a word.
    for (const CFixture *pFixture : AllFixtures()) {
        quint32 uOutput = 0;
        pFixture->GetNumber(&uOutput, nullptr);
        if (uOutput < 1 || uOutput > kOutputCount) {
            ErrorMsg(tr("Invalid project configuration: All fixtures are not cabled!"), 0);
            return;
        }
    }
    const int iStatus = StartDownload();
    if (iStatus != 0)
        DownloadDone(iStatus);
}

int Zelvor::StartDownload()
{
    TraceInfo("Downloading project to VPU...");
    setEnabled(false);
    m_iDownloadStep = 0;
    m_iSlotPhase = 0;
    m_DownloadAddr = {1, 1};
    m_iDownloadTotal = 0;
    m_iDownloadIndex = 1;
    m_DownloadTextShown.invalidate();
    m_VpuFixturesNum = FixturesNum_t{};

    // Each output's fixtures by number: the configuration written for number n must go to
    // the fixture the VPU enumerated as n, whatever order the scene keeps its items in.
    for (QList<CFixture *> &lChain : m_DownloadChains)
        lChain.clear();
    for (CFixture *pFixture : AllFixtures()) {
        quint32 uOutput = 0;
        pFixture->GetNumber(&uOutput, nullptr);
        if (uOutput >= 1 && uOutput <= kOutputCount)
            m_DownloadChains[uOutput - 1].append(pFixture);
    }
    for (QList<CFixture *> &lChain : m_DownloadChains) {
        std::stable_sort(lChain.begin(), lChain.end(), [](const CFixture *pA, const CFixture *pB) {
            quint32 uA = 0, uB = 0;
            pA->GetNumber(nullptr, &uA);
            pB->GetNumber(nullptr, &uB);
            return uA < uB;
        });
    }

    DisconnectAll(m_DownloadConnections);
    m_DownloadConnections = {
        connect(&m_VpuCom, &CVpuCom::sigFixturesNumbersMsg, this, &Zelvor::s_OnDownloadGetFixturesNumbersDone),
        connect(&m_VpuCom, &CVpuCom::sigGetFixtureConfigMsg, this, &Zelvor::s_OnDownloadGetFixtureConfigDone),
        connect(&m_VpuCom, &CVpuCom::sigWriteFixtureConfigMsg, this, &Zelvor::s_OnDownloadWriteFixtureConfigDone),
        connect(&m_VpuCom, &CVpuCom::sigVideoPresetWrite, this, &Zelvor::s_OnDownloadWriteVideoPresetDone),
        connect(&m_VpuCom, &CVpuCom::sigDmxMapWrite, this, &Zelvor::s_OnDownloadWriteDmxDone),
        connect(&m_VpuCom, &CVpuCom::sigResetFixturesMsg, this, &Zelvor::s_OnDownloadResetFixturesDone),
    };
    return DownloadStep();
}

CFixture *Zelvor::NextDownloadFixture()
{
    while (m_DownloadAddr.output >= 1 && m_DownloadAddr.output <= kOutputCount) {
        const QList<CFixture *> &lChain = m_DownloadChains[m_DownloadAddr.output - 1];
        if (m_DownloadAddr.number >= 1 && m_DownloadAddr.number <= quint32(lChain.size()))
            return lChain.at(qsizetype(m_DownloadAddr.number) - 1);
        m_DownloadAddr.output = quint8(m_DownloadAddr.output + 1);
        m_DownloadAddr.number = 1;
    }
    return nullptr;
}

int Zelvor::DownloadStep()
{
    constexpr qint64 kFrameMs = 16;
    switch (m_iDownloadStep) {
    case 0:
        StatusMessage(0, tr("Checking fixture number connected to VPU..."), 0);
        m_VpuCom.FixtGetNumber();
        return 0;
    case 1:
        // The text stays up for the whole check: painting it again for every fixture would
        // cost more than the check itself.
        if (m_DownloadAddr.output == 1 && m_DownloadAddr.number == 1)
            StatusMessage(0, tr("Checking fixture types..."), 0);
        if (NextDownloadFixture()) {
            TraceInfo("Checking fixture type (SASU or LPU) of F%d.%d...", m_DownloadAddr.output,
                      int(m_DownloadAddr.number));
            m_VpuCom.FixtGetConfig(m_DownloadAddr);
            return 0;
        }
        m_DownloadAddr = {1, 1};
        m_iDownloadStep = 2;
        [[fallthrough]];
    case 2:
        if (CFixture *pFixture = NextDownloadFixture()) {
            // The text changes faster than the screen shows frames: it is traced every time but
            // painted at most once a frame, and always for the last fixture.
            const QString qsText =
                tr("Writing configuration on fixture %1/%2...").arg(m_iDownloadIndex).arg(m_iDownloadTotal);
            if (m_iDownloadIndex >= m_iDownloadTotal || !m_DownloadTextShown.isValid() ||
                m_DownloadTextShown.elapsed() >= kFrameMs) {
                StatusMessage(0, qsText, 0);
                m_DownloadTextShown.start();
            } else {
                TraceInfo("%s", qsText.toUtf8().constData());
            }
            ++m_iDownloadIndex;
            // A block the link refuses would never be answered: that ends the run here.
            const int iStatus = pFixture->WriteConfig();
            return iStatus == 0 ? 0 : DownloadDone(iStatus);
        }
        m_DownloadAddr.number = 1;
        m_iDownloadStep = 3;
        [[fallthrough]];
    case 3: {
        StatusMessage(0, tr("Writing Video presettings..."), 0);
        VideoPreset_t tPreset;
        g_ProjectConf.GetVideoInputPacked(&tPreset.VideoSettings);
        g_ProjectConf.GetInputCorr(&tPreset.InputCorr);
        g_ProjectConf.GetOutputCorr(&tPreset.OutputCorr);
        if (m_iSlotPhase == 0) {
            m_VpuCom.VideoPresetWrite(1, tPreset);
            m_iSlotPhase = 1;
        } else {
            m_VpuCom.VideoPresetWrite(0, tPreset);
            m_iSlotPhase = 0;
            m_iDownloadStep = 4;
        }
        return 0;
    }
    case 4: {
        StatusMessage(0, tr("Writing DMX mapping..."), 0);
        QList<DMX_Mapping_t> lMapping;
        m_pDMXConfig->GetDmxMapping(lMapping);
        if (m_iSlotPhase == 0) {
            m_VpuCom.DmxMapWrite(1, lMapping);
            m_iSlotPhase = 1;
        } else {
            m_VpuCom.DmxMapWrite(0, lMapping);
            m_iSlotPhase = 0;
            m_iDownloadStep = 5;
        }
        return 0;
    }
    case 5:
        StatusMessage(0, tr("Resetting fixtures..."), 0);
        m_VpuCom.ResetFixtures();
        m_iDownloadStep = 6;
        return 0;
    case 6:
        return DownloadDone(0);
    default:
        return DownloadDone(-1);
    }
}

void Zelvor::s_OnDownloadGetFixturesNumbersDone(int iStatus, FixturesNum_t tNumbers)
{
    if (iStatus != 0) {
        DownloadDone(iStatus);
        return;
    }
    m_iDownloadTotal = 0;
    m_iDownloadIndex = 1;
    m_DownloadTextShown.invalidate();
    m_VpuFixturesNum = tNumbers;
    bool bFailed = false;
    for (int i = 0; i < kOutputCount; ++i) {
        const int iOutput = i + 1;
        const int iVpuLpus = tNumbers.LpuNumber[i];
        const int iVpuSasus = tNumbers.SasuNumber[i];
        m_iDownloadTotal += iVpuLpus + iVpuSasus;

        const QList<CFixture *> &lChain = m_DownloadChains[i];
        int iLpus = 0, iSasus = 0;
        // The fixtures of an output must be numbered exactly 1..count: a gap or a duplicate
        // would send a configuration to another fixture's address and keep it there.
        bool bNumbered = true;
        for (qsizetype n = 0; n < lChain.size(); ++n) {
            if (IsSasuType(FixtureType(lChain.at(n))))
                ++iSasus;
            else
                ++iLpus;
            quint32 uNumber = 0;
            lChain.at(n)->GetNumber(nullptr, &uNumber);
            if (uNumber != quint32(n + 1))
                bNumbered = false;
        }

        if (tNumbers.Enumerated[i] != 1) {
            ErrorMsg(tr("Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_%1)!").arg(iOutput), 0);
            bFailed = true;
        } else if (iVpuLpus != iLpus) {
            ErrorMsg(tr("Invalid scene configuration: VPU detects %1 LPUs on HDMI_OUT_%2 although project requires %3 "
                        "LPUs!")
                         .arg(iVpuLpus)
                         .arg(iOutput)
                         .arg(iLpus),
                     0);
            bFailed = true;
        } else if (iVpuSasus != iSasus) {
            ErrorMsg(tr("Invalid scene configuration: VPU detects %1 SASUs on HDMI_OUT_%2 although project requires %3 "
                        "SASUs!")
                         .arg(iVpuSasus)
                         .arg(iOutput)
                         .arg(iSasus),
                     0);
            bFailed = true;
        } else if (!bNumbered) {
            ErrorMsg(tr("Invalid scene configuration: The fixtures on HDMI_OUT_%1 are not numbered 1 to %2 as the VPU "
                        "enumerated them!")
                         .arg(iOutput)
                         .arg(lChain.size()),
                     0);
            bFailed = true;
        }
    }
    if (bFailed) {
        DownloadDone(-1);
        return;
    }
    m_DownloadAddr = {1, 1};
    m_iDownloadStep = 1;
    DownloadStep();
}

void Zelvor::s_OnDownloadGetFixtureConfigDone(int iStatus, FixtureConfig_t tConfig, SasuConfig_t)
{
    if (iStatus != 0) {
        DownloadDone(iStatus);
        return;
    }
    const CFixture *pFixture = NextDownloadFixture();
    if (!pFixture) {
        DownloadDone(-1);
        return;
    }
    const int iOutput = m_DownloadAddr.output;
    const int iNumber = int(m_DownloadAddr.number);
    if (KindBits(tConfig.Type) != KindBits(FixtureType(pFixture))) {
        ErrorMsg(tr("Invalid scene configuration: Type of fixture (SASU or LPU) read from F%1.%2 is not the same that "
                    "in the project configuration!")
                     .arg(iOutput)
                     .arg(iNumber),
                 0);
        DownloadDone(-1);
        return;
    }
    TraceSuccess("Type Fixture %d.%d is correct!", iOutput, iNumber);
    m_DownloadAddr.number = m_DownloadAddr.number + 1;
    DownloadStep();
}

void Zelvor::s_OnDownloadWriteFixtureConfigDone(int iStatus)
{
    if (iStatus != 0) {
        DownloadDone(iStatus);
        return;
    }
    m_DownloadAddr.number = m_DownloadAddr.number + 1;
    DownloadStep();
}

void Zelvor::s_OnDownloadWriteVideoPresetDone(int iStatus)
{
    if (iStatus != 0)
        DownloadDone(iStatus);
    else
        DownloadStep();
}

void Zelvor::s_OnDownloadWriteDmxDone(int iStatus)
{
    if (iStatus != 0)
        DownloadDone(iStatus);
    else
        DownloadStep();
}

void Zelvor::s_OnDownloadResetFixturesDone(int iStatus)
{
    if (iStatus != 0)
        DownloadDone(iStatus);
    else
        DownloadStep();
}

int Zelvor::DownloadDone(int iStatus)
{
    // No answer may reach the machine once it has ended, even while the box is up.
    DisconnectAll(m_DownloadConnections);
    for (QList<CFixture *> &lChain : m_DownloadChains)
        lChain.clear();
    if (iStatus == 0) {
        TraceSuccess("Project downloaded to VPU!");
        StatusMessage(1, tr("Project downloaded to VPU!"), 3000);
    } else {
        ErrorMsg(tr("Failed to download project to VPU!"), 0);
        StatusMessage(2, tr("Failed to download project to VPU!"), 3000);
    }
    setEnabled(true);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Upload

int Zelvor::UploadProject()
{
    // The question comes first; the current project is replaced only when the upload has
    // everything, so a failed upload costs the user nothing.
    const int iStatus = AskSaveProject();
    if (iStatus != 0)
        return iStatus;
    const int iStart = StartUpload();
    if (iStart != 0)
        UploadDone(iStart);
    return 0;
}

int Zelvor::StartUpload()
{
    TraceInfo("Uploading project from VPU...");
    setEnabled(false);
    m_iUploadStep = 0;
    m_UploadAddr = {1, 1};
    m_UploadPreset = VideoPreset_t{};
    m_UploadInFormat = VideoInFormat_t{};
    m_iUploadDmxCount = 0;
    m_UploadDmxMapping.clear();
    m_UploadFixturesNum = FixturesNum_t{};
    m_UploadFixtures.clear();
    m_UploadGroups.clear();

    DisconnectAll(m_UploadConnections);
    m_UploadConnections = {
        connect(&m_VpuCom, &CVpuCom::sigVideoPresetRead, this, &Zelvor::s_OnUploadVideoPresetDone),
        connect(&m_VpuCom, &CVpuCom::sigGetVideoInputFormat, this, &Zelvor::s_OnUploadGetVideoInputFormatDone),
        connect(&m_VpuCom, &CVpuCom::sigDmxMapRead, this, &Zelvor::s_OnUploadDmxReadFromVpuDone),
        connect(&m_VpuCom, &CVpuCom::sigFixturesNumbersMsg, this, &Zelvor::s_OnUploadGetFixturesNumbersDone),
        connect(&m_VpuCom, &CVpuCom::sigGetFixtureConfigMsg, this, &Zelvor::s_OnUploadGetFixtureConfigDone),
    };
    return UploadStep();
}

int Zelvor::UploadStep()
{
    switch (m_iUploadStep) {
    case 0:
        m_VpuCom.VideoPresetRead(0);
        return 0;
    case 1:
        m_VpuCom.GetVideoInputFormat(m_UploadPreset.VideoSettings.Channel);
        return 0;
    case 2:
        m_VpuCom.DmxMapRead(0);
        return 0;
    case 3:
        m_VpuCom.FixtGetNumber();
        return 0;
    case 4:
        while (m_UploadAddr.output >= 1 && m_UploadAddr.output <= kOutputCount) {
            const int i = m_UploadAddr.output - 1;
            quint32 uCount = 0;
            if (m_UploadFixturesNum.Enumerated[i] == 1)
                uCount = UploadCount(m_UploadFixturesNum.LpuNumber[i]) + UploadCount(m_UploadFixturesNum.SasuNumber[i]);
            if (m_UploadAddr.number <= uCount) {
                m_VpuCom.FixtGetConfig(m_UploadAddr);
                return 0;
            }
            m_UploadAddr.output = quint8(m_UploadAddr.output + 1);
            m_UploadAddr.number = 1;
        }
        return UploadDone(0);
    default:
        return UploadDone(-1);
    }
}

void Zelvor::s_OnUploadVideoPresetDone(int iStatus, VideoPreset_t tPreset)
{
    if (iStatus != 0) {
        UploadDone(iStatus);
        return;
    }
    m_UploadPreset = tPreset;
    m_iUploadStep = 1;
    UploadStep();
}

void Zelvor::s_OnUploadGetVideoInputFormatDone(int iStatus, VideoInFormat_t tFormat)
{
    if (iStatus != 0) {
        UploadDone(iStatus);
        return;
    }
    m_UploadInFormat = tFormat;
    m_iUploadStep = 2;
    UploadStep();
}

void Zelvor::s_OnUploadDmxReadFromVpuDone(int iStatus, short sCount, QByteArray baData)
{
    if (iStatus != 0) {
        UploadDone(iStatus);
        return;
    }
    m_iUploadDmxCount = sCount;
    m_UploadDmxMapping.clear();
    // Never more entries than the bytes received hold.
    const qsizetype iEntries =
        std::min<qsizetype>(sCount > 0 ? sCount : 0, baData.size() / qsizetype(sizeof(DMX_Mapping_t)));
    for (qsizetype i = 0; i < iEntries; ++i) {
        DMX_Mapping_t tEntry;
        std::memcpy(&tEntry, baData.constData() + i * qsizetype(sizeof(DMX_Mapping_t)), sizeof(DMX_Mapping_t));
        m_UploadDmxMapping.append(tEntry);
    }
    m_iUploadStep = 3;
    UploadStep();
}

void Zelvor::s_OnUploadGetFixturesNumbersDone(int iStatus, FixturesNum_t tNumbers)
{
    if (iStatus != 0) {
        UploadDone(iStatus);
        return;
    }
    m_UploadFixturesNum = tNumbers;
    m_iUploadStep = 4;
    UploadStep();
}

void Zelvor::s_OnUploadGetFixtureConfigDone(int iStatus, FixtureConfig_t tConfig, SasuConfig_t tSasu)
{
    if (iStatus != 0) {
        UploadDone(iStatus);
        return;
    }
    const int iOutput = m_UploadAddr.output;
    const int iNumber = int(m_UploadAddr.number);
    FixtureType_t tType;
    const int iType = g_SoftConf.GetFixtureType(tConfig.Type, &tType);
    if (iType != 0) {
        TraceError("Unknown fixture type 0x%08X (F%d.%d)!", tConfig.Type, iOutput, iNumber);
        UploadDone(iType);
        return;
    }

    ProjectFixture_t tFixture = DefaultProjectFixture();
    tFixture.output = m_UploadAddr.output;
    tFixture.number = m_UploadAddr.number;
    tFixture.type = tConfig.Type;
    tFixture.placement = MakeRotationInfo(tConfig.PosX, tConfig.PosY, tConfig.AnchorX, tConfig.AnchorY, tConfig.Angle);
    tFixture.group = tConfig.GroupNumber;
    tFixture.boardType = qint32(tConfig.SerialNumber);
    const quint32 uRegister = tConfig.LuminosityReg;
    tFixture.intensity =
        MakeIntensity(quint8(std::min<quint16>(tConfig.LuminosityGlobal, 100)), quint16((uRegister >> 20) & 0x3FF),
                      quint16((uRegister >> 10) & 0x3FF), quint16(uRegister & 0x3FF));
    tFixture.sasuConfig = tSasu;
    m_UploadFixtures.append(tFixture);

    const quint16 uGroup = tConfig.GroupNumber;
    if (uGroup != 0 && std::none_of(m_UploadGroups.cbegin(), m_UploadGroups.cend(),
                                    [uGroup](const ProjectGroup_t &g) { return g.info.number == uGroup; })) {
        ProjectGroup_t tGroup;
        tGroup.info = MakeGroupInfo(uGroup, tr("Group %1").arg(uGroup));
        tGroup.placement = MakeRotationInfo(0, 0, tConfig.GroupAnchorX, tConfig.GroupAnchorY, tConfig.GroupAngle);
        m_UploadGroups.append(tGroup);
    }

    m_UploadAddr.number = m_UploadAddr.number + 1;
    UploadStep();
}

int Zelvor::UploadDone(int iStatus)
{
    DisconnectAll(m_UploadConnections);
    if (iStatus != 0) {
        ErrorMsg(tr("Failed to upload project from VPU!"), iStatus);
        setEnabled(true);
        return 0;
    }

    TraceInfo("Creating New Project with uploaded settings from VPU ...");
    VideoInputSettings_t tVideo;
    VideoInput::UnpackVideoSettings(m_UploadPreset.VideoSettings, &tVideo);
    if (m_UploadPreset.VideoSettings.ScalingEnabled == 0) {
        // Without scaling the picture keeps the input's own size; no signal, no area.
        if (m_UploadInFormat.RxLock != 0) {
            tVideo.area.x2 = tVideo.area.x1 + m_UploadInFormat.Width - 1;
            tVideo.area.y2 = tVideo.area.y1 + m_UploadInFormat.Height - 1;
        } else {
            tVideo.area.x2 = tVideo.area.x1 - 1;
            tVideo.area.y2 = tVideo.area.y1 - 1;
        }
    }

    // The items are made before anything of the current project goes: a build that fails
    // (it reports why) leaves the project as it was.
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    if (BuildSceneFromProject(m_UploadFixtures, m_UploadGroups, lFixtures, lGroups) == 0) {
        ClearProject();
        m_pDMXConfig->SetDmxMapping(m_UploadDmxMapping);
        AddItemToScene(lFixtures, lGroups);
        m_pVideoInput->SetVideoSettings(tVideo.source, tVideo.rotation, tVideo.resizeType, tVideo.standardFormat,
                                        tVideo.topLeftPosition, tVideo.area);
        SetColorCorrections(m_UploadPreset.InputCorr, m_UploadPreset.OutputCorr);
        g_ProjectConf.SetFixturesAndGroups(AllFixtures(), Groups());
        TraceSuccess("Project uploaded from VPU!");
    }
    setEnabled(true);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Scene building

int Zelvor::BuildSceneFromProject(const QList<ProjectFixture_t> &lFixtures, const QList<ProjectGroup_t> &lGroups,
                                  QList<CFixture *> &lOutFixtures, QList<CFixtureGroup *> &lOutGroups)
{
    QList<CFixture *> lMade;
    QList<CFixtureGroup *> lMadeGroups;
    QList<CFixture *> lTopLevel;
    // Fixtures first: each one leaves its group as it goes, so no group deletes a member twice.
    const auto fail = [&](int iStatus) {
        qDeleteAll(lMade);
        qDeleteAll(lMadeGroups);
        return iStatus;
    };

    for (const ProjectFixture_t &tRecord : lFixtures) {
        auto *pFixture = new CFixture(&m_Scene);
        lMade.append(pFixture);
        const int iStatus = pFixture->SetConfig(tRecord);
        if (iStatus != 0) {
            ErrorMsg(tr("Failed to create fixture!"), iStatus);
            return fail(iStatus);
        }
    }
    for (const ProjectGroup_t &tRecord : lGroups) {
        auto *pGroup = new CFixtureGroup(&m_Scene);
        lMadeGroups.append(pGroup);
        pGroup->SetInfo(tRecord.info);
        // The group's origin goes onto its anchor: the group turns about that point.
        pGroup->setPos(tRecord.placement.anchorX, tRecord.placement.anchorY);
        pGroup->SetAnchorPos(tRecord.placement.anchorX, tRecord.placement.anchorY);
        pGroup->setRotation(tRecord.placement.angle);
    }
    for (qsizetype k = 0; k < lMade.size(); ++k) {
        const quint16 uGroup = lFixtures.at(k).group;
        if (uGroup == 0) {
            lTopLevel.append(lMade.at(k));
            continue;
        }
        const auto it = std::find_if(lGroups.cbegin(), lGroups.cend(),
                                     [uGroup](const ProjectGroup_t &g) { return g.info.number == uGroup; });
        if (it == lGroups.cend()) {
            ErrorMsg(tr("Unknown fixture group number %1!").arg(uGroup), 0);
            return fail(-1);
        }
        lMadeGroups.at(it - lGroups.cbegin())->AddFixture(lMade.at(k));
    }

    // A group of one is no group: its fixture stays where it is on the screen, turned by its
    // own and the group's angle together.
    for (qsizetype g = 0; g < lMadeGroups.size();) {
        CFixtureGroup *pGroup = lMadeGroups.at(g);
        QList<CFixture *> lMembers;
        pGroup->GetFixtures(lMembers);
        if (lMembers.size() != 1) {
            ++g;
            continue;
        }
        CFixture *pFixture = lMembers.first();
        DetachFromGroup(pFixture, pGroup);
        lTopLevel.append(pFixture);
        lMadeGroups.removeAt(g);
        delete pGroup;
    }

    lOutFixtures.append(lTopLevel);
    lOutGroups.append(lMadeGroups);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Project commands

int Zelvor::AskSaveProject()
{
    const int iAnswer = AskYesNoCancel(tr("Save Project ?"), tr("Do you want to save the current project?"));
    if (iAnswer == 0)
        return -15;
    if (iAnswer == 1)
        return SaveCurrentProject();
    return 0;
}

int Zelvor::NewProject(bool bAsk)
{
    if (bAsk) {
        const int iStatus = AskSaveProject();
        if (iStatus != 0)
            return iStatus;
    }
    ClearProject();
    return 0;
}

void Zelvor::SetColorCorrections(const InputCorr_t &tInputCorr, const OutputCorr_t &tOutputCorr)
{
    g_ProjectConf.SetInputCorr(tInputCorr);
    g_ProjectConf.SetOutputCorr(tOutputCorr);
    InputCorr_t tInputKept;
    g_ProjectConf.GetInputCorr(&tInputKept);
    OutputCorr_t tOutputKept;
    g_ProjectConf.GetOutputCorr(&tOutputKept);
    m_pInputColorCtrl->SetInputCorrection(tInputKept);
    m_pOutputColorCtrl->SetOutputCorrection(tOutputKept);
}

void Zelvor::ClearProject()
{
    ClearScene();
    UpdateFixtureLists();
    m_ProjectLE.setText(tr("New Project"));
    m_pFixtureLists->SetCurrentTab(0);

    VideoInputSettings_t tVideo;
    CProjectConf::DefaultVideoInput(&tVideo);
    m_pVideoInput->SetVideoSettings(tVideo.source, tVideo.rotation, tVideo.resizeType, tVideo.standardFormat,
                                    tVideo.topLeftPosition, tVideo.area);
    WorkspaceSettings_t tWorkspace;
    CProjectConf::DefaultWorkspace(&tWorkspace);
    g_ProjectConf.SetWorkspace(tWorkspace);
    g_ProjectConf.GetWorkspace(&tWorkspace);
    m_pWorkspace->SetWorkspaceSettings(tWorkspace);
    // The scene takes the defaults whatever the panel's controls showed before.
    const PixelRect_t &b = tWorkspace.border;
    SetBorder(tWorkspace.borderShown, b.x1, b.y1, b.x2, b.y2);
    SetBackground(tWorkspace.background);
    SetGridSpace(tWorkspace.gridShown, int(tWorkspace.gridSpacing));
    InputCorr_t tInputCorr;
    CProjectConf::DefaultInputCorr(&tInputCorr);
    OutputCorr_t tOutputCorr;
    CProjectConf::DefaultOutputCorr(&tOutputCorr);
    SetColorCorrections(tInputCorr, tOutputCorr);
    QList<DMX_Mapping_t> lMapping;
    CDmxConf::SetDefaultCommands(lMapping);
    m_pDMXConfig->SetDmxMapping(lMapping);

    // A new project belongs to no file: a save must ask for a name, never write over the
    // file the previous project came from.
    g_ProjectConf.ClearRecords();
    g_ProjectConf.SetFileName(QString());
}

int Zelvor::SaveProject(const QString &qsPath)
{
    TraceInfo("Save project settings on '%s'...", U8(qsPath).constData());
    WorkspaceSettings_t tWorkspace;
    GetWorkspace(&tWorkspace);
    g_ProjectConf.SetWorkspace(tWorkspace);
    // Loose fixtures first, then each group's members: the order in which opening the file
    // lists them, so that a project opened and saved again gives the same file.
    QList<CFixture *> lSaved = m_TopFixtures;
    for (const CFixtureGroup *pGroup : std::as_const(m_Groups)) {
        QList<CFixture *> lMembers;
        pGroup->GetFixtures(lMembers);
        lSaved.append(lMembers);
    }
    g_ProjectConf.SetFixturesAndGroups(lSaved, Groups());
    int iStatus = g_ProjectConf.Write();
    if (iStatus == 0)
        iStatus = g_ProjectConf.Save(qsPath);
    if (iStatus != 0) {
        ErrorMsg(tr("Failed to save project to '%1'!").arg(qsPath), -13);
        return -13;
    }
    g_ProjectConf.SetFileName(qsPath);
    SetProjectText(qsPath);
    return 0;
}

int Zelvor::SaveProjectAs()
{
    QString qsName;
    g_ProjectConf.GetFileName(qsName);
    const int iSlash = qsName.lastIndexOf(QLatin1Char('/'));
    const QString qsFolder = iSlash >= 0 ? qsName.left(iSlash) : QStringLiteral("Projects");
    const QString qsPath = WithDefaultSuffix(
        Prompts::Instance().GetSaveFileName(this, tr("Save Project - Choose Project Configuration file"), qsFolder,
                                            QStringLiteral("*.prj")),
        QStringLiteral("prj"));
    if (qsPath.isEmpty())
        return -15;
    return SaveProject(qsPath);
}

int Zelvor::SaveCurrentProject()
{
    QString qsName;
    if (g_ProjectConf.GetFileName(qsName) != 0)
        return SaveProjectAs();
    return SaveProject(qsName);
}

int Zelvor::LoadProject(const QString &qsPath)
{
    TraceInfo("Load Project settings from '%s' ...", U8(qsPath).constData());
    // The file is read into a project of its own and turned into items before anything of
    // the current project goes: a file that does not open, parse or build leaves it whole.
    CProjectConf file;
    int iStatus = file.Open(qsPath);
    if (iStatus == -20)
        ShowErrorBox(tr("Error"), tr("Failed to parse configuration file!"),
                     ErrorCodeDetail(iStatus) + QLatin1Char('\n') + tr("'%1' %2").arg(qsPath, file.ParseError()));
    if (iStatus == 0)
        iStatus = file.Parse();
    QList<CFixture *> lFixtures;
    QList<CFixtureGroup *> lGroups;
    if (iStatus == 0) {
        file.SetSceneBuilder([this, &iStatus](const QList<ProjectFixture_t> &lFixtureRecords,
                                              const QList<ProjectGroup_t> &lGroupRecords, QList<CFixture *> &lOut,
                                              QList<CFixtureGroup *> &lOutGroups) {
            iStatus = BuildSceneFromProject(lFixtureRecords, lGroupRecords, lOut, lOutGroups);
            return iStatus;
        });
        file.BuildScene(lFixtures, lGroups);
    }
    if (iStatus != 0)
        return iStatus;

    ClearProject();
    WorkspaceSettings_t tWorkspace;
    file.GetWorkspace(&tWorkspace);
    g_ProjectConf.SetWorkspace(tWorkspace);
    g_ProjectConf.GetWorkspace(&tWorkspace);
    m_pWorkspace->SetWorkspaceSettings(tWorkspace);
    VideoInputSettings_t tVideo;
    file.GetVideoInput(&tVideo);
    m_pVideoInput->SetVideoSettings(tVideo.source, tVideo.rotation, tVideo.resizeType, tVideo.standardFormat,
                                    tVideo.topLeftPosition, tVideo.area);
    InputCorr_t tInputCorr;
    file.GetInputCorr(&tInputCorr);
    OutputCorr_t tOutputCorr;
    file.GetOutputCorr(&tOutputCorr);
    SetColorCorrections(tInputCorr, tOutputCorr);
    AddItemToScene(lFixtures, lGroups);
    g_ProjectConf.SetFixturesAndGroups(AllFixtures(), Groups());
    g_ProjectConf.SetFileName(qsPath);
    SetProjectText(qsPath);
    return 0;
}

void Zelvor::AddLastProject(const QString &qsPath)
{
    m_LastProjects.removeAll(qsPath);
    m_LastProjects.prepend(qsPath);
    while (m_LastProjects.size() > kRecentMax)
        m_LastProjects.removeLast();
    g_SoftConf.UpdateLastProjects(m_LastProjects);
    g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
}

void Zelvor::CreateRecentActions()
{
    for (int i = 0; i < kRecentMax; ++i) {
        auto *pAction = new QAction(this);
        pAction->setVisible(false);
        pAction->setData(i);
        connect(pAction, &QAction::triggered, this, &Zelvor::s_OnOpenLastProjectMenu);
        m_pUi->menuRecent_Projects->addAction(pAction);
        m_RecentActions.append(pAction);
    }
    UpdateRecentProjectsMenu();
}

int Zelvor::UpdateRecentProjectsMenu()
{
    g_SoftConf.GetLastProjects(m_LastProjects);
    const int iCount = int(std::min<qsizetype>(m_LastProjects.size(), kRecentMax));
    if (m_LastProjects.size() <= kRecentMax)
        m_pUi->menuRecent_Projects->setEnabled(iCount > 0);
    for (int i = 0; i < m_RecentActions.size(); ++i) {
        QAction *pAction = m_RecentActions.at(i);
        if (i < iCount) {
            pAction->setText(m_LastProjects.at(i));
            pAction->setData(i);
            pAction->setVisible(true);
        } else {
            pAction->setVisible(false);
        }
    }
    return 0;
}

int Zelvor::LoadLastProject(int iIndex)
{
    if (iIndex < 0 || iIndex >= m_LastProjects.size())
        return -4;
    const QString qsPath = m_LastProjects.at(iIndex);
    int iStatus = AskSaveProject();
    if (iStatus != 0)
        return iStatus;
    TraceInfo("Loading Last Project %d - '%s'...", iIndex, U8(qsPath).constData());
    iStatus = LoadProject(qsPath);
    if (iStatus != 0 && !QFileInfo::exists(qsPath)) {
        // The user has been told; a file that is gone stays out of the menu from now on.
        m_LastProjects.removeAll(qsPath);
        g_SoftConf.UpdateLastProjects(m_LastProjects);
        g_SoftConf.Save(QStringLiteral("Lantrel.xml"));
        UpdateRecentProjectsMenu();
    }
    if (iStatus != 0)
        return iStatus;
    AddLastProject(qsPath);
    return UpdateRecentProjectsMenu();
}

void Zelvor::s_OnNewProjectMenu()
{
    TraceInfo("New project ...");
    NewProject(true);
}

void Zelvor::s_OnOpenProjectMenu()
{
    if (AskSaveProject() != 0)
        return;
    const QString qsPath = Prompts::Instance().GetOpenFileName(this, tr("Choose Project Configuration file"),
                                                               QStringLiteral("Projects"), QStringLiteral("*.prj"));
    if (qsPath.isEmpty() || LoadProject(qsPath) != 0)
        return;
    AddLastProject(qsPath);
    UpdateRecentProjectsMenu();
}

void Zelvor::s_OnSaveProjectMenu()
{
    SaveCurrentProject();
}

void Zelvor::s_OnSaveProjectAsMenu()
{
    SaveProjectAs();
}

void Zelvor::s_OnOpenLastProjectMenu()
{
    if (const auto *pAction = qobject_cast<QAction *>(sender()))
        LoadLastProject(pAction->data().toInt());
}
