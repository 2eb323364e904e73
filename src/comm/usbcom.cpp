#include "comm/usbcom.h"

#include "comm/libusbbackend.h"
#include "trace/trace.h"

#include <QElapsedTimer>
#include <QMutex>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

QMutex s_FactoryMutex;
UsbBackendFactory_t s_fnFactory;

std::unique_ptr<CUsbBackend> MakeDefaultBackend()
{
    QMutexLocker tLock(&s_FactoryMutex);
    if (s_fnFactory)
        return s_fnFactory();
    return std::make_unique<CLibUsbBackend>();
}

// What is left of a budget after llElapsed ms; never below zero, so it cannot wrap.
qint64 TimeLeft(qint64 llBudget, const QElapsedTimer &tTimer)
{
    return std::max<qint64>(0, llBudget - tTimer.elapsed());
}

} // namespace

void CUsbCom::SetDefaultBackendFactory(UsbBackendFactory_t fnFactory)
{
    QMutexLocker tLock(&s_FactoryMutex);
    s_fnFactory = std::move(fnFactory);
}

CUsbCom::CUsbCom(std::unique_ptr<CUsbBackend> pBackend)
    : m_pBackend(pBackend ? std::move(pBackend) : MakeDefaultBackend())
{
    int aiVersion[4] = {};
    m_pBackend->GetVersion(aiVersion);
    TraceInfo("CUsbCom - libusb-win Versions: Driver V%d.%d.%d.%d - Dll V%d.%d.%d.%d", aiVersion[0], aiVersion[1],
              aiVersion[2], aiVersion[3], aiVersion[0], aiVersion[1], aiVersion[2], aiVersion[3]);
}

CUsbCom::~CUsbCom()
{
    Close();
}

int CUsbCom::SetVidPid(quint16 usVid, quint16 usPid)
{
    m_usVendorId = usVid;
    m_usProductId = usPid;
    return COM_OK;
}

// Walks the attached devices, counting those with our ids; with iWanted >= 0 also gives the
// enumeration position of the iWanted-th of them (-1 when there is none).
int CUsbCom::CountMatches(int *piCount, int iWanted, int *piListIndex)
{
    *piCount = 0;
    if (piListIndex != nullptr)
        *piListIndex = -1;
    QVector<UsbDeviceId_t> tDevices;
    const int iStatus = m_pBackend->ListDevices(&tDevices);
    TraceInfo("libusb - devices number = %d", int(tDevices.size()));
    for (int i = 0; i < tDevices.size(); ++i) {
        const UsbDeviceId_t &tDev = tDevices[i];
        TraceInfo("libusb - dev%d: VID=0x%X, PID=0x%X", i, tDev.usVendorId, tDev.usProductId);
        if (tDev.usVendorId != m_usVendorId || tDev.usProductId != m_usProductId)
            continue;
        if (*piCount == iWanted && piListIndex != nullptr)
            *piListIndex = i;
        ++*piCount;
    }
    return iStatus;
}

int CUsbCom::GetDeviceCount(int *piCount)
{
    int iCount = 0;
    CountMatches(&iCount, -1, nullptr);
    TraceInfo("CUsbCom - %d VPU found", iCount);
    if (piCount != nullptr)
        *piCount = iCount;
    return COM_OK;
}

int CUsbCom::SelectDevice(quint16 usIndex)
{
    int iCount = 0;
    GetDeviceCount(&iCount);
    if (usIndex >= iCount) {
        TraceError("Invalid Usb Device Index (No such device)!");
        return COM_ERR_NO_DEVICE;
    }
    m_usDeviceIndex = usIndex;
    return COM_OK;
}

int CUsbCom::Open()
{
    if (m_bOpen) {
        TraceError("Usb session already Open!");
        return COM_ERR_FAILED;
    }
    int iCount = 0;
    int iListIndex = -1;
    CountMatches(&iCount, m_usDeviceIndex == 0xFFFF ? -1 : int(m_usDeviceIndex), &iListIndex);
    // No VPU at that index: a failure, not an "open" link on which every transfer fails.
    if (iListIndex < 0) {
        TraceError("Invalid Usb Device Index (No such device)!");
        return COM_ERR_NO_DEVICE;
    }
    int iStatus = m_pBackend->OpenDevice(iListIndex);
    if (iStatus != COM_OK)
        return COM_ERR_CONNECT;
    m_bOpen = true;
    for (int i = 0; i < ENDPOINT_COUNT; ++i) {
        if (m_pBackend->Submit(InSlot(i), s_aucInEndpoints[i], m_aucInBuffers[i], PACKET_SIZE) != COM_OK) {
            Close();
            return COM_ERR_FAILED;
        }
    }
    m_iReadRotation = 0;
    m_iWriteRotation = 0;
    return COM_OK;
}

int CUsbCom::Close()
{
    if (!m_bOpen)
        return COM_OK;
    // The backend cancels every pending read and write and waits for them before it lets
    // go of the device, so no buffer of ours is referenced after this.
    const int iStatus = m_pBackend->CloseDevice();
    m_bOpen = false;
    return iStatus == COM_OK ? COM_OK : COM_ERR_CLOSE;
}

int CUsbCom::ResetEndpointRotation()
{
    m_iReadRotation = 0;
    m_iWriteRotation = 0;
    return COM_OK;
}

int CUsbCom::Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    return ReceiveBulk(uiLength, pucBuffer, puiTimeoutMs);
}

int CUsbCom::Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    return TransferBulk(uiLength, pucBuffer, puiTimeoutMs);
}

int CUsbCom::TransferBulk(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    if (!m_bOpen) {
        TraceError("Error usb_device not openned!");
        return COM_ERR_FAILED;
    }
    if (puiTimeoutMs == nullptr) {
        TraceError("Error: Invalid TimeOut Value!");
        return COM_ERR_PARAM;
    }
    if (uiLength == 0)
        return COM_OK;
    if (*puiTimeoutMs == 0) {
        TraceError("error usb_reap_async: '%s'", "timeout");
        return COM_ERR_TIMEOUT;
    }

    const qint64 llBudget = *puiTimeoutMs;
    QElapsedTimer tTimer;
    tTimer.start();
    bool abInFlight[ENDPOINT_COUNT] = {};
    int aiSent[ENDPOINT_COUNT] = {};
    int iStatus = COM_OK;
    quint32 uiPos = 0;
    int i = m_iWriteRotation;

    // Reaps endpoint j's packet, which must have gone out whole.
    auto fnReap = [&](int j) {
        const qint64 llLeft = TimeLeft(llBudget, tTimer);
        int iActual = 0;
        int iRet = llLeft <= 0 ? COM_ERR_TIMEOUT
                               : m_pBackend->Reap(OutSlot(j), int(std::min<qint64>(llLeft, INT_MAX)), &iActual);
        if (iRet == COM_OK) {
            abInFlight[j] = false;
            if (iActual != aiSent[j])
                iRet = COM_ERR_FAILED;
        }
        if (iRet != COM_OK)
            TraceError("error usb_reap_async: '%s'", iRet == COM_ERR_TIMEOUT ? "timeout" : "transfer failed");
        return iRet;
    };

    while (uiPos < uiLength) {
        if (abInFlight[i] && (iStatus = fnReap(i)) != COM_OK)
            break;
        const int iChunk = int(std::min<quint32>(PACKET_SIZE, uiLength - uiPos));
        // The backend only reads OUT buffers; the cast meets its one buffer type.
        if (m_pBackend->Submit(OutSlot(i), s_aucOutEndpoints[i], const_cast<quint8 *>(pucBuffer + uiPos), iChunk) !=
            COM_OK) {
            TraceError("error usb_submit_async: '%s'", "submit failed");
            iStatus = COM_ERR_FAILED;
            break;
        }
        abInFlight[i] = true;
        aiSent[i] = iChunk;
        uiPos += quint32(iChunk);
        i = (i + 1) % ENDPOINT_COUNT;
        m_iWriteRotation = i;
    }
    if (iStatus == COM_OK) {
        // Oldest first: the endpoint after the last one used.
        for (int k = 0; k < ENDPOINT_COUNT && iStatus == COM_OK; ++k) {
            const int j = (i + k) % ENDPOINT_COUNT;
            if (abInFlight[j])
                iStatus = fnReap(j);
        }
    }
    if (iStatus != COM_OK) {
        // The caller's buffer must not be touched once we return.
        for (int j = 0; j < ENDPOINT_COUNT; ++j) {
            if (abInFlight[j] && m_pBackend->Cancel(OutSlot(j)) != COM_OK) {
                TraceError("error usb_free_async: '%s'", "cancel failed");
                iStatus = COM_ERR_FAILED;
            }
        }
    }
    *puiTimeoutMs = quint32(TimeLeft(llBudget, tTimer));
    return iStatus;
}

int CUsbCom::ReceiveBulk(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    if (!m_bOpen) {
        TraceError("Error usb_device not openned!");
        return COM_ERR_FAILED;
    }
    if (puiTimeoutMs == nullptr) {
        TraceError("Error: Invalid TimeOut Value!");
        return COM_ERR_PARAM;
    }
    if (uiLength == 0)
        return COM_OK;
    if (*puiTimeoutMs == 0) {
        TraceError("error usb_reap_async: '%s'", "timeout");
        return COM_ERR_TIMEOUT;
    }

    const qint64 llBudget = *puiTimeoutMs;
    QElapsedTimer tTimer;
    tTimer.start();
    int iStatus = COM_OK;
    quint32 uiPos = 0;
    int i = m_iReadRotation;
    while (uiPos < uiLength) {
        const qint64 llLeft = TimeLeft(llBudget, tTimer);
        int iActual = 0;
        iStatus = llLeft <= 0 ? COM_ERR_TIMEOUT
                              : m_pBackend->Reap(InSlot(i), int(std::min<qint64>(llLeft, INT_MAX)), &iActual);
        if (iStatus != COM_OK) {
            TraceError("error usb_reap_async: '%s'", iStatus == COM_ERR_TIMEOUT ? "timeout" : "transfer failed");
            break;
        }
        const quint32 uiExpected = std::min<quint32>(PACKET_SIZE, uiLength - uiPos);
        const bool bSizeOk = quint32(iActual) == uiExpected;
        if (bSizeOk)
            std::memcpy(pucBuffer + uiPos, m_aucInBuffers[i], uiExpected);
        // Keep a read pending on this endpoint whatever the packet held.
        const int iSubmit = m_pBackend->Submit(InSlot(i), s_aucInEndpoints[i], m_aucInBuffers[i], PACKET_SIZE);
        i = (i + 1) % ENDPOINT_COUNT;
        m_iReadRotation = i;
        if (!bSizeOk) {
            TraceError("error : Invalid number of data received!\n");
            iStatus = COM_ERR_MSG_LENGTH;
            break;
        }
        if (iSubmit != COM_OK) {
            TraceError("error usb_submit_async: '%s'", "submit failed");
            iStatus = COM_ERR_FAILED;
            break;
        }
        uiPos += uiExpected;
    }
    *puiTimeoutMs = quint32(TimeLeft(llBudget, tTimer));
    if (iStatus != COM_OK)
        TraceError("USB Read Data Failed!");
    return iStatus;
}
