// The programming commands of the fixture update panel: firmware (software verified before
// the FPGA image is written), gain tables (one fixture, all fixtures, the big screen cut from
// one gain file) and the LED map.

#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "scene/fixture.h"
#include "trace/trace.h"
#include "update/fixtureupdate.h"
#include "update/gainfile.h"
#include "update/ui_fixtureupdate.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

FixtureAddr_t Address(quint8 ucOutput, quint32 uiNumber)
{
    FixtureAddr_t tAddr{};
    tAddr.output = ucOutput;
    tAddr.number = uiNumber;
    return tAddr;
}

// A fixture hands back whole 32-bit words: reads and compares cover the last one entirely.
quint32 WordRounded(quint32 uiLength)
{
    return (uiLength + 3u) & ~3u;
}

constexpr int ERR_NONE_ENUMERATED = -5;
constexpr int ERR_SHORT_READ = -302;

} // namespace

// ---- firmware ----

void FixtureUpdate::s_OnFirmProgFixtBtn()
{
    if (m_pSelectedFixture)
        TraceInfo("Updating Fixture %s...", U8(m_pSelectedFixture->GetName()).constData());
    StartFirmwareUpdate(m_SelectedAddr, false);
}

void FixtureUpdate::s_OnFirmProgAllBtn()
{
    TraceInfo("Updating all fixtures in broadcast mode...");
    StartFirmwareUpdate(Address(255, 0xFFFFFFFFu), false);
}

void FixtureUpdate::s_OnFirmProgAllSafeBtn()
{
    TraceInfo("Updating all fixtures safe firmware in broadcast mode...");
    StartFirmwareUpdate(Address(255, 0xFFFFFFFFu), true);
}

void FixtureUpdate::LinkFirmware(bool bLink)
{
    CVpuCom *pCom = Com();
    if (bLink) {
        connect(pCom, &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnProgFirmwareDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigEraseFixtureFlashMsg, this, &FixtureUpdate::s_OnEraseFixtureFlashDone,
                Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigFixturesNumbersMsg, this, &FixtureUpdate::s_OnFixturesNumbersDone,
                Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigReadFixtureMemMsg, this, &FixtureUpdate::s_OnFixtMemRdDone, Qt::UniqueConnection);
    } else {
        disconnect(pCom, &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnProgFirmwareDone);
        disconnect(pCom, &CVpuCom::sigEraseFixtureFlashMsg, this, &FixtureUpdate::s_OnEraseFixtureFlashDone);
        disconnect(pCom, &CVpuCom::sigFixturesNumbersMsg, this, &FixtureUpdate::s_OnFixturesNumbersDone);
        disconnect(pCom, &CVpuCom::sigReadFixtureMemMsg, this, &FixtureUpdate::s_OnFixtMemRdDone);
    }
}

int FixtureUpdate::StartFirmwareUpdate(FixtureAddr_t tAddr, bool bSafe)
{
    m_iFirmwareStep = 0;
    m_TargetAddr = tAddr;
    m_ucOutputIndex = 0;
    m_uiFixtureNumber = 0;
    m_bSafe = bSafe;
    if (!m_bOnline || !m_pSelectedFixture)
        return 0;
    const QString qsFpga = m_pUi->m_pFirmFpgaFileLE->text();
    const QString qsSoft = m_pUi->m_pFirmSoftFileLE->text();
    TraceInfo("    FPGA File: %s", U8(qsFpga).constData());
    TraceInfo("    Software File (NIOS): %s", U8(qsSoft).constData());
    qint64 llSize = 0;
    int iStatus = m_pMainWnd->LoadBinaryFile(qsFpga, QStringLiteral(".rbf"), FPGA_IMAGE_SIZE, &llSize, &m_pcFpgaImage);
    if (iStatus != 0)
        return iStatus;
    iStatus = ReadSoftwareFile(&m_pcSoftware);
    if (iStatus != 0) {
        ErrorMsg(tr("Failed to load MCU software file '%1'").arg(qsSoft), iStatus);
        std::free(m_pcFpgaImage);
        m_pcFpgaImage = nullptr;
        return iStatus;
    }
    m_pMainWnd->setDisabled(true);
    m_bFirmwareRunning = true;
    LinkFirmware(true);
    return FirmwareUpdateStep();
}

int FixtureUpdate::ReadSoftwareFile(char **ppcBuffer)
{
    const QString qsName = m_pUi->m_pFirmSoftFileLE->text();
    const QByteArray baName = qsName.toLatin1();
    if (qsName.isEmpty()) {
        TraceError("Software Firmware file name is not valid!");
        return -8;
    }
    if (!qsName.contains(QLatin1String(".bin"), Qt::CaseSensitive)) {
        TraceError("Software Firmware file name is not valid - Doesn't contain extension '%s'", ".bin");
        return -8;
    }
    if (qsName.size() <= 5) {
        TraceError("Software Firmware file name is not valid!");
        return -8;
    }
    QFile file(qsName);
    if (!file.exists()) {
        TraceError("'%s' file doesn't exists!", baName.constData());
        return -9;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        return -10;
    }
    // A longer software would run into the FPGA image behind it, and an empty one is no
    // firmware at all.
    const qint64 llSize = file.size();
    if (llSize <= 0 || llSize > qint64(SOFT_MAX_SIZE)) {
        TraceError("Invalid Software Firmware File Size (%lld Bytes instead of %d Bytes max)", llSize,
                   int(SOFT_MAX_SIZE));
        return -11;
    }
    // Beyond the file the fixture's flash holds erased words: the buffer is padded the same
    // way to its last whole word, so that the read-back covers the file's last bytes too.
    const quint32 uiRounded = WordRounded(quint32(llSize));
    char *pcData = static_cast<char *>(std::malloc(uiRounded));
    if (!pcData) {
        TraceError("Failed to allocate memory to read file data!");
        return -2;
    }
    std::memset(pcData, 0xFF, uiRounded);
    if (file.read(pcData, llSize) != llSize) {
        std::free(pcData);
        TraceError("Failed to read data from file!");
        return -12;
    }
    std::free(*ppcBuffer);
    *ppcBuffer = pcData;
    m_uiSoftLength = quint32(llSize);
    return 0;
}

quint32 FixtureUpdate::TakeCounts(const FixturesNum_t &tNum)
{
    quint32 uiTotal = 0;
    for (int i = 0; i < 4; ++i) {
        m_auiCounts[i] =
            tNum.Enumerated[i] == 1 ? quint32(qMax<int>(0, tNum.LpuNumber[i]) + qMax<int>(0, tNum.SasuNumber[i])) : 0;
        uiTotal += m_auiCounts[i];
    }
    return uiTotal;
}

int FixtureUpdate::NextFixture(FixtureAddr_t *pAddr)
{
    ++m_uiFixtureNumber;
    while (m_ucOutputIndex < 4 && m_auiCounts[m_ucOutputIndex] < m_uiFixtureNumber) {
        ++m_ucOutputIndex;
        m_uiFixtureNumber = 1;
    }
    if (m_ucOutputIndex > 3) {
        TraceError("Cannot find next fixture to be processed!");
        return -4;
    }
    *pAddr = Address(quint8(m_ucOutputIndex + 1), m_uiFixtureNumber);
    return 0;
}

int FixtureUpdate::FirmwareUpdateStep()
{
    CVpuCom *pCom = Com();
    const quint32 uiFpgaOffset = m_bSafe ? SAFE_FPGA_OFFSET : USER_FPGA_OFFSET;
    const quint32 uiSoftOffset = m_bSafe ? SAFE_SOFT_OFFSET : USER_SOFT_OFFSET;
    int iStatus = 0;
    switch (m_iFirmwareStep) {
    case 0:
        TraceInfo(m_bSafe ? "    Corrupting FPGA Safe Firmware by erasing one sector..."
                          : "    Corrupting FPGA User Firmware by erasing one sector...");
        iStatus = pCom->FixtEraseFlash(m_TargetAddr, uiFpgaOffset, 0x10000);
        break;
    case 1:
        TraceInfo(m_bSafe ? "    Programming Software Firmware in safe flash area..."
                          : "    Programming Software Firmware in user flash area...");
        iStatus = pCom->WriteFixtureFlash(m_TargetAddr, uiSoftOffset, m_uiSoftLength,
                                          reinterpret_cast<const quint8 *>(m_pcSoftware));
        break;
    case 2:
        iStatus = pCom->FixtGetNumber();
        break;
    case 3: {
        FixtureMemReq_t tReq{};
        tReq.Addr = m_TargetAddr;
        if (IsBroadcast(m_TargetAddr)) {
            iStatus = NextFixture(&tReq.Addr);
            if (iStatus != 0)
                break;
        }
        TraceInfo("    Verifying Software Firmware of fixture F%d.%d...", tReq.Addr.output, int(tReq.Addr.number));
        tReq.Offset = uiSoftOffset;
        tReq.Size = WordRounded(m_uiSoftLength);
        iStatus = pCom->FixtReadMem(tReq);
        break;
    }
    case 4:
        TraceInfo(m_bSafe ? "    Programming FPGA Safe Firmware in fixture(s)..."
                          : "    Programming FPGA User Firmware in fixture(s)...");
        iStatus = pCom->WriteFixtureFlash(m_TargetAddr, uiFpgaOffset, FPGA_IMAGE_SIZE,
                                          reinterpret_cast<const quint8 *>(m_pcFpgaImage));
        break;
    default:
        return FinishFirmwareUpdate(0);
    }
    // A flash write refused at once has already ended the run through its done signal.
    if (iStatus != 0 && m_bFirmwareRunning)
        FinishFirmwareUpdate(iStatus);
    return iStatus;
}

int FixtureUpdate::FinishFirmwareUpdate(int iStatus)
{
    if (iStatus == 0)
        TraceSuccess("Fixture's Firmware update Done!");
    else
        ErrorMsg(tr("Fixture's Firmware update Failed!"), iStatus);
    std::free(m_pcFpgaImage);
    m_pcFpgaImage = nullptr;
    std::free(m_pcSoftware);
    m_pcSoftware = nullptr;
    m_bFirmwareRunning = false;
    m_pMainWnd->setDisabled(false);
    LinkFirmware(false);
    return iStatus;
}

void FixtureUpdate::s_OnEraseFixtureFlashDone(int iStatus)
{
    // The flash writer of the next step reports each sector it erases through the same signal.
    disconnect(Com(), &CVpuCom::sigEraseFixtureFlashMsg, this, &FixtureUpdate::s_OnEraseFixtureFlashDone);
    if (!m_bFirmwareRunning || m_iFirmwareStep != 0)
        return;
    if (iStatus != 0) {
        FinishFirmwareUpdate(iStatus);
        return;
    }
    m_iFirmwareStep = 1;
    m_ucOutputIndex = 0;
    m_uiFixtureNumber = 0;
    FirmwareUpdateStep();
}

void FixtureUpdate::s_OnProgFirmwareDone(int iStatus)
{
    if (!m_bFirmwareRunning)
        return;
    if (iStatus != 0) {
        FinishFirmwareUpdate(iStatus);
        return;
    }
    if (m_iFirmwareStep == 1)
        m_iFirmwareStep = IsBroadcast(m_TargetAddr) ? 2 : 3;
    else
        m_iFirmwareStep = 5;
    FirmwareUpdateStep();
}

void FixtureUpdate::s_OnFixturesNumbersDone(int iStatus, FixturesNum_t tFixturesNum)
{
    m_uiRemaining = 0;
    if (!m_bFirmwareRunning)
        return;
    if (iStatus != 0) {
        FinishFirmwareUpdate(iStatus);
        return;
    }
    m_uiRemaining = TakeCounts(tFixturesNum);
    if (m_uiRemaining == 0) {
        TraceError("Updating fixture's firmware failed in broadcast! Software can't be verified because no fixture "
                   "is enumerated on VPU!");
        FinishFirmwareUpdate(ERR_NONE_ENUMERATED);
        return;
    }
    m_ucOutputIndex = 0;
    m_uiFixtureNumber = 0;
    m_iFirmwareStep = 3;
    FirmwareUpdateStep();
}

void FixtureUpdate::s_OnFixtMemRdDone(int iStatus, FixtureMemReq_t tReq, QByteArray baData)
{
    if (!m_bFirmwareRunning)
        return;
    const int iOutput = tReq.Addr.output;
    const int iNumber = int(tReq.Addr.number);
    if (iStatus != 0) {
        TraceError("Failed to read software program from fixture's flash! (F%d.%d) (Error = %d)", iOutput, iNumber,
                   iStatus);
        FinishFirmwareUpdate(iStatus);
        return;
    }
    const quint32 uiLength = WordRounded(m_uiSoftLength);
    if (quint32(baData.size()) < uiLength) {
        TraceError("Failed to read software program from fixture's flash! (F%d.%d) (Error = %d)", iOutput, iNumber,
                   ERR_SHORT_READ);
        FinishFirmwareUpdate(ERR_SHORT_READ);
        return;
    }
    TraceInfo("    Software program read from fixture's flash! (F%d.%d)", iOutput, iNumber);
    const int iCompare = CVpuCom::CompareSwapped32(reinterpret_cast<const quint8 *>(m_pcSoftware),
                                                   reinterpret_cast<const quint8 *>(baData.constData()), int(uiLength));
    if (iCompare != 0) {
        TraceError("    Software program is not up to date on fixture's flash! (F%d.%d)", iOutput, iNumber);
        FinishFirmwareUpdate(iCompare);
        return;
    }
    TraceSuccess("    Software program is up to date on fixture's flash! (F%d.%d)", iOutput, iNumber);
    if (IsBroadcast(m_TargetAddr)) {
        --m_uiRemaining;
        m_iFirmwareStep = m_uiRemaining != 0 ? 3 : 4;
    } else {
        m_iFirmwareStep = 4;
    }
    FirmwareUpdateStep();
}

// ---- gain tables ----

void FixtureUpdate::s_OnLpuGainProgBtn()
{
    if (m_pSelectedFixture)
        TraceInfo("Programming FPGA Gain tables in Fixture %s...", U8(m_pSelectedFixture->GetName()).constData());
    ProgramGain(m_SelectedAddr);
}

void FixtureUpdate::s_OnLpuGainProgAllBtn()
{
    TraceInfo("Programming FPGA Gain tables in all fixtures in broadcast mode...");
    ProgramGain(Address(255, 0xFFFFFFFFu));
}

void FixtureUpdate::s_OnLpuGainProgBigScreenBtn()
{
    ProgramGainBigScreen();
}

void FixtureUpdate::FreeImage()
{
    m_baImage = QByteArray();
}

int FixtureUpdate::LoadGainFile(const QString &qsFileName, quint16 *pusHeight, quint16 *pusWidth,
                                std::unique_ptr<CGainTable> *ppTable)
{
    int iStatus = 0;
    int iFormat = -1;
    if (qsFileName.size() < 2) {
        TraceError("Invalid file name! (length<=1)");
        iStatus = -8;
    } else {
        TraceInfo("    Loading gain file '%s'...", qsFileName.toLatin1().constData());
        QCoreApplication::processEvents();
        if (qsFileName.contains(QLatin1String(".eldim")))
            iFormat = COEF_FORMAT_ELDIM;
        else if (qsFileName.contains(QLatin1String(".vu3")))
            iFormat = COEF_FORMAT_VU3;
        else if (qsFileName.contains(QLatin1String(".radiant")))
            iFormat = COEF_FORMAT_RADIANT;
        if (iFormat < 0) {
            TraceError("Invalid file name! (extension is not '%s', '%s' or '%s')", ".eldim", ".vu3", ".radiant");
            iStatus = -8;
        }
    }
    if (iStatus == 0) {
        const bool bCorrect = m_pUi->m_pCorrectVuCoefs->isChecked();
        ppTable->reset(new (std::nothrow) CGainTable);
        if (!*ppTable) {
            TraceError("Failed to allocate memory for gain coefficients!");
            iStatus = -2;
        } else {
            iStatus = CoefReadFile(bCorrect, iFormat, qsFileName, pusHeight, pusWidth, **ppTable);
        }
    }
    if (iStatus != 0) {
        ppTable->reset();
        ErrorMsg(tr("Failed to load gain file '%1'").arg(qsFileName), iStatus);
    }
    return iStatus;
}

int FixtureUpdate::ProgramGain(FixtureAddr_t tAddr)
{
    if (m_pUi->m_pFixtCbBox->count() == 0 || !m_bOnline || !m_pSelectedFixture)
        return 0;
    m_TargetAddr = tAddr;
    m_pMainWnd->setDisabled(true);
    FixtureType_t tType;
    m_pSelectedFixture->GetType(&tType);
    FreeImage();
    int iStatus = LoadGainFile(m_pUi->m_pGainFileLE->text(), &m_usTableHeight, &m_usTableWidth, &m_pGainTable);
    if (iStatus == 0) {
        if (m_usTableHeight < tType.height) {
            TraceError("Invalid file! (does not contains the expected number of line coefficients: %d instead of %d)",
                       m_usTableHeight, tType.height);
            iStatus = -14;
        } else if (m_usTableWidth < tType.width) {
            TraceError("Invalid file! (does not contains the expected number of column coefficients: %d instead of %d)",
                       m_usTableWidth, tType.width);
            iStatus = -14;
        }
    }
    if (iStatus == 0) {
        m_baImage = QByteArray(GAIN_IMAGE_BYTES, '\0');
        iStatus = CoefBuildGainImage(0, quint16((tType.width & 0xFF) | (tType.height & 0xFF) << 8), *m_pGainTable,
                                     reinterpret_cast<quint32 *>(m_baImage.data()));
    }
    if (iStatus == 0) {
        connect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnLpuGainProgDone, Qt::UniqueConnection);
        m_bGainRunning = true;
        iStatus = Com()->WriteFixtureFlash(tAddr, GAIN_OFFSET, GAIN_IMAGE_BYTES,
                                           reinterpret_cast<const quint8 *>(m_baImage.constData()));
        // Refused at once: the done slot has ended the command and reported it already.
        if (iStatus == 0 || !m_bGainRunning)
            return iStatus;
        m_bGainRunning = false;
        disconnect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnLpuGainProgDone);
    }
    ErrorMsg(tr("Failed to Program Gain file in fixture(s)"), iStatus);
    m_pMainWnd->setDisabled(false);
    m_pGainTable.reset();
    FreeImage();
    return iStatus;
}

void FixtureUpdate::s_OnLpuGainProgDone(int iStatus)
{
    if (!m_bGainRunning)
        return;
    m_bGainRunning = false;
    if (iStatus != 0)
        ErrorMsg(tr("Programming FPGA Gain tables in fixture failed!"), iStatus);
    else
        TraceSuccess("FPGA Gain tables programmed in fixture(s)!");
    FreeImage();
    m_pGainTable.reset();
    m_pMainWnd->setDisabled(false);
    disconnect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnLpuGainProgDone);
}

void FixtureUpdate::LinkBigScreen(bool bLink)
{
    CVpuCom *pCom = Com();
    if (bLink) {
        connect(pCom, &CVpuCom::sigFixturesNumbersMsg, this, &FixtureUpdate::s_OnGainBigScreenFixtNumbersDone,
                Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigGetFixtureConfigMsg, this, &FixtureUpdate::s_OnGainBigScreenGetFixtConfDone,
                Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnLpuGainBigScreenProgDone,
                Qt::UniqueConnection);
    } else {
        disconnect(pCom, &CVpuCom::sigFixturesNumbersMsg, this, &FixtureUpdate::s_OnGainBigScreenFixtNumbersDone);
        disconnect(pCom, &CVpuCom::sigGetFixtureConfigMsg, this, &FixtureUpdate::s_OnGainBigScreenGetFixtConfDone);
        disconnect(pCom, &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnLpuGainBigScreenProgDone);
    }
}

int FixtureUpdate::ProgramGainBigScreen()
{
    m_TargetAddr = Address(255, 0xFFFFFFFFu);
    m_iBigScreenStep = 0;
    if (!m_bOnline)
        return 0;
    const QString qsFile = m_pUi->m_pGainFileLE->text();
    TraceInfo("Programming gain correction on big screen...");
    TraceInfo("    Gain File: %s", U8(qsFile).constData());
    m_pMainWnd->setDisabled(true);
    m_bBigScreenRunning = true;
    FreeImage();
    m_FixtConfigs.clear();
    m_FixtAddrs.clear();
    m_pGainTable.reset();
    const int iStatus = LoadGainFile(qsFile, &m_usTableHeight, &m_usTableWidth, &m_pGainTable);
    if (iStatus != 0)
        return FinishGainBigScreen(iStatus);
    m_baImage = QByteArray(GAIN_IMAGE_BYTES, '\0');
    LinkBigScreen(true);
    return GainBigScreenStep();
}

int FixtureUpdate::GainBigScreenStep()
{
    CVpuCom *pCom = Com();
    int iStatus = 0;
    switch (m_iBigScreenStep) {
    case 0:
        iStatus = pCom->FixtGetNumber();
        break;
    case 1:
        iStatus = NextFixture(&m_TargetAddr);
        if (iStatus != 0)
            break;
        TraceInfo("    Verifying configuration of fixture F%d.%d...", m_TargetAddr.output, int(m_TargetAddr.number));
        iStatus = pCom->FixtGetConfig(m_TargetAddr);
        break;
    case 2: {
        // SASUs carry no gain table; each LPU is written at the address its configuration
        // was read from.
        while (m_uiIndex < quint32(m_FixtConfigs.size()) && IsSasuType(m_FixtConfigs.at(m_uiIndex).Type))
            ++m_uiIndex;
        if (m_uiIndex >= quint32(m_FixtConfigs.size()))
            return FinishGainBigScreen(0);
        const FixtureConfig_t &tConfig = m_FixtConfigs.at(m_uiIndex);
        m_TargetAddr = m_FixtAddrs.at(m_uiIndex);
        TraceInfo("    Programming gain tables in fixture F%d.%d...", m_TargetAddr.output, int(m_TargetAddr.number));
        m_baImage.fill('\0');
        iStatus = CoefBuildGainImage(quint32(tConfig.PosX) | quint32(tConfig.PosY) << 16,
                                     quint16(tConfig.SizeX | tConfig.SizeY << 8), *m_pGainTable,
                                     reinterpret_cast<quint32 *>(m_baImage.data()));
        if (iStatus == 0)
            iStatus = pCom->WriteFixtureFlash(m_TargetAddr, GAIN_OFFSET, GAIN_IMAGE_BYTES,
                                              reinterpret_cast<const quint8 *>(m_baImage.constData()));
        break;
    }
    default:
        return FinishGainBigScreen(0);
    }
    if (iStatus != 0 && m_bBigScreenRunning)
        FinishGainBigScreen(iStatus);
    return iStatus;
}

int FixtureUpdate::FinishGainBigScreen(int iStatus)
{
    if (iStatus == 0)
        TraceSuccess("Programming gain correction on big screen done!");
    else
        ErrorMsg(tr("Programming gain correction on big screen Failed!"), iStatus);
    FreeImage();
    m_FixtConfigs.clear();
    m_FixtAddrs.clear();
    m_pGainTable.reset();
    m_bBigScreenRunning = false;
    m_pMainWnd->setDisabled(false);
    LinkBigScreen(false);
    return iStatus;
}

void FixtureUpdate::s_OnGainBigScreenFixtNumbersDone(int iStatus, FixturesNum_t tFixturesNum)
{
    m_uiTotal = 0;
    if (!m_bBigScreenRunning)
        return;
    if (iStatus != 0) {
        FinishGainBigScreen(iStatus);
        return;
    }
    m_uiTotal = TakeCounts(tFixturesNum);
    if (m_uiTotal == 0) {
        TraceError("No fixture is enumerated by VPU!");
        FinishGainBigScreen(ERR_NONE_ENUMERATED);
        return;
    }
    m_FixtConfigs.reserve(int(m_uiTotal));
    m_FixtAddrs.reserve(int(m_uiTotal));
    m_ucOutputIndex = 0;
    m_uiFixtureNumber = 0;
    m_uiIndex = 0;
    m_uiRemaining = m_uiTotal;
    m_iBigScreenStep = 1;
    GainBigScreenStep();
}

void FixtureUpdate::s_OnGainBigScreenGetFixtConfDone(int iStatus, FixtureConfig_t tConfig, SasuConfig_t)
{
    if (!m_bBigScreenRunning)
        return;
    if (iStatus != 0) {
        FinishGainBigScreen(iStatus);
        return;
    }
    m_FixtConfigs.append(tConfig);
    m_FixtAddrs.append(m_TargetAddr);
    ++m_uiIndex;
    if (!IsSasuType(tConfig.Type)) {
        const int iOutput = m_TargetAddr.output;
        const int iNumber = int(m_TargetAddr.number);
        const int iLines = tConfig.PosY + tConfig.SizeY;
        const int iColumns = tConfig.PosX + tConfig.SizeX;
        int iCheck = 0;
        if (int(tConfig.Angle) + int(tConfig.GroupAngle) != 0) {
            TraceError("Gain tables could not be programmed in Fixture F%d.%d because it's rotation is not null!",
                       iOutput, iNumber);
            iCheck = -61;
        } else if (m_usTableHeight < iLines) {
            TraceError("Invalid gain file! (does not contains enought coefficients lines to program F%d.%d (%d "
                       "instead of %d)",
                       iOutput, iNumber, m_usTableHeight, iLines);
            iCheck = -61;
        } else if (m_usTableWidth < iColumns) {
            TraceError("Invalid gain file! (does not contains enought coefficients columns to program F%d.%d (%d "
                       "instead of %d)",
                       iOutput, iNumber, m_usTableWidth, iColumns);
            iCheck = -61;
        }
        if (iCheck != 0) {
            FinishGainBigScreen(iCheck);
            return;
        }
    }
    if (--m_uiRemaining == 0) {
        m_ucOutputIndex = 0;
        m_uiFixtureNumber = 0;
        m_uiIndex = 0;
        m_uiRemaining = m_uiTotal;
        m_iBigScreenStep = 2;
    } else {
        m_iBigScreenStep = 1;
    }
    GainBigScreenStep();
}

void FixtureUpdate::s_OnLpuGainBigScreenProgDone(int iStatus)
{
    if (!m_bBigScreenRunning)
        return;
    if (iStatus != 0) {
        ErrorMsg(tr("Programming FPGA Gain tables in fixture failed!"), iStatus);
        FinishGainBigScreen(iStatus);
        return;
    }
    TraceSuccess("    FPGA Gain tables programmed in fixture!");
    ++m_uiIndex;
    m_iBigScreenStep = 2;
    GainBigScreenStep();
}

// ---- LED map ----

void FixtureUpdate::s_OnLedMapProgFixtBtn()
{
    ProgramLedMapping(m_SelectedAddr);
}

void FixtureUpdate::s_OnLedMapProgAllBtn()
{
    ProgramLedMapping(Address(255, 0xFFFFFFFFu));
}

int FixtureUpdate::ProgramLedMapping(FixtureAddr_t tAddr)
{
    if (!m_bOnline || !m_pSelectedFixture)
        return 0;
    const QString qsName = m_pUi->m_pLedMapFileLE->text();
    if (qsName.isEmpty())
        return 0;
    const QByteArray baName = qsName.toLatin1();
    int iStatus = 0;
    QFile file(qsName);
    QByteArray baData;
    if (!qsName.contains(QLatin1String(".map"), Qt::CaseSensitive)) {
        TraceError("Led mapping file name is invalid - Doesn't contains extension '%s'", ".map");
        iStatus = -8;
    } else if (qsName.size() <= 5) {
        return 0;
    } else if (!file.exists()) {
        TraceError("'%s' file doesn't exists!", baName.constData());
        iStatus = -9;
    } else if (!file.open(QIODevice::ReadOnly)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        iStatus = -10;
    } else if (file.size() != LED_MAP_SIZE) {
        TraceError("Invalid Led Mapping File Size (%lld Bytes instead of < %d Bytes)", file.size(), int(LED_MAP_SIZE));
        iStatus = -11;
    } else {
        baData = file.read(LED_MAP_SIZE);
        if (baData.size() != int(LED_MAP_SIZE)) {
            TraceError("Failed to read data from file!");
            iStatus = -12;
        }
    }
    file.close();
    if (iStatus == 0) {
        TraceInfo("Programming LED Mapping in fixture(s)...");
        TraceInfo("    Fixtures: F%d.%d", tAddr.output, int(tAddr.number));
        TraceInfo("    File:     %s", U8(qsName).constData());
        m_baImage = baData;
        m_pMainWnd->setDisabled(true);
        connect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnProgramLedMappingDone,
                Qt::UniqueConnection);
        m_bLedMapRunning = true;
        iStatus = Com()->WriteFixtureFlash(tAddr, LED_MAP_OFFSET, LED_MAP_SIZE,
                                           reinterpret_cast<const quint8 *>(m_baImage.constData()));
        if (iStatus == 0 || !m_bLedMapRunning)
            return iStatus;
        m_bLedMapRunning = false;
        FreeImage();
        m_pMainWnd->setDisabled(false);
        disconnect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnProgramLedMappingDone);
    }
    ErrorMsg(tr("Failed to program LED Mapping in fixture(s)!"), iStatus);
    return iStatus;
}

void FixtureUpdate::s_OnProgramLedMappingDone(int iStatus)
{
    if (!m_bLedMapRunning)
        return;
    m_bLedMapRunning = false;
    if (iStatus != 0)
        ErrorMsg(tr("Failed to Program LED Mapping file in fixture(s)"), iStatus);
    else
        TraceSuccess("LED Mapping file programmed in fixture(s)!");
    FreeImage();
    m_pMainWnd->setDisabled(false);
    disconnect(Com(), &CVpuCom::sigFixtureFlashDone, this, &FixtureUpdate::s_OnProgramLedMappingDone);
}
