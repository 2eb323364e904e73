#pragma once
// A simulated USB bus with VPUs behind CUsbCom: the attached devices' ids, and the VPU model
// (vpusim.h) served on the device opened. Requests arrive as OUT packets; each reply piece
// is cut into 64-byte packets that go round-robin over the three IN endpoints, the way the
// VPU does it. Every packet is logged with its endpoint; packets can be injected.
//
// The test owns the FakeUsbBus; backends made by it refer to it and must not outlive it.

#include "comm/usbbackend.h"
#include "vpusim.h"

#include <QByteArray>
#include <QList>
#include <QQueue>
#include <QVector>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

struct FakeUsbPacket
{
    quint8 ucEndpoint;
    QByteArray baBytes;
};

class FakeUsbBus
{
public:
    explicit FakeUsbBus(const QVector<UsbDeviceId_t> &tDevices);
    ~FakeUsbBus();
    std::unique_ptr<CUsbBackend> MakeBackend();
    VpuSimModel &Model() { return m_Model; }

    QList<FakeUsbPacket> OutPackets() const;
    QList<FakeUsbPacket> InPackets() const; // as taken by the host
    void ClearPackets();
    // Queues a packet on IN endpoint 0x81 + iIndex ahead of the VPU's own.
    void InjectInPacket(int iIndex, const QByteArray &baPacket);
    // The device takes iBytes fewer of the next OUT packet than were sent.
    void ShortenNextOutPacket(int iBytes);
    int OpenedListIndex() const;
    int OpenCount() const;

private:
    friend class FakeUsbBackend;
    friend class FakeUsbLink;
    QVector<UsbDeviceId_t> m_Devices;
    VpuSimModel m_Model;
    mutable std::mutex m_Mutex; // std:: primitives: Qt is not built for ThreadSanitizer
    std::condition_variable m_Changed;
    QList<FakeUsbPacket> m_OutLog;
    QList<FakeUsbPacket> m_InLog;
    QByteArray m_baHostStream; // OUT bytes the model has not read yet
    QQueue<QByteArray> m_aInQueues[3];
    int m_iInRotation = 0;
    int m_iOutShortfall = 0;
    bool m_bOpen = false;
    int m_iOpenedIndex = -1;
    int m_iOpenCount = 0;
    std::thread m_Thread;
};
