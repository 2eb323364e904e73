#include "comm/usbhid.h"

#include "trace/trace.h"

#include <QCoreApplication>
#include <QMutex>
#include <QString>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// The platform's HID devices through hidapi (hidraw on Linux).
class HidapiPort : public CHidPort
{
public:
    HidapiPort()
    {
        static std::once_flag once;
        std::call_once(once, [] { hid_init(); });
    }
    ~HidapiPort() override { Close(); }

    bool Open(quint16 usVid, quint16 usPid) override
    {
        Close();
        m_pDevice = hid_open(usVid, usPid, nullptr);
        return m_pDevice != nullptr;
    }

    void Close() override
    {
        if (m_pDevice)
            hid_close(m_pDevice);
        m_pDevice = nullptr;
    }

    int Write(const quint8 *pReport, int iLength) override
    {
        return m_pDevice ? hid_write(m_pDevice, pReport, size_t(iLength)) : -1;
    }

    int Read(quint8 *pData, int iLength, int iTimeoutMs) override
    {
        return m_pDevice ? hid_read_timeout(m_pDevice, pData, size_t(iLength), iTimeoutMs) : -1;
    }

private:
    hid_device *m_pDevice = nullptr;
};

QMutex g_FactoryMutex;
HidPortFactory g_Factory;

} // namespace

void CUsbHid::SetPortFactory(HidPortFactory factory)
{
    QMutexLocker lock(&g_FactoryMutex);
    g_Factory = std::move(factory);
}

CUsbHid::CUsbHid()
{
    QMutexLocker lock(&g_FactoryMutex);
    if (g_Factory)
        m_pPort = g_Factory();
    if (!m_pPort)
        m_pPort = std::make_unique<HidapiPort>();
}

CUsbHid::~CUsbHid()
{
    Close();
}

int CUsbHid::Open(quint16 usVid, quint16 usPid)
{
    Close();
    if (m_pPort->Open(usVid, usPid)) {
        m_iAttached = 1;
        return 1;
    }
    const QString qsText =
        QCoreApplication::translate("CUsbHid", "USB Device with VID= 0x%1 and PID= 0x%2 is not found")
            .arg(usVid, 0, 16)
            .arg(usPid, 0, 16);
    TraceInfo("%s", qsText.toUtf8().constData());
    return 0;
}

int CUsbHid::Write(const quint8 *pData, int iLength)
{
    if (!m_iAttached || iLength < 1)
        return 0;
    int iResult = 0;
    for (int iDone = 0; iDone < iLength; iDone += HID_DATA_SIZE) {
        quint8 report[HID_REPORT_SIZE];
        std::memset(report, 0xFF, sizeof report);
        report[0] = 0; // the bootloader's reports carry no report id
        const int iSlice = std::min(HID_DATA_SIZE, iLength - iDone);
        std::memcpy(report + 1, pData + iDone, size_t(iSlice));
        // A failed report does not stop the others: the missing reply shows the failure.
        iResult = m_pPort->Write(report, HID_REPORT_SIZE) == HID_REPORT_SIZE ? 1 : 0;
    }
    return iResult;
}

int CUsbHid::Read(quint8 *pBuffer, int iLength)
{
    if (!m_iAttached || iLength < 1)
        return 0;
    quint8 data[HID_REPORT_SIZE];
    const int iRead = m_pPort->Read(data, HID_DATA_SIZE, m_iReadTimeoutMs);
    if (iRead <= 0)
        return 0;
    const int iCopy = std::min({iRead, iLength, HID_DATA_SIZE});
    std::memcpy(pBuffer, data, size_t(iCopy));
    return iCopy;
}

void CUsbHid::Discard()
{
    if (!m_iAttached)
        return;
    quint8 data[HID_REPORT_SIZE];
    while (m_pPort->Read(data, HID_DATA_SIZE, 0) > 0) {
    }
}

void CUsbHid::Close()
{
    if (m_pPort)
        m_pPort->Close();
    m_iAttached = 0;
}
