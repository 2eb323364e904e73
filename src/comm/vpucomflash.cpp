// The two flash sequencers of the VPU link and the compare used to verify what a fixture
// hands back. A sequencer runs on the GUI thread: each step queues one erase or one write
// request, and the request's completion, queued back to this object, starts the next step.

#include "comm/vpucom.h"
#include "trace/trace.h"

namespace {

// Offsets from here on sit in the VPU flash's small sectors.
constexpr quint32 VPU_SMALL_SECTORS = 0x1FE0000;

} // namespace

int CVpuCom::GetVpuFlashSector(quint32 uiOffset, quint32 *puiStart, quint32 *puiSize)
{
    *puiSize = uiOffset < VPU_SMALL_SECTORS ? 0x20000 : 0x8000;
    *puiStart = uiOffset & ~(*puiSize - 1);
    return 0;
}

int CVpuCom::GetFixtureFlashSector(quint32 uiOffset, quint32 *puiStart, quint32 *puiSize)
{
    if (uiOffset < 0x1F0000)
        *puiSize = 0x10000;
    else if (uiOffset < 0x1F8000)
        *puiSize = 0x8000;
    else if (uiOffset < 0x1FC000)
        *puiSize = 0x2000;
    else if (uiOffset < FIXT_FLASH_SIZE)
        *puiSize = 0x4000;
    else
        return -1;
    *puiStart = uiOffset & ~(*puiSize - 1);
    return 0;
}

int CVpuCom::WriteVpuFlash(quint32 uiOffset, quint32 uiSize, quint8 ucFlag, const quint8 *pucData)
{
    if (m_tVpuFlashJob.bRunning)
        return COM_ERR_FAILED;
    TraceInfo("    Writing %d bytes in VPU's Flash at offset 0x%08X ...", int(uiSize), uiOffset);
    FlashJob_t &tJob = m_tVpuFlashJob;
    tJob.bFixture = false;
    tJob.ucFlag = ucFlag;
    tJob.pucData = pucData;
    tJob.uiOffset = uiOffset;
    tJob.tEraseConn =
        connect(this, &CVpuCom::sigFlashEraseMsg, this, &CVpuCom::s_OnEraseVpuFlashDone, Qt::QueuedConnection);
    tJob.tWriteConn =
        connect(this, &CVpuCom::sigFlashWriteMsg, this, &CVpuCom::s_OnWriteVpuFlashDone, Qt::QueuedConnection);
    return StartFlashJob(tJob, uiSize);
}

int CVpuCom::WriteFixtureFlash(FixtureAddr_t tFixture, quint32 uiOffset, quint32 uiSize, const quint8 *pucData)
{
    if (m_tFixtFlashJob.bRunning)
        return COM_ERR_FAILED;
    TraceInfo("    Writing %d bytes in fixture's Flash (F%d.%d) at offset 0x%08X ...", int(uiSize), tFixture.output,
              int(tFixture.number), uiOffset);
    FlashJob_t &tJob = m_tFixtFlashJob;
    tJob.bFixture = true;
    tJob.tFixture = tFixture;
    tJob.pucData = pucData;
    tJob.uiOffset = uiOffset;
    tJob.tEraseConn = connect(this, &CVpuCom::sigEraseFixtureFlashMsg, this, &CVpuCom::s_OnEraseFixtureFlashDone,
                              Qt::QueuedConnection);
    tJob.tWriteConn = connect(this, &CVpuCom::sigWriteFixtureFlashMsg, this, &CVpuCom::s_OnWriteFixtureFlashDone,
                              Qt::QueuedConnection);
    return StartFlashJob(tJob, uiSize);
}

int CVpuCom::StartFlashJob(FlashJob_t &tJob, quint32 uiSize)
{
    tJob.bRunning = true;
    tJob.uiPosition = 0;
    tJob.uiRemaining = uiSize;
    tJob.uiLastErased = NONE_ERASED;

    // The whole range is checked before the first sector is erased: a job that would run off
    // the end of the flash must not leave it half erased.
    const quint32 uiFlashSize = tJob.bFixture ? FIXT_FLASH_SIZE : VPU_FLASH_SIZE;
    if (quint64(tJob.uiOffset) + uiSize > uiFlashSize) {
        TraceError("Invalid Flash Offset!");
        FinishFlashJob(tJob, -1);
        return -1;
    }
    if (uiSize != 0 && tJob.pucData == nullptr) {
        FinishFlashJob(tJob, COM_ERR_PARAM);
        return COM_ERR_PARAM;
    }
    return FlashJobStep(tJob);
}

int CVpuCom::FlashJobStep(FlashJob_t &tJob)
{
    if (tJob.uiRemaining == 0) {
        FinishFlashJob(tJob, 0);
        return 0;
    }

    quint32 uiStart = 0;
    quint32 uiSectorSize = 0;
    int iStatus = tJob.bFixture ? GetFixtureFlashSector(tJob.uiOffset, &uiStart, &uiSectorSize)
                                : GetVpuFlashSector(tJob.uiOffset, &uiStart, &uiSectorSize);
    if (iStatus != 0) {
        TraceError("Invalid Flash Offset!");
    } else if (uiStart == tJob.uiLastErased) {
        // A block ends at the end of its sector at the latest: the next sector has not been
        // erased yet, whatever alignment the job started with.
        const quint32 uiBlock = qMin(uiStart + uiSectorSize - tJob.uiOffset, tJob.uiRemaining);
        const char *pcBlock = reinterpret_cast<const char *>(tJob.pucData + tJob.uiPosition);
        iStatus = tJob.bFixture ? FixtWriteFlash(tJob.tFixture, tJob.uiOffset, uiBlock, pcBlock)
                                : FlashWrite(tJob.uiOffset, uiBlock, tJob.ucFlag, pcBlock);
        tJob.uiOffset += uiBlock;
        tJob.uiPosition += uiBlock;
        tJob.uiRemaining -= uiBlock;
    } else {
        iStatus =
            tJob.bFixture ? FixtEraseFlash(tJob.tFixture, uiStart, uiSectorSize) : FlashErase(uiStart, uiSectorSize);
        tJob.uiLastErased = uiStart;
    }
    if (iStatus != 0)
        FinishFlashJob(tJob, iStatus);
    return iStatus;
}

void CVpuCom::FlashJobDone(FlashJob_t &tJob, int iStatus)
{
    // A completion that no step of this job asked for (the job has ended) changes nothing.
    if (!tJob.bRunning)
        return;
    if (iStatus != 0)
        FinishFlashJob(tJob, iStatus);
    else
        FlashJobStep(tJob);
}

void CVpuCom::FinishFlashJob(FlashJob_t &tJob, int iStatus)
{
    if (tJob.bFixture) {
        if (iStatus != 0)
            TraceError("    File write to fixture flash failed!");
        else
            TraceSuccess("    File written to fixture flash with success!");
    } else {
        if (iStatus != 0)
            TraceError("    Data write to VPU flash failed!");
        else
            TraceSuccess("    Data written to VPU flash with success!");
    }
    disconnect(tJob.tEraseConn);
    disconnect(tJob.tWriteConn);
    tJob.bRunning = false;
    tJob.pucData = nullptr;
    if (tJob.bFixture)
        emit sigFixtureFlashDone(iStatus);
    else
        emit sigVpuFlashDone(iStatus);
}

void CVpuCom::s_OnEraseVpuFlashDone(int iStatus, uint uiOffset)
{
    Q_UNUSED(uiOffset);
    FlashJobDone(m_tVpuFlashJob, iStatus);
}

void CVpuCom::s_OnWriteVpuFlashDone(int iStatus)
{
    FlashJobDone(m_tVpuFlashJob, iStatus);
}

void CVpuCom::s_OnEraseFixtureFlashDone(int iStatus)
{
    FlashJobDone(m_tFixtFlashJob, iStatus);
}

void CVpuCom::s_OnWriteFixtureFlashDone(int iStatus)
{
    FlashJobDone(m_tFixtFlashJob, iStatus);
}

int CVpuCom::CompareSwapped32(const quint8 *pucA, const quint8 *pucB, int iLength)
{
    if (iLength < 0)
        return -1;
    for (qint64 iWord = 0; iWord < iLength; iWord += 4) {
        // In a last group of 1 to 3 bytes only the pairs that both lie inside the length are
        // compared; the others were never read back.
        for (int i = 0; i < 4; ++i) {
            const qint64 iAt = iWord + i;
            const qint64 iMirror = iWord + 3 - i;
            if (iAt < iLength && iMirror < iLength && pucA[iMirror] != pucB[iAt])
                return -1;
        }
    }
    return 0;
}
