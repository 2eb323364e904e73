#include "update/vpuupdate.h"

#include "comm/vpucom.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "panels/fieldwidth.h"
#include "panels/hexfield.h"
#include "trace/trace.h"
#include "update/ui_vpuupdate.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

QString Version(quint8 ucMajor, quint8 ucMinor)
{
    return QStringLiteral("V%1.%2").arg(ucMajor).arg(ucMinor);
}

quint32 SectorStart(quint32 uiOffset)
{
    quint32 uiStart = 0;
    quint32 uiSize = 0;
    CVpuCom::GetVpuFlashSector(uiOffset, &uiStart, &uiSize);
    return uiStart;
}

} // namespace

VpuUpdate::VpuUpdate(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::VpuUpdate), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pMcuFileToolBox, &QToolButton::clicked, this, &VpuUpdate::s_OnMcuFileTB);
    connect(m_pUi->m_pMcuProgBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnProgMcuBtn);
    connect(m_pUi->m_pMcuProgFromBootLoaderBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnMcuProgFromBootLoaderBtn);
    connect(m_pUi->m_pMcuUpdtEthRad, &QRadioButton::toggled, this, &VpuUpdate::s_OnMcuUpdtEthRadToggled);
    connect(m_pUi->m_pFpgaFileToolBox, &QToolButton::clicked, this, &VpuUpdate::s_OnFpgaFileTB);
    connect(m_pUi->m_pFpgaProgBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnProgFpgaBtn);
    connect(m_pUi->m_pVpuTypeLE, &QLineEdit::textEdited, this, &VpuUpdate::s_OnVpuTypeLE);
    connect(m_pUi->m_pVpuManufLE, &QLineEdit::textEdited, this, &VpuUpdate::s_OnVpuManufLE);
    connect(m_pUi->m_pVpuSNLE, &QLineEdit::textEdited, this, &VpuUpdate::s_OnVpuSNLE);
    connect(m_pUi->m_pProgParamBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnProgParamBtn);
    connect(m_pUi->m_pGetCurrentVpuSetBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnGetCurrentVpuSetBtn);
    connect(m_pUi->m_pMcuDataFileToolBox, &QToolButton::clicked, this, &VpuUpdate::s_OnMcuDataFileTB);
    connect(m_pUi->m_pMcuDataProgBtn, &QPushButton::clicked, this, &VpuUpdate::s_OnMcuDataProgBtn);
    m_pUi->m_pMcuUpdtEthRad->setChecked(true);
    // Docked beside the scene the panel is narrower than its fields would like: they keep their
    // values whole and the dock scrolls instead.
    FitMaskedFields(this);
    KeepFieldTextsWhole(this);
    SetOnline(false);
}

VpuUpdate::~VpuUpdate()
{
    delete m_pUi;
    StopBootLoader();
    std::free(m_pcFpgaImage);
}

void VpuUpdate::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    m_pUi->m_pMcuDataProgBtn->setEnabled(bOnline);
    m_pUi->m_pGetCurrentVpuSetBtn->setEnabled(bOnline);
    m_pUi->m_pFpgaProgBtn->setEnabled(bOnline);
    m_pUi->m_pProgParamBtn->setEnabled(bOnline);
    m_pUi->m_pMcuProgBtn->setEnabled(bOnline);
    m_pUi->m_pMcuProgFromBootLoaderBtn->setEnabled(!bOnline);
}

// ---- file choosers ----

bool VpuUpdate::ChooseFile(const QString &qsCaption, const QString &qsFilter, QString *pqsName)
{
    const QString qsName =
        Prompts::Instance().GetOpenFileName(this, qsCaption.arg(qsFilter), QStringLiteral("Firmwares/"), qsFilter);
    if (qsName.isEmpty())
        return false;
    *pqsName = qsName;
    return true;
}

void VpuUpdate::s_OnMcuFileTB()
{
    QString qsName;
    if (ChooseFile(tr("Select the firmware file to program in MCU (%1)"), QStringLiteral("*.hex"), &qsName))
        m_pUi->m_pMcuFileLE->setText(qsName);
}

void VpuUpdate::s_OnFpgaFileTB()
{
    QString qsName;
    if (ChooseFile(tr("Select the FPGA firmware file to program in FLASH (%1)"), QStringLiteral("*.rbf"), &qsName))
        m_pUi->m_pFpgaFileLE->setText(qsName);
}

void VpuUpdate::s_OnMcuDataFileTB()
{
    QString qsName;
    if (ChooseFile(tr("Select the MCU Data file list to program in FLASH (%1)"), QStringLiteral("*.lst"), &qsName))
        m_pUi->m_pMcuDataFileLE->setText(qsName);
}

void VpuUpdate::s_OnMcuUpdtEthRadToggled(bool) {}
void VpuUpdate::s_OnVpuTypeLE(const QString &) {}
void VpuUpdate::s_OnVpuManufLE(const QString &) {}
void VpuUpdate::s_OnVpuSNLE(const QString &) {}

// ---- current settings and factory parameters ----

void VpuUpdate::s_OnGetCurrentVpuSetBtn()
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigGetConfig, this, &VpuUpdate::s_OnGetConfigDone, Qt::UniqueConnection);
    if (pCom->GetConfig() != 0) {
        disconnect(pCom, &CVpuCom::sigGetConfig, this, &VpuUpdate::s_OnGetConfigDone);
        m_pMainWnd->setDisabled(false);
    }
}

void VpuUpdate::s_OnGetConfigDone(int iStatus, VpuConfig_t tVpuConfig)
{
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigGetConfig, this, &VpuUpdate::s_OnGetConfigDone);
    m_pMainWnd->setDisabled(false);
    // The link has already reported a failed read; the fields only stop showing stale values.
    if (iStatus != 0) {
        for (QLineEdit *pEdit : {m_pUi->m_pVpuTypeLE, m_pUi->m_pVpuSNLE, m_pUi->m_pVpuManufLE})
            pEdit->setText(QStringLiteral("FFFFFFFF"));
        for (QLineEdit *pEdit : {m_pUi->m_pFpgaVersLE, m_pUi->m_pMcuBootVersLE, m_pUi->m_pMcuSoftVersLE})
            pEdit->setText(tr("Unknown"));
        return;
    }
    m_pUi->m_pVpuTypeLE->setText(HexText(tVpuConfig.Type, 8));
    m_pUi->m_pVpuSNLE->setText(HexText(tVpuConfig.SerialNumber, 8));
    m_pUi->m_pVpuManufLE->setText(HexText(tVpuConfig.ManufacturerCode, 8));
    m_pUi->m_pFpgaVersLE->setText(Version(tVpuConfig.FpgaMajor, tVpuConfig.FpgaMinor));
    m_pUi->m_pMcuBootVersLE->setText(Version(tVpuConfig.BootMajor, tVpuConfig.BootMinor));
    m_pUi->m_pMcuSoftVersLE->setText(Version(tVpuConfig.SoftMajor, tVpuConfig.SoftMinor));
}

void VpuUpdate::s_OnProgParamBtn()
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigSetFactoryParam, this, &VpuUpdate::s_OnSetFactoryParamDone, Qt::UniqueConnection);
    const quint32 uiType = HexField(m_pUi->m_pVpuTypeLE);
    const quint32 uiManufacturer = HexField(m_pUi->m_pVpuManufLE);
    const quint32 uiSerial = HexField(m_pUi->m_pVpuSNLE);
    if (pCom->SetFactoryParam(uiType, uiSerial, uiManufacturer) != 0) {
        disconnect(pCom, &CVpuCom::sigSetFactoryParam, this, &VpuUpdate::s_OnSetFactoryParamDone);
        m_pMainWnd->setDisabled(false);
    }
}

void VpuUpdate::s_OnSetFactoryParamDone(int)
{
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigSetFactoryParam, this, &VpuUpdate::s_OnSetFactoryParamDone);
    m_pMainWnd->setDisabled(false);
}

// ---- FPGA image ----

void VpuUpdate::s_OnProgFpgaBtn()
{
    const QString qsFile = m_pUi->m_pFpgaFileLE->text();
    TraceInfo("Programming VPU's User FPGA Firmware...");
    TraceInfo("    File: %s", U8(qsFile).constData());
    qint64 llSize = 0;
    if (m_pMainWnd->LoadBinaryFile(qsFile, QStringLiteral(".rbf"), FPGA_IMAGE_SIZE, &llSize, &m_pcFpgaImage) != 0)
        return;

    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    connect(pCom, &CVpuCom::sigVpuFlashDone, this, &VpuUpdate::s_OnProgVpuFpgaFirmwareDone, Qt::UniqueConnection);
    if (pCom->WriteVpuFlash(FPGA_IMAGE_OFFSET, FPGA_IMAGE_SIZE, 0, reinterpret_cast<const quint8 *>(m_pcFpgaImage)) !=
        0) {
        disconnect(pCom, &CVpuCom::sigVpuFlashDone, this, &VpuUpdate::s_OnProgVpuFpgaFirmwareDone);
        std::free(m_pcFpgaImage);
        m_pcFpgaImage = nullptr;
        m_pMainWnd->setDisabled(false);
    }
}

void VpuUpdate::s_OnProgVpuFpgaFirmwareDone(int iStatus)
{
    if (iStatus != 0)
        ErrorMsg(tr("VPU's User FPGA Firmware programmation Failed!"), iStatus);
    else
        TraceSuccess("VPU's User FPGA Firmware programmation Done!");
    std::free(m_pcFpgaImage);
    m_pcFpgaImage = nullptr;
    m_pMainWnd->setDisabled(false);
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigVpuFlashDone, this, &VpuUpdate::s_OnProgVpuFpgaFirmwareDone);
}

// ---- MCU firmware ----

void VpuUpdate::s_OnProgMcuBtn()
{
    StartMcuProgramming(false);
}

void VpuUpdate::s_OnMcuProgFromBootLoaderBtn()
{
    StartMcuProgramming(true);
}

void VpuUpdate::LinkMcuUpdate(bool bLink)
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    if (bLink) {
        connect(pCom, &CVpuCom::sigInitCom, this, &VpuUpdate::s_OnProgMcuInitComDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigVpuSoftReset, this, &VpuUpdate::s_OnProgMcuVpuSoftResetDone, Qt::UniqueConnection);
        connect(pCom, &CVpuCom::sigMcuFlashProgram, this, &VpuUpdate::s_OnMcuFlashProgramDone, Qt::UniqueConnection);
        connect(&m_BootLoader, &CBootLoader::sigBootLoaderNoResp, this, &VpuUpdate::s_OnProgMcuBootLoaderNoResp,
                Qt::UniqueConnection);
        connect(&m_BootLoader, &CBootLoader::sigBootLoaderRespOk, this, &VpuUpdate::s_OnProgMcuBootLoaderRespOk,
                Qt::UniqueConnection);
    } else {
        disconnect(pCom, &CVpuCom::sigInitCom, this, &VpuUpdate::s_OnProgMcuInitComDone);
        disconnect(pCom, &CVpuCom::sigVpuSoftReset, this, &VpuUpdate::s_OnProgMcuVpuSoftResetDone);
        disconnect(pCom, &CVpuCom::sigMcuFlashProgram, this, &VpuUpdate::s_OnMcuFlashProgramDone);
        disconnect(&m_BootLoader, &CBootLoader::sigBootLoaderNoResp, this, &VpuUpdate::s_OnProgMcuBootLoaderNoResp);
        disconnect(&m_BootLoader, &CBootLoader::sigBootLoaderRespOk, this, &VpuUpdate::s_OnProgMcuBootLoaderRespOk);
    }
}

// The thread must be gone before its port closes or another opens: it reads the port on
// every turn of its loop.
void VpuUpdate::StopBootLoader()
{
    m_BootLoader.Stop();
    m_BootLoader.ClosePort();
    m_BootLoader.ResetTx();
}

int VpuUpdate::StartMcuProgramming(bool bFromBootloader)
{
    if (m_bMcuRunning)
        return -3;
    m_bFromBootloader = bFromBootloader;
    if (bFromBootloader) {
        TraceInfo("Programming MCU (From Bootloader Connection)...");
        m_uiMcuState = 2;
    } else {
        TraceInfo("Programming MCU (Full Automatic)...");
        m_uiMcuState = 0;
    }
    m_uiLinkKind = m_pUi->m_pMcuUpdtEthRad->isChecked() ? CBootLoader::BL_MODE_UDP : CBootLoader::BL_MODE_USB_HID;
    m_usVid = quint16(HexField(m_pUi->m_pMcuUpdtUsbVidLE));
    m_usPid = quint16(HexField(m_pUi->m_pMcuUpdtUsbPidLE));
    bool bOk = false;
    m_usUdpPort = m_pUi->m_pMcuUpdtEthPortLE->text().trimmed().toUShort(&bOk, 10);
    if (!bOk)
        m_usUdpPort = 0;

    QString qsIp = m_pUi->m_pMcuUpdtEthIpLE->text();
    qsIp.remove(QLatin1Char(' '));
    const QStringList parts = qsIp.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    // An octet above 255 would spill into its neighbour and aim the update at another host.
    bool bValid = parts.size() == 4;
    quint32 uiIp = 0;
    for (int i = 0; bValid && i < 4; ++i) {
        const uint uiPart = parts.at(i).toUInt(&bOk, 10);
        if (bOk && uiPart > 255)
            bValid = false;
        uiIp |= (bOk ? uiPart : 0u) << (8 * i);
    }
    if (!bValid) {
        TraceError("Inalid IP Address");
        return -4;
    }
    m_uiIp = uiIp;

    StopBootLoader();
    const QString qsHexFile = m_pUi->m_pMcuFileLE->text();
    if (m_BootLoader.LoadHexFile(qsHexFile) != 0) {
        ErrorMsg(tr("Failed to load MCU Hex File '%1'").arg(qsHexFile), -14);
        return -14;
    }

    m_pMainWnd->setDisabled(true);
    m_bMcuRunning = true;
    LinkMcuUpdate(true);
    McuUpdateStep();
    return 0;
}

int VpuUpdate::SendBootCommand(quint8 ucCommand, quint16 usTries, quint16 usTimeoutMs)
{
    return m_BootLoader.SendCommand(ucCommand, usTries, usTimeoutMs) == CBootLoader::BL_ARMED ? 0 : -70;
}

void VpuUpdate::StartTimer(int iMs, void (VpuUpdate::*pSlot)())
{
    const int iSerial = m_iTimerSerial;
    QTimer::singleShot(iMs, this, [this, iSerial, pSlot]() {
        if (m_bMcuRunning && iSerial == m_iTimerSerial)
            (this->*pSlot)();
    });
}

void VpuUpdate::McuUpdateStep()
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    int iStatus = 0;
    switch (m_uiMcuState) {
    case 0:
        TraceInfo("    Writting trigger for Bootloader application...");
        m_uiMcuState = 1;
        iStatus =
            pCom->McuFlashProgram(MCU_TRIGGER_ADDRESS, m_uiLinkKind == CBootLoader::BL_MODE_UDP ? 0xA502u : 0xA501u);
        break;
    case 1:
        TraceInfo("    Resetting VPU's MCU...");
        m_uiMcuState = 2;
        iStatus = pCom->VpuSoftReset();
        break;
    case 2:
        TraceInfo("    Connecting to BootLoader Application...");
        StopBootLoader();
        iStatus = m_BootLoader.OpenPort(int(m_uiLinkKind), m_usVid, m_usPid, m_usUdpPort, m_uiIp);
        if (iStatus == 0 && !m_BootLoader.IsPortOpen(int(m_uiLinkKind)))
            iStatus = -70;
        if (iStatus == 0) {
            m_BootLoader.Start();
            m_uiMcuState = 3;
            iStatus = SendBootCommand(CBootLoader::BL_CONNECT, 30, 200);
        }
        break;
    case 3:
        TraceInfo("    Erasing MCU internal Flash...");
        m_uiMcuState = 4;
        iStatus = SendBootCommand(CBootLoader::BL_ERASE, 3, 5000);
        break;
    case 4:
        TraceInfo("    Programming MCU internal Flash...");
        m_uiMcuState = 5;
        iStatus = SendBootCommand(CBootLoader::BL_PROGRAM, 3, 500);
        break;
    case 5:
        TraceInfo("    Verifying MCU internal Flash...");
        m_uiMcuState = 6;
        iStatus = SendBootCommand(CBootLoader::BL_VERIFY, 3, 5000);
        break;
    case 6:
        TraceInfo("    Launching MCU Application...");
        iStatus = SendBootCommand(CBootLoader::BL_LAUNCH, 1, 10);
        if (iStatus != 0)
            break;
        // The launch has no reply: the thread must have put it on the wire before an end
        // stops the thread.
        m_BootLoader.WaitSent(1000);
        TraceSuccess("    Launch application request sent!");
        if (m_bFromBootloader) {
            McuUpdateFinish(0);
            return;
        }
        m_uiMcuState = 7;
        TraceInfo("    Waiting VPU startup for 30 seconds...");
        StartTimer(m_iStartupWaitMs, &VpuUpdate::s_OnMcuUpdtStartup);
        return;
    case 7:
        StopBootLoader();
        m_uiMcuState = 8;
        iStatus = pCom->Open();
        if (iStatus == 0)
            iStatus = pCom->InitCom();
        break;
    default:
        McuUpdateFinish(0);
        return;
    }
    if (iStatus != 0)
        McuUpdateFinish(iStatus);
}

int VpuUpdate::McuUpdateFinish(int iStatus)
{
    return EndMcuUpdate(iStatus, true);
}

// Every end of an update comes here once: the bootloader's thread stopped and its port
// closed, the links cut, the window back. bReport is false where the link has already shown
// the failure, so that one failure makes one box.
int VpuUpdate::EndMcuUpdate(int iStatus, bool bReport)
{
    if (!m_bMcuRunning)
        return iStatus;
    m_bMcuRunning = false;
    ++m_iTimerSerial;
    StopBootLoader();
    m_pMainWnd->setDisabled(false);
    LinkMcuUpdate(false);
    if (iStatus != 0 && bReport)
        ErrorMsg(tr("Failed to program MCU!"), iStatus);
    return iStatus;
}

void VpuUpdate::s_OnMcuFlashProgramDone(int iStatus)
{
    if (!m_bMcuRunning)
        return;
    if (iStatus != 0) {
        EndMcuUpdate(iStatus, false);
        return;
    }
    TraceSuccess("    Trigger for Bootloader application wrtten!");
    McuUpdateStep();
}

void VpuUpdate::s_OnProgMcuVpuSoftResetDone(int iStatus)
{
    if (!m_bMcuRunning)
        return;
    if (iStatus != 0) {
        EndMcuUpdate(iStatus, false);
        return;
    }
    TraceSuccess("    VPU's MCU resetted!");
    m_pMainWnd->m_VpuCom.CloseIfOpen();
    m_pMainWnd->SetOnline(false);
    StartTimer(m_iResetPauseMs, &VpuUpdate::s_OnProgMcuVpuSoftResetSleepDone);
}

void VpuUpdate::s_OnProgMcuVpuSoftResetSleepDone()
{
    McuUpdateStep();
}

void VpuUpdate::s_OnMcuUpdtStartup()
{
    McuUpdateStep();
}

void VpuUpdate::s_OnProgMcuInitComDone(int iStatus)
{
    if (!m_bMcuRunning)
        return;
    // The main window's own handler of the link start has brought it online, or has
    // reported the failure: the update only ends here, without a second box.
    if (iStatus != 0) {
        EndMcuUpdate(iStatus, false);
        return;
    }
    McuUpdateStep();
}

void VpuUpdate::s_OnProgMcuBootLoaderNoResp(unsigned char ucLastSentCommand)
{
    if (!m_bMcuRunning)
        return;
    if (ucLastSentCommand >= CBootLoader::BL_CONNECT && ucLastSentCommand <= CBootLoader::BL_VERIFY)
        TraceError("No Response from the device. Operation failed");
    McuUpdateFinish(-71);
}

void VpuUpdate::s_OnProgMcuBootLoaderRespOk(unsigned char ucCmd, QByteArray baData)
{
    if (!m_bMcuRunning)
        return;
    switch (ucCmd) {
    case CBootLoader::BL_CONNECT:
        TraceSuccess("    PC connected to BootLoader Application!");
        break;
    case CBootLoader::BL_ERASE:
        TraceSuccess("    MCU Flash Erased!");
        break;
    case CBootLoader::BL_PROGRAM:
        TraceSuccess("    MCU Programming completed!");
        break;
    case CBootLoader::BL_VERIFY: {
        // A reply too short to hold the CRC cannot confirm anything.
        const bool bMatch = baData.size() >= 2 &&
                            quint16(quint8(baData.at(0)) | (quint8(baData.at(1)) << 8)) == m_BootLoader.CalcImageCrc();
        if (!bMatch) {
            TraceError("    MCU Verification failed - CRC is diferent!");
            McuUpdateFinish(-72);
            return;
        }
        TraceSuccess("    MCU Verification successfull!");
        break;
    }
    default:
        break;
    }
    McuUpdateStep();
}

// ---- MCU data ----

void VpuUpdate::s_OnMcuDataProgBtn()
{
    TraceInfo("Programming MCU Data...");
    ParseMcuDataFileList();
}

int VpuUpdate::ParseMcuDataFileList()
{
    m_pMainWnd->setDisabled(true);
    connect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigVpuFlashDone, this, &VpuUpdate::s_OnProgMcuDataDone,
            Qt::UniqueConnection);
    m_bMcuDataRunning = true;
    m_iMcuDataIndex = 0;
    m_baMcuData.clear();
    m_McuDataNames.clear();
    m_McuDataOffsets.clear();
    m_McuDataSizes.clear();
    m_McuDataRuns.clear();
    TraceInfo("    Parsing MCU data file list:");

    const QString qsList = m_pUi->m_pMcuDataFileLE->text();
    const QByteArray baList = U8(qsList);
    int iStatus = 0;
    QFile file(qsList);
    if (qsList.isEmpty()) {
        TraceError("MCU Data file list name is not valid!");
        iStatus = -8;
    } else if (!qsList.contains(QLatin1String(".lst"))) {
        TraceError("MCU Data file list file name is not valid - Doesn't contain extension '%s'", ".lst");
        iStatus = -8;
    } else if (qsList.size() <= 5) {
        TraceError("MCU Data file list file name is not valid!");
        iStatus = -8;
    } else if (!file.exists()) {
        TraceError("'%s' file doesn't exists!", baList.constData());
        iStatus = -9;
    } else {
        // Each list names its files relative to its own folder, the working folder when it
        // has none.
        const int iSlash = qsList.lastIndexOf(QLatin1Char('/'));
        m_qsListFolder = iSlash >= 0 ? qsList.left(iSlash + 1) : QString();
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            TraceError("Failed to open '%s' file!", baList.constData());
            iStatus = -10;
        }
    }

    for (int iLine = 1; iStatus == 0 && !file.atEnd(); ++iLine) {
        QByteArray baRaw = file.readLine();
        const int iNul = baRaw.indexOf('\0');
        if (iNul >= 0)
            baRaw.truncate(iNul);
        QString qsLine = TraceStripControlChars(QString::fromUtf8(baRaw));
        qsLine.remove(QLatin1Char('\t'));
        if (qsLine.isEmpty() || qsLine.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = qsLine.split(QLatin1Char(';'), Qt::KeepEmptyParts);
        if (fields.size() != 2) {
            TraceError("Data format of the line %d is not valid ('%s') different of 2 fields!", iLine,
                       U8(qsLine).constData());
            iStatus = -14;
            break;
        }
        bool bOk = false;
        const quint32 uiOffset = fields.at(0).toUInt(&bOk, 16);
        if (!bOk) {
            TraceError("Offset is not a valid unsigned int value in hexadecimal format! (Line %d)", iLine);
            iStatus = -14;
            break;
        }
        qint64 llSize = 0;
        char *pcData = nullptr;
        iStatus = m_pMainWnd->LoadBinaryFile(m_qsListFolder + fields.at(1), QString(), 0, &llSize, &pcData);
        std::free(pcData);
        if (iStatus != 0)
            break;
        // Anything this large fails the window check below; the cap only keeps it from wrapping.
        const quint32 uiSize = quint32(std::min<qint64>(llSize, 0xFFFFFFFF));
        m_McuDataSizes.append(uiSize);
        m_McuDataNames.append(fields.at(1));
        m_McuDataOffsets.append(uiOffset);
        TraceInfo("        File %d: Offset=0x%08X - Size=%d Bytes - Name='%s'", int(m_McuDataNames.size()), uiOffset,
                  int(uiSize), U8(fields.at(1)).constData());
    }
    if (iStatus == 0)
        iStatus = CheckMcuDataEntries();
    file.close();

    if (iStatus != 0) {
        ErrorMsg(tr("Invalid MCU data file list: '%1'").arg(qsList), iStatus);
        FinishMcuData(iStatus);
        return iStatus;
    }
    BuildMcuDataRuns();
    ProgramNextMcuDataFile();
    return 0;
}

int VpuUpdate::CheckMcuDataEntries()
{
    const int iCount = int(m_McuDataNames.size());
    for (int i = 0; i < iCount; ++i) {
        const quint64 ullStart = m_McuDataOffsets.at(i);
        const quint64 ullEnd = ullStart + m_McuDataSizes.at(i);
        const QByteArray baName = U8(m_McuDataNames.at(i));
        if (ullStart < MCU_DATA_START) {
            TraceError("Invalid file list: Offset 0x%08X of file '%s' is  not in lower than 0x%08X", quint32(ullStart),
                       baName.constData(), MCU_DATA_START);
            return -14;
        }
        if (ullEnd > MCU_DATA_END) {
            TraceError("Invalid file list: File '%s' not fit in flash [0x%08X;0x%08X]", baName.constData(),
                       MCU_DATA_START, MCU_DATA_END - 1);
            return -14;
        }
        for (int j = 0; j < iCount; ++j) {
            if (j == i)
                continue;
            const quint64 ullOtherStart = m_McuDataOffsets.at(j);
            const quint64 ullOtherEnd = ullOtherStart + m_McuDataSizes.at(j);
            if (ullStart < ullOtherEnd && ullOtherStart < ullEnd) {
                TraceError("Invalid MCU data file list: Files '%s' and '%s' overrides!", baName.constData(),
                           U8(m_McuDataNames.at(j)).constData());
                return -14;
            }
        }
    }
    return 0;
}

void VpuUpdate::BuildMcuDataRuns()
{
    QList<int> order;
    for (int i = 0; i < m_McuDataNames.size(); ++i)
        order.append(i);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return m_McuDataOffsets.at(a) < m_McuDataOffsets.at(b); });
    for (int i : order) {
        const quint32 uiOffset = m_McuDataOffsets.at(i);
        const quint32 uiEnd = uiOffset + m_McuDataSizes.at(i);
        if (!m_McuDataRuns.isEmpty()) {
            McuDataRun_t &run = m_McuDataRuns.last();
            if (SectorStart(uiOffset) <= SectorStart(run.uiOffset + run.uiSize - 1)) {
                run.uiSize = std::max(run.uiOffset + run.uiSize, uiEnd) - run.uiOffset;
                run.entries.append(i);
                continue;
            }
        }
        m_McuDataRuns.append({uiOffset, uiEnd - uiOffset, {i}});
    }
}

void VpuUpdate::ProgramNextMcuDataFile()
{
    if (m_iMcuDataIndex >= m_McuDataRuns.size()) {
        FinishMcuData(0);
        return;
    }
    const McuDataRun_t &run = m_McuDataRuns.at(m_iMcuDataIndex);
    // Gaps between the files of one write keep the erased value.
    m_baMcuData = QByteArray(int(run.uiSize), char(0xFF));
    for (int i : run.entries) {
        qint64 llSize = 0;
        char *pcData = nullptr;
        // The size read with the list: a file that has changed since is refused, never cut
        // or over-read.
        const int iStatus = m_pMainWnd->LoadBinaryFile(m_qsListFolder + m_McuDataNames.at(i), QString(),
                                                       m_McuDataSizes.at(i), &llSize, &pcData);
        if (iStatus != 0) {
            std::free(pcData);
            FinishMcuData(iStatus);
            return;
        }
        std::memcpy(m_baMcuData.data() + (m_McuDataOffsets.at(i) - run.uiOffset), pcData, size_t(llSize));
        std::free(pcData);
    }
    const int iStatus = m_pMainWnd->m_VpuCom.WriteVpuFlash(run.uiOffset, run.uiSize, 1,
                                                           reinterpret_cast<const quint8 *>(m_baMcuData.constData()));
    if (iStatus != 0) {
        FinishMcuData(iStatus);
        return;
    }
    ++m_iMcuDataIndex;
}

void VpuUpdate::s_OnProgMcuDataDone(int iStatus)
{
    if (!m_bMcuDataRunning)
        return;
    m_baMcuData.clear();
    if (iStatus != 0)
        FinishMcuData(iStatus);
    else
        ProgramNextMcuDataFile();
}

void VpuUpdate::FinishMcuData(int iStatus)
{
    if (!m_bMcuDataRunning)
        return;
    m_bMcuDataRunning = false;
    m_baMcuData.clear();
    m_iMcuDataIndex = 0;
    m_McuDataNames.clear();
    m_McuDataOffsets.clear();
    m_McuDataSizes.clear();
    m_McuDataRuns.clear();
    if (iStatus != 0)
        ErrorMsg(tr("Failed to program MCU data in VPU's FLASH!"), iStatus);
    else
        TraceSuccess("MCU data programmed in VPU's FLASH!");
    disconnect(&m_pMainWnd->m_VpuCom, &CVpuCom::sigVpuFlashDone, this, &VpuUpdate::s_OnProgMcuDataDone);
    m_pMainWnd->setDisabled(false);
}
