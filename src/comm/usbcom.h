#pragma once
// The VPU link over the VPU's vendor-specific USB bulk interface. The stream is cut into
// packets of at most 64 bytes that travel round-robin over three OUT endpoints (0x01..0x03)
// and three IN endpoints (0x81..0x83); both sides keep their rotation in step, and INIT_COM
// brings both back to the first endpoint. A 64-byte read is always pending on every IN
// endpoint while the link is open; writes keep up to one packet in flight per OUT endpoint.
//
// Owned by the VPU worker for one opening of the link; the connection dialog also uses one
// only to count the VPUs attached.

#include "comm/com.h"
#include "comm/usbbackend.h"

#include <memory>

class CUsbCom : public CCom
{
public:
    // With no backend, the process-wide default one (libusb) is used.
    explicit CUsbCom(std::unique_ptr<CUsbBackend> pBackend = nullptr);
    ~CUsbCom() override;

    int SetVidPid(quint16 usVid, quint16 usPid);
    int GetDeviceCount(int *piCount);
    int SelectDevice(quint16 usIndex);
    int Open() override;
    int Close() override;
    int Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs) override;
    int Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs) override;
    int ResetEndpointRotation();

    // Replaces how CUsbCom objects built without a backend get one (tests put a simulated
    // VPU there); an empty factory restores libusb.
    static void SetDefaultBackendFactory(UsbBackendFactory_t fnFactory);

    static constexpr int PACKET_SIZE = 64;
    static constexpr int ENDPOINT_COUNT = 3;

private:
    int ReceiveBulk(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs);
    int TransferBulk(quint32 uiLength, const quint8 *pucBuffer, quint32 *puiTimeoutMs);
    int CountMatches(int *piCount, int iWanted, int *piListIndex);
    static int OutSlot(int i) { return i; }
    static int InSlot(int i) { return ENDPOINT_COUNT + i; }

    quint16 m_usVendorId = 0xFFFF;
    quint16 m_usProductId = 0xFFFF;
    quint16 m_usDeviceIndex = 0xFFFF;
    int m_iReadRotation = 0;
    int m_iWriteRotation = 0;
    bool m_bOpen = false;
    std::unique_ptr<CUsbBackend> m_pBackend;
    static constexpr quint8 s_aucInEndpoints[ENDPOINT_COUNT] = {0x81, 0x82, 0x83};
    static constexpr quint8 s_aucOutEndpoints[ENDPOINT_COUNT] = {0x01, 0x02, 0x03};
    quint8 m_aucInBuffers[ENDPOINT_COUNT][PACKET_SIZE] = {};
};
