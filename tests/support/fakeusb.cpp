#include "fakeusb.h"

#include "comm/com.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

// The model's side of the bus: reads the host's OUT stream, answers in IN packets.
class FakeUsbLink : public VpuSimLink
{
public:
    explicit FakeUsbLink(FakeUsbBus &tBus) : m_tBus(tBus) {}

    bool ReadExact(int iLength, QByteArray *pbaOut) override
    {
        std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
        while (m_tBus.m_bOpen && m_tBus.m_baHostStream.size() < iLength)
            m_tBus.m_Changed.wait(tLock);
        if (!m_tBus.m_bOpen)
            return false;
        *pbaOut = m_tBus.m_baHostStream.left(iLength);
        m_tBus.m_baHostStream.remove(0, iLength);
        return true;
    }

    bool Send(const QByteArray &baBytes, bool) override
    {
        std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
        if (!m_tBus.m_bOpen)
            return false;
        for (int iPos = 0; iPos < baBytes.size(); iPos += 64) {
            m_tBus.m_aInQueues[m_tBus.m_iInRotation].enqueue(baBytes.mid(iPos, 64));
            m_tBus.m_iInRotation = (m_tBus.m_iInRotation + 1) % 3;
        }
        m_tBus.m_Changed.notify_all();
        return true;
    }

    void Drop() override {}

    void ResetRotation() override
    {
        std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
        m_tBus.m_iInRotation = 0;
    }

private:
    FakeUsbBus &m_tBus;
};

class FakeUsbBackend : public CUsbBackend
{
public:
    explicit FakeUsbBackend(FakeUsbBus &tBus) : m_tBus(tBus) {}
    ~FakeUsbBackend() override { CloseDevice(); }

    void GetVersion(int aiVersion[4]) override
    {
        aiVersion[0] = 1;
        aiVersion[1] = 0;
        aiVersion[2] = 0;
        aiVersion[3] = 0;
    }

    int ListDevices(QVector<UsbDeviceId_t> *pDevices) override
    {
        *pDevices = m_tBus.m_Devices;
        return COM_OK;
    }

    int OpenDevice(int iListIndex) override
    {
        {
            std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
            if (m_tBus.m_bOpen || iListIndex < 0 || iListIndex >= m_tBus.m_Devices.size())
                return COM_ERR_CONNECT;
            m_tBus.m_bOpen = true;
            m_tBus.m_iOpenedIndex = iListIndex;
            ++m_tBus.m_iOpenCount;
            m_tBus.m_baHostStream.clear();
            for (auto &tQueue : m_tBus.m_aInQueues)
                tQueue.clear();
            m_tBus.m_iInRotation = 0;
        }
        m_bOpen = true;
        m_tBus.m_Thread = std::thread([this] {
            FakeUsbLink tLink(m_tBus);
            m_tBus.m_Model.Serve(tLink);
        });
        return COM_OK;
    }

    int CloseDevice() override
    {
        if (!m_bOpen)
            return COM_OK;
        for (int i = 0; i < SLOT_COUNT; ++i)
            Cancel(i);
        {
            std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
            m_tBus.m_bOpen = false;
            m_tBus.m_Changed.notify_all();
        }
        if (m_tBus.m_Thread.joinable())
            m_tBus.m_Thread.join();
        m_bOpen = false;
        return COM_OK;
    }

    int Submit(int iSlot, quint8 ucEndpoint, quint8 *pucBuffer, int iLength) override
    {
        if (!m_bOpen || iSlot < 0 || iSlot >= SLOT_COUNT || m_atSlots[iSlot].bInFlight)
            return COM_ERR_FAILED;
        Slot &tSlot = m_atSlots[iSlot];
        tSlot = Slot{true, ucEndpoint, pucBuffer, iLength, iLength};
        if ((ucEndpoint & 0x80) == 0) {
            // OUT packets are taken by the device at once, maybe not whole.
            std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
            tSlot.iActual = std::max(0, iLength - std::exchange(m_tBus.m_iOutShortfall, 0));
            const QByteArray baPacket(reinterpret_cast<const char *>(pucBuffer), tSlot.iActual);
            m_tBus.m_OutLog.append(FakeUsbPacket{ucEndpoint, baPacket});
            m_tBus.m_baHostStream += baPacket;
            m_tBus.m_Changed.notify_all();
        }
        return COM_OK;
    }

    int Reap(int iSlot, int iTimeoutMs, int *piActual) override
    {
        if (iSlot < 0 || iSlot >= SLOT_COUNT || !m_atSlots[iSlot].bInFlight)
            return COM_ERR_FAILED;
        Slot &tSlot = m_atSlots[iSlot];
        if ((tSlot.ucEndpoint & 0x80) == 0) {
            tSlot.bInFlight = false;
            *piActual = tSlot.iActual;
            return COM_OK;
        }
        const int iIndex = (tSlot.ucEndpoint & 0x7F) - 1;
        const auto tDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(iTimeoutMs);
        std::unique_lock<std::mutex> tLock(m_tBus.m_Mutex);
        QQueue<QByteArray> &tQueue = m_tBus.m_aInQueues[iIndex];
        while (tQueue.isEmpty()) {
            if (std::chrono::steady_clock::now() >= tDeadline)
                return COM_ERR_TIMEOUT;
            m_tBus.m_Changed.wait_until(tLock, tDeadline);
        }
        const QByteArray baPacket = tQueue.dequeue();
        m_tBus.m_InLog.append(FakeUsbPacket{tSlot.ucEndpoint, baPacket});
        tSlot.bInFlight = false;
        if (baPacket.size() > tSlot.iLength)
            return COM_ERR_FAILED; // overflow, as a real bus reports it
        std::memcpy(tSlot.pucBuffer, baPacket.constData(), size_t(baPacket.size()));
        *piActual = int(baPacket.size());
        return COM_OK;
    }

    int Cancel(int iSlot) override
    {
        if (iSlot < 0 || iSlot >= SLOT_COUNT)
            return COM_ERR_FAILED;
        m_atSlots[iSlot].bInFlight = false;
        return COM_OK;
    }

private:
    struct Slot
    {
        bool bInFlight = false;
        quint8 ucEndpoint = 0;
        quint8 *pucBuffer = nullptr;
        int iLength = 0;
        int iActual = 0; // what the device took of an OUT packet
    };
    FakeUsbBus &m_tBus;
    bool m_bOpen = false;
    Slot m_atSlots[SLOT_COUNT];
};

FakeUsbBus::FakeUsbBus(const QVector<UsbDeviceId_t> &tDevices) : m_Devices(tDevices) {}

FakeUsbBus::~FakeUsbBus()
{
    {
        std::unique_lock<std::mutex> tLock(m_Mutex);
        m_bOpen = false;
        m_Changed.notify_all();
    }
    if (m_Thread.joinable())
        m_Thread.join();
}

std::unique_ptr<CUsbBackend> FakeUsbBus::MakeBackend()
{
    return std::make_unique<FakeUsbBackend>(*this);
}

QList<FakeUsbPacket> FakeUsbBus::OutPackets() const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_OutLog;
}

QList<FakeUsbPacket> FakeUsbBus::InPackets() const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_InLog;
}

void FakeUsbBus::ClearPackets()
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_OutLog.clear();
    m_InLog.clear();
}

void FakeUsbBus::InjectInPacket(int iIndex, const QByteArray &baPacket)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_aInQueues[iIndex].prepend(baPacket);
    m_Changed.notify_all();
}

void FakeUsbBus::ShortenNextOutPacket(int iBytes)
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    m_iOutShortfall = iBytes;
}

int FakeUsbBus::OpenedListIndex() const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_iOpenedIndex;
}

int FakeUsbBus::OpenCount() const
{
    std::unique_lock<std::mutex> tLock(m_Mutex);
    return m_iOpenCount;
}
