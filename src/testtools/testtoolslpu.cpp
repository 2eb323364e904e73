// The test tools' fixture tools: 32-bit registers, memory to and from files, the acquisition
// buffer as a picture, and the reboot of one fixture or all.
#include "testtools/testtoolsrequest.h"
#include "testtools/ui_testtools.h"
#include "trace/trace.h"

#include <QFile>
#include <QImage>

namespace {

constexpr quint32 kAcqBufferSize = TestTools::ACQ_BUFFER_SIDE * TestTools::ACQ_BUFFER_SIDE * 4;
constexpr FixtureAddr_t kBroadcast{0xFF, 0xFFFFFFFF};

// Fixtures are printed with a signed output and number, so the broadcast address reads F-1.-1.
int Out(const FixtureAddr_t &tAddr)
{
    return qint8(tAddr.output);
}

int Num(const FixtureAddr_t &tAddr)
{
    return qint32(tAddr.number);
}

} // namespace

void TestTools::SetupLpuTab()
{
    connect(m_pUi->m_pLpuRegAdrBroadcastRadio, &QRadioButton::toggled, this, &TestTools::s_OnLpuRegAdrRadio);
    connect(m_pUi->m_pLpuRebootBroadcastRadio, &QRadioButton::toggled, this, &TestTools::s_OnLpuRebootAdrRadio);
    connect(m_pUi->m_pLpuRegReadBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuRegReadBtn);
    connect(m_pUi->m_pLpuRegWriteBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuRegWriteBtn);
    connect(m_pUi->m_pLpuRebootBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuRebootBtn);
    connect(m_pUi->m_pLpuMemWrFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuMemFileWriteChoiceBtn);
    connect(m_pUi->m_pLpuMemRdFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuMemFileReadChoiceBtn);
    connect(m_pUi->m_pLpuMemWrFileBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuMemFileWriteBtn);
    connect(m_pUi->m_pLpuMemRdFileBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuMemFileReadBtn);
    connect(m_pUi->m_pLpuAcqBuffRdFileChoiceBtn, &QPushButton::clicked, this,
            &TestTools::s_OnLpuAcqBuffRdFileChoiceBtn);
    connect(m_pUi->m_pLpuAcqBuffWrFileChoiceBtn, &QPushButton::clicked, this,
            &TestTools::s_OnLpuAcqBuffWrFileChoiceBtn);
    connect(m_pUi->m_pLpuAcqBuffRdFileBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuAcqBuffRdFileBtn);
    connect(m_pUi->m_pLpuAcqBuffWrFileBtn, &QPushButton::clicked, this, &TestTools::s_OnLpuAcqBuffWrFileBtn);
    s_OnLpuRegAdrRadio(false);
    s_OnLpuRebootAdrRadio(false);
}

// ---- fixture address pickers ----

int TestTools::GetPickerAddress(const QRadioButton *pBroadcast, const QSpinBox *pLink, const QSpinBox *pNumber,
                                FixtureAddr_t *ptAddr)
{
    if (pBroadcast->isChecked()) {
        *ptAddr = kBroadcast;
        return 0;
    }
    *ptAddr = FixtureAddr_t{quint8(pLink->value()), quint32(pNumber->value())};
    if (ptAddr->output == 0 || ptAddr->number == 0) {
        TraceError("Invalid Fixture Address - 0 is not a valid Link or address!");
        return -1;
    }
    return 0;
}

int TestTools::GetFixtureAddress(FixtureAddr_t *ptAddr)
{
    return GetPickerAddress(m_pUi->m_pLpuRegAdrBroadcastRadio, m_pUi->m_pLpuAdrLinkSpin, m_pUi->m_pLpuAdrSpin, ptAddr);
}

bool TestTools::GetReadFixture(FixtureAddr_t *ptAddr)
{
    if (GetFixtureAddress(ptAddr) != 0)
        return false;
    if (ptAddr->output == kBroadcast.output || ptAddr->number == kBroadcast.number) {
        TraceError("Invalid Fixture Address - a read needs one fixture, not the broadcast address!");
        return false;
    }
    return true;
}

void TestTools::UpdateLpuRegAddressWidgets()
{
    const bool bBroadcast = m_pUi->m_pLpuRegAdrBroadcastRadio->isChecked();
    for (QWidget *pWidget :
         {static_cast<QWidget *>(m_pUi->m_pLpuRegReadBtn), static_cast<QWidget *>(m_pUi->m_pLpuAdrLinkSpin),
          static_cast<QWidget *>(m_pUi->m_pLpuAdrSpin), static_cast<QWidget *>(m_pUi->m_pLpuAdrLinkLbl),
          static_cast<QWidget *>(m_pUi->m_pLpuAdrLbl)})
        pWidget->setEnabled(!bBroadcast);
    m_pUi->m_pLpuRegAdrBroadcastLbl->setEnabled(bBroadcast);
}

void TestTools::s_OnLpuRegAdrRadio(bool)
{
    UpdateLpuRegAddressWidgets();
}

void TestTools::s_OnLpuRebootAdrRadio(bool)
{
    const bool bBroadcast = m_pUi->m_pLpuRebootBroadcastRadio->isChecked();
    for (QWidget *pWidget :
         {static_cast<QWidget *>(m_pUi->m_pLpuRebootAdrLinkSpin), static_cast<QWidget *>(m_pUi->m_pLpuRebootAdrSpin),
          static_cast<QWidget *>(m_pUi->m_pLpuRebootAdrLinkLbl), static_cast<QWidget *>(m_pUi->m_pLpuRebootAdrLbl)})
        pWidget->setEnabled(!bBroadcast);
    m_pUi->m_pLpuRebootAdrBroadcastLbl->setEnabled(bBroadcast);
}

// ---- registers ----

// With no names loaded the offset field is the only register there is, whatever the radio.
bool TestTools::CurrentLpuOffset(quint32 *puiOffset, const char *pcError) const
{
    const int iIdx = m_pUi->m_pLpuRegOffsetCbBox->currentIndex();
    if (m_pUi->m_pLpuRegOffsetNameRadio->isChecked() && iIdx >= 0 && iIdx < m_LpuRegList.size()) {
        *puiOffset = m_LpuRegList.at(iIdx).offset;
        return true;
    }
    bool bOk = false;
    *puiOffset = m_pUi->m_pLpuRegOffsetLE->text().trimmed().toUInt(&bOk, 16);
    if (!bOk)
        TraceError("%s", pcError);
    return bOk;
}

void TestTools::s_OnLpuRegWriteBtn()
{
    FixtureAddr_t tAddr{};
    quint32 uiOffset = 0;
    if (GetFixtureAddress(&tAddr) != 0 ||
        !CurrentLpuOffset(&uiOffset, "Invalid fixture register offset! (Must be in hexa format in "
                                     "[0x00000000;0xFFFFFFFF] range)"))
        return;
    const quint32 uiValue = HexField(m_pUi->m_pLpuRegValueLineEdit);
    StartRequest(&CVpuCom::sigWriteFixtureRegMsg, &TestTools::s_OnLpuRegWriteDone,
                 [&](CVpuCom &com) { return com.FixtWriteReg(tAddr, uiOffset, uiValue); });
}

void TestTools::s_OnLpuRegWriteDone(int iReturn)
{
    if (!TakeReply(&CVpuCom::sigWriteFixtureRegMsg, &TestTools::s_OnLpuRegWriteDone))
        return;
    FixtureAddr_t tAddr{};
    GetPickerAddress(m_pUi->m_pLpuRegAdrBroadcastRadio, m_pUi->m_pLpuAdrLinkSpin, m_pUi->m_pLpuAdrSpin, &tAddr);
    quint32 uiOffset = 0;
    CurrentLpuOffset(&uiOffset, "");
    const quint32 uiValue = HexField(m_pUi->m_pLpuRegValueLineEdit);
    if (iReturn == 0)
        TraceSuccess("Write F%d.%d Register at Offset 0x%08X = 0x%08X", Out(tAddr), Num(tAddr), uiOffset, uiValue);
    else
        TraceError("Failed to write F%d.%d register value at offset '0x%08X' with value '0x%08X' (Error = %d)",
                   Out(tAddr), Num(tAddr), uiOffset, uiValue, iReturn);
}

void TestTools::s_OnLpuRegReadBtn()
{
    FixtureAddr_t tAddr{};
    quint32 uiOffset = 0;
    if (!GetReadFixture(&tAddr) ||
        !CurrentLpuOffset(&uiOffset,
                          "Invalid register offset! (Must be in hexa format in [0x00000000;0xFFFFFFFF] range)"))
        return;
    StartRequest(&CVpuCom::sigReadFixtureRegMsg, &TestTools::s_OnLpuRegReadDone,
                 [&](CVpuCom &com) { return com.FixtReadReg(tAddr, uiOffset); });
}

void TestTools::s_OnLpuRegReadDone(int iReturn, uint uiValue)
{
    if (!TakeReply(&CVpuCom::sigReadFixtureRegMsg, &TestTools::s_OnLpuRegReadDone))
        return;
    FixtureAddr_t tAddr{};
    GetPickerAddress(m_pUi->m_pLpuRegAdrBroadcastRadio, m_pUi->m_pLpuAdrLinkSpin, m_pUi->m_pLpuAdrSpin, &tAddr);
    quint32 uiOffset = 0;
    CurrentLpuOffset(&uiOffset, "");
    if (iReturn != 0) {
        TraceError("Failed to read F%d.%d register value at offset '0x%08X' (Error = %d)", Out(tAddr), Num(tAddr),
                   uiOffset, iReturn);
        return;
    }
    m_pUi->m_pLpuRegValueLineEdit->setText(HexText(uiValue, 8));
    TraceSuccess("Read F%d.%d register at Offset 0x%08X = 0x%08X", Out(tAddr), Num(tAddr), uiOffset, uiValue);
}

// ---- reboot ----

void TestTools::s_OnLpuRebootBtn()
{
    FixtureAddr_t tAddr{};
    if (GetPickerAddress(m_pUi->m_pLpuRebootBroadcastRadio, m_pUi->m_pLpuRebootAdrLinkSpin, m_pUi->m_pLpuRebootAdrSpin,
                         &tAddr) != 0)
        return;
    StartRequest(&CVpuCom::sigRebootFixtureMsg, &TestTools::s_OnLpuRebootDone,
                 [tAddr](CVpuCom &com) { return com.FixtReboot(tAddr); });
}

void TestTools::s_OnLpuRebootDone(int iReturn)
{
    if (!TakeReply(&CVpuCom::sigRebootFixtureMsg, &TestTools::s_OnLpuRebootDone))
        return;
    FixtureAddr_t tAddr{};
    GetPickerAddress(m_pUi->m_pLpuRebootBroadcastRadio, m_pUi->m_pLpuRebootAdrLinkSpin, m_pUi->m_pLpuRebootAdrSpin,
                     &tAddr);
    if (iReturn == 0)
        TraceSuccess("Fixtures F%d.%d rebooted!", Out(tAddr), Num(tAddr));
    else
        TraceError("Failed to reboot fixtures F%d.%d! (Error = %d)", Out(tAddr), Num(tAddr), iReturn);
}

// ---- memory and files ----

bool TestTools::LoadFixtureMemFile(bool bVerify, FixtureMemReq_t *ptReq)
{
    const bool bAddressed = bVerify ? GetReadFixture(&ptReq->Addr) : GetFixtureAddress(&ptReq->Addr) == 0;
    if (!bAddressed)
        return false;
    const QString qsName = m_pUi->m_pLpuMemWrFileCbBox->currentText();
    const QByteArray baName = U8(qsName);
    if (qsName.isEmpty()) {
        TraceError("Empty file name!");
        return false;
    }
    ptReq->Offset = HexField(m_pUi->m_pLpuRegOffsetLE);
    ptReq->Size = HexField(m_pUi->m_pLpuMemRdSize);
    if (bVerify) {
        TraceInfo("Verify memory data of F%d.%d...", Out(ptReq->Addr), Num(ptReq->Addr));
        TraceInfo("    Comparison File: %s", baName.constData());
        TraceInfo("    Memory offset 0x%08X - Size 0x%08X", ptReq->Offset, ptReq->Size);
    } else {
        TraceInfo("Write file '%s' in memory buffer of F%d.%d...", baName.constData(), Out(ptReq->Addr),
                  Num(ptReq->Addr));
        TraceInfo("    Fixture memory offset: 0x%08X - Size: 0x%08X", ptReq->Offset, ptReq->Size);
    }
    QFile file(qsName);
    if (!file.exists()) {
        TraceError("File does not exists!");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        TraceError("Failed to open '%s' file!", baName.constData());
        return false;
    }
    if (quint64(file.size()) < ptReq->Size) {
        TraceError("File size is lower than requested write size! (limit to file size = 0x%08X)", quint32(file.size()));
        ptReq->Size = quint32(file.size());
    }
    // Nothing to write or compare would still be reported as done.
    if (ptReq->Size == 0) {
        TraceError("Invalid length!");
        return false;
    }
    try {
        m_baFixtMem = file.readAll();
    } catch (const std::bad_alloc &) {
        TraceError("Failed to allocate memory to read file data!");
        return false;
    }
    if (m_baFixtMem.size() != file.size()) {
        m_baFixtMem.clear();
        TraceError("Failed to read data from file!");
        return false;
    }
    return true;
}

void TestTools::s_OnLpuMemFileWriteBtn()
{
    FixtureMemReq_t tReq{};
    if (!LoadFixtureMemFile(false, &tReq))
        return;
    if (!StartRequest(&CVpuCom::sigWriteFixtureMemMsg, &TestTools::s_OnLpuMemWrFileDone,
                      [&](CVpuCom &com) { return com.FixtWriteMem(tReq, m_baFixtMem.constData()); }))
        m_baFixtMem.clear();
}

void TestTools::s_OnLpuMemWrFileDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigWriteFixtureMemMsg, &TestTools::s_OnLpuMemWrFileDone))
        return;
    m_baFixtMem.clear();
    if (iStatus == 0)
        TraceSuccess("File written to fixture memory!");
    else
        ErrorMsg(tr("Failed to write file to fixture memory!"), iStatus);
}

void TestTools::s_OnLpuMemFileVerifBtn()
{
    FixtureMemReq_t tReq{};
    if (!LoadFixtureMemFile(true, &tReq))
        return;
    if (!StartRequest(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuMemVerifFileDone,
                      [&](CVpuCom &com) { return com.FixtReadMem(tReq); }))
        m_baFixtMem.clear();
}

void TestTools::s_OnLpuMemVerifFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData)
{
    if (!TakeReply(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuMemVerifFileDone))
        return;
    const QByteArray baFile = std::exchange(m_baFixtMem, QByteArray());
    if (iStatus != 0) {
        TraceError("Verification Failed - Failed to read data from fixture memory (Error = %d)", iStatus);
    } else if (baData.size() != qsizetype(tFixtMemReq.Size) || baFile.size() < baData.size()) {
        TraceError("Verification Failed - Invalid Data Buffer pointer read from fixture memory!");
    } else if (CVpuCom::CompareSwapped32(reinterpret_cast<const quint8 *>(baFile.constData()),
                                         reinterpret_cast<const quint8 *>(baData.constData()),
                                         int(baData.size())) != 0) {
        TraceError("Verification Failed - Fixture memory data differ from file data! (F%d.%d)",
                   int(tFixtMemReq.Addr.output), Num(tFixtMemReq.Addr));
    } else {
        TraceSuccess("Verification Succeed");
    }
}

void TestTools::s_OnLpuMemFileReadBtn()
{
    const QString qsName = m_pUi->m_pLpuMemRdFileCbBox->currentText();
    FixtureMemReq_t tReq{};
    if (!GetReadFixture(&tReq.Addr))
        return;
    TraceInfo("Read memory buffer of F%d.%d and save in '%s'...", Out(tReq.Addr), Num(tReq.Addr),
              U8(qsName).constData());
    tReq.Offset = HexField(m_pUi->m_pLpuRegOffsetLE);
    tReq.Size = HexField(m_pUi->m_pLpuMemRdSize);
    if (tReq.Size == 0) {
        TraceError("Invalid length!");
        return;
    }
    TraceInfo("    Fixture memory offset: 0x%08X - Size: 0x%08X", tReq.Offset, tReq.Size);
    if (qsName.isEmpty()) {
        TraceError("Invalid Output file name!");
        return;
    }
    StartRequest(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuMemRdFileDone,
                 [tReq](CVpuCom &com) { return com.FixtReadMem(tReq); });
}

void TestTools::s_OnLpuMemRdFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData)
{
    if (!TakeReply(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuMemRdFileDone))
        return;
    if (iStatus != 0) {
        TraceError("Failed to read data from fixture's memory (Error = %d)", iStatus);
        return;
    }
    if (baData.size() != qsizetype(tFixtMemReq.Size)) {
        TraceError("Invalid Data Buffer pointer read from fixture's memory!");
        return;
    }
    const QString qsName = m_pUi->m_pLpuMemRdFileCbBox->currentText();
    if (SaveReadData(qsName, baData))
        TraceSuccess("0x%08X bytes read on fixture's memory offset 0x%08X and written on file '%s'", tFixtMemReq.Size,
                     tFixtMemReq.Offset, U8(qsName).constData());
}

// ---- acquisition buffer ----

void TestTools::s_OnLpuAcqBuffRdFileBtn()
{
    const QString qsName = m_pUi->m_pLpuAcqBuffRdFileCbBox->currentText();
    FixtureMemReq_t tReq{{}, ACQ_BUFFER_OFFSET, kAcqBufferSize};
    if (!GetReadFixture(&tReq.Addr))
        return;
    TraceInfo("Read acquisition buffer of F%d.%d and save image in '%s'...", Out(tReq.Addr), Num(tReq.Addr),
              U8(qsName).constData());
    TraceInfo("    Fixture Acquisition Buffer coordinates: 0x%08X", ACQ_BUFFER_OFFSET);
    if (qsName.isEmpty()) {
        TraceError("Invalid Output file name!");
        return;
    }
    StartRequest(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuAcqBuffRdFileDone,
                 [tReq](CVpuCom &com) { return com.FixtReadMem(tReq); });
}

void TestTools::s_OnLpuAcqBuffRdFileDone(int iStatus, FixtureMemReq_t tFixtMemReq, QByteArray baData)
{
    if (!TakeReply(&CVpuCom::sigReadFixtureMemMsg, &TestTools::s_OnLpuAcqBuffRdFileDone))
        return;
    if (iStatus != 0) {
        TraceError("Failed to read data from fixture acquisition buffer (Error = %d)", iStatus);
        return;
    }
    if (baData.size() != qsizetype(kAcqBufferSize)) {
        TraceError("Invalid Data Buffer pointer read from fixture Acq Buffer");
        return;
    }
    // Each pixel is the big-endian word 0x00RRGGBB.
    QImage image(ACQ_BUFFER_SIDE, ACQ_BUFFER_SIDE, QImage::Format_ARGB32);
    const auto *pucPixel = reinterpret_cast<const uchar *>(baData.constData());
    for (int y = 0; y < ACQ_BUFFER_SIDE; ++y) {
        auto *puiLine = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < ACQ_BUFFER_SIDE; ++x, pucPixel += 4)
            puiLine[x] = qRgb(pucPixel[1], pucPixel[2], pucPixel[3]);
    }
    const QString qsName = m_pUi->m_pLpuAcqBuffRdFileCbBox->currentText();
    if (!image.save(qsName, "BMP"))
        TraceError("Failed to save fixture Acquisition buffer data to '%s'", U8(qsName).constData());
    else
        TraceSuccess("Read fixture Acquisition buffer data (from buffer at offset 0x%08X, width = %d, heigth=%d) to "
                     "'%s'!",
                     tFixtMemReq.Offset, ACQ_BUFFER_SIDE, ACQ_BUFFER_SIDE, U8(qsName).constData());
}

void TestTools::s_OnLpuAcqBuffWrFileBtn()
{
    const QString qsName = m_pUi->m_pLpuAcqBuffWrFileCbBox->currentText();
    const QByteArray baName = U8(qsName);
    FixtureMemReq_t tReq{{}, ACQ_BUFFER_OFFSET, kAcqBufferSize};
    if (GetFixtureAddress(&tReq.Addr) != 0)
        return;
    TraceInfo("Write '%s' image file in acquisition buffer of fixture F%d.%d...", baName.constData(), Out(tReq.Addr),
              Num(tReq.Addr));
    TraceInfo("   Fixture Acquisition Buffer coordinates: 0x%08X", ACQ_BUFFER_OFFSET);
    QImage image;
    if (!LoadInputImage(qsName, &image))
        return;
    TraceInfo("   Image Size: width=%d, heigth=%d", image.width(), image.height());
    if (image.width() < ACQ_BUFFER_SIDE || image.height() < ACQ_BUFFER_SIDE) {
        TraceError("Image width is too low (<%d)!", ACQ_BUFFER_SIDE);
        return;
    }
    image.convertTo(QImage::Format_ARGB32);
    m_baFixtMem = QByteArray(qsizetype(kAcqBufferSize), '\0');
    char *pcPixel = m_baFixtMem.data();
    for (int y = 0; y < ACQ_BUFFER_SIDE; ++y) {
        const auto *puiLine = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < ACQ_BUFFER_SIDE; ++x, pcPixel += 4) {
            pcPixel[1] = char(qRed(puiLine[x]));
            pcPixel[2] = char(qGreen(puiLine[x]));
            pcPixel[3] = char(qBlue(puiLine[x]));
        }
    }
    if (!StartRequest(&CVpuCom::sigWriteFixtureMemMsg, &TestTools::s_OnLpuAcqBuffWrFileDone,
                      [&](CVpuCom &com) { return com.FixtWriteMem(tReq, m_baFixtMem.constData()); }))
        m_baFixtMem.clear();
}

void TestTools::s_OnLpuAcqBuffWrFileDone(int iStatus)
{
    if (!TakeReply(&CVpuCom::sigWriteFixtureMemMsg, &TestTools::s_OnLpuAcqBuffWrFileDone))
        return;
    m_baFixtMem.clear();
    if (iStatus == 0)
        TraceSuccess("Image written to fixture Acquisition Buffer!");
    else
        ErrorMsg(tr("Failed to write image file to fixture Acquisition Buffer"), iStatus);
}

// ---- file choosers ----

void TestTools::s_OnLpuMemFileWriteChoiceBtn()
{
    ChooseFile(m_pUi->m_pLpuMemWrFileCbBox, false, tr("Select the fixture memory data Input file"), QString(), true);
}

void TestTools::s_OnLpuMemFileReadChoiceBtn()
{
    ChooseFile(m_pUi->m_pLpuMemRdFileCbBox, true, tr("Select the fixture memory data Output file"), QString(), true);
}

void TestTools::s_OnLpuAcqBuffRdFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pLpuAcqBuffRdFileCbBox, true,
               tr("Select the fixture Acquisition buffer Output file (%1)").arg("*.bmp"), QStringLiteral("*.bmp"),
               true);
}

void TestTools::s_OnLpuAcqBuffWrFileChoiceBtn()
{
    ChooseFile(m_pUi->m_pLpuAcqBuffWrFileCbBox, false,
               tr("Select the fixture Acquisition Output file (%1)").arg("*.bmp;*.jpg"), QStringLiteral("*.bmp;*.jpg"),
               true);
}
