#include "panels/device/sasusettings.h"

#include "mainwindow/zelvor.h"
#include "panels/connectguard.h"
#include "panels/contentenabled.h"
#include "panels/device/ui_sasusettings.h"
#include "panels/fieldwidth.h"
#include "panels/scene/sceneitemdata.h"
#include "trace/trace.h"

#include <QCoreApplication>

namespace {

constexpr quint32 kFanBit = 1u << 0;
constexpr quint32 kRelayBit = 1u << 1;
constexpr quint32 kSpareBit = 1u << 2;

QString Hex32(quint32 uValue)
{
    return QStringLiteral("0x%1").arg(uValue, 8, 16, QLatin1Char('0'));
}

} // namespace

SensorShown_t SensorTexts(int iSensor, int iStatus, const SensorValue_t &tValue)
{
    // The markers let lupdate find the texts below with their context.
    const auto text = [iSensor](const char *pcText) {
        return QCoreApplication::translate("SasuSettings", pcText).arg(iSensor);
    };
    const QString qsNone = QStringLiteral("----");
    if (iStatus != 0)
        return {text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - Unknown")), QStringLiteral("Error")};
    QString qsLabel;
    switch (tValue.Type) {
    case 0:
        return {text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - None")), qsNone};
    case 1:
        qsLabel = text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - Temperature (°C)"));
        break;
    case 2:
        qsLabel = text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - Humidity (%)"));
        break;
    case 3:
        qsLabel = text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - Brightness (lux)"));
        break;
    default:
        return {text(QT_TRANSLATE_NOOP("SasuSettings", "Sensor %1 - Unknown")), qsNone};
    }
    if (tValue.Status == 1)
        return {qsLabel, QStringLiteral("OOR")};
    if (tValue.Status == 2)
        return {qsLabel, QStringLiteral("ERROR")};
    return {qsLabel, QString::number(double(tValue.Value))};
}

SasuSettings::SasuSettings(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::SasuSettings), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    SetOnline(false);
    for (QLCDNumber *pLcd : {m_pUi->m_pSensor0Lcd, m_pUi->m_pSensor1Lcd, m_pUi->m_pSensor2Lcd, m_pUi->m_pSensor3Lcd}) {
        pLcd->display(QStringLiteral("----"));
        pLcd->setProperty("shownText", QStringLiteral("----"));
    }

    Ui::SasuSettings *u = m_pUi;
    // The factory fields show a whole 32-bit value, "0x" included, in any font.
    for (QLineEdit *pEdit : {u->m_pFixtTypeLE, u->m_pFixtSNLE, u->m_pFixtManufLE})
        pEdit->setMinimumWidth(FieldWidthFor(pEdit, WidestHex32(pEdit)));
    connect(u->m_pBlackOutGpBox, &QGroupBox::toggled, this, &SasuSettings::s_OnBlackOutGpBox);
    connect(u->m_pBlackOutOnSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnBlackOutOnSpin);
    connect(u->m_pBlackOutOffSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnBlackOutOffSpin);
    connect(u->m_pFanMoniGpBox, &QGroupBox::toggled, this, &SasuSettings::s_OnFanMoniGpBox);
    connect(u->m_pFanMoniOnSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnFanSwitchOnSpin);
    connect(u->m_pFanMoniOffSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnFanSwitchOffSpin);
    connect(u->m_pGetSensorValBtn, &QPushButton::clicked, this, &SasuSettings::s_OnGetSensorValsBtn);
    connect(u->m_pConfigPermanentBtn, &QPushButton::clicked, this, &SasuSettings::s_OnConfigPermanentBtn);
    connect(u->m_pReadConfigPermanentBtn, &QPushButton::clicked, this, &SasuSettings::s_OnReadConfigPermanentBtn);
    connect(u->m_pManuSwitchWrBtn, &QPushButton::clicked, this, &SasuSettings::s_OnManuSwitchWrBtn);
    connect(u->m_pManuSwitchRdBtn, &QPushButton::clicked, this, &SasuSettings::s_OnManuSwitchRdBtn);
    UpdateGui();
}

SasuSettings::~SasuSettings()
{
    delete m_pUi;
}

void SasuSettings::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    // "Read Configuration" stays as it is: offline its slot does nothing.
    m_pUi->m_pGetSensorValBtn->setEnabled(bOnline);
    m_pUi->m_pConfigPermanentBtn->setEnabled(bOnline);
    m_pUi->m_pManuSwitchWrBtn->setEnabled(bOnline);
    m_pUi->m_pManuSwitchRdBtn->setEnabled(bOnline);
}

void SasuSettings::ClearFixtureList()
{
    ClearItemCombo(m_pUi->m_pFixtNameCbBox, this, &SasuSettings::s_OnItemSelectionChange);
    m_pCurFixture = nullptr;
}

void SasuSettings::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    {
        ConnectionGuard guard(m_pUi->m_pFixtNameCbBox, &QComboBox::currentIndexChanged, this,
                              &SasuSettings::s_OnFixtNameListChange);
        // The followed fixture's anchor goes away with the old list.
        if (m_pCurFixture)
            m_pCurFixture->SetAnchorVisible(false);
        ClearFixtureList();
        FillFixtureCombo(m_pUi->m_pFixtNameCbBox, fixtures, this, &SasuSettings::s_OnItemSelectionChange);
    }
    if (!fixtures.isEmpty())
        s_OnFixtNameListChange(m_pUi->m_pFixtNameCbBox->currentIndex());
    UpdateGui();
}

void SasuSettings::UpdateItemTexts()
{
    QComboBox *pCombo = m_pUi->m_pFixtNameCbBox;
    for (int i = 0; i < pCombo->count(); ++i) {
        if (CFixture *pFixture = AsFixture(ItemFromData(pCombo->itemData(i))))
            pCombo->setItemText(i, pFixture->GetName());
    }
}

int SasuSettings::GetSelectedFixture(CFixture **ppFixture, FixtureAddr_t *pAddr) const
{
    *ppFixture = nullptr;
    const QComboBox *pCombo = m_pUi->m_pFixtNameCbBox;
    if (pCombo->count() == 0)
        return -1;
    *ppFixture = AsFixture(ItemFromData(pCombo->currentData()));
    if (!*ppFixture)
        return -1;
    if (pAddr)
        (*ppFixture)->GetAddress(pAddr);
    return 0;
}

void SasuSettings::s_OnFixtNameListChange(int)
{
    CFixture *pFixture = nullptr;
    if (GetSelectedFixture(&pFixture, nullptr) != 0)
        return;
    if (m_pCurFixture)
        m_pCurFixture->SetAnchorVisible(false);
    m_pCurFixture = pFixture;
    m_pCurFixture->SetAnchorVisible(true);
    m_pCurFixture->setSelected(true);
    const QComboBox *pCombo = m_pUi->m_pFixtNameCbBox;
    for (int i = 0; i < pCombo->count(); ++i) {
        QGraphicsItem *pItem = ItemFromData(pCombo->itemData(i));
        if (!pItem || pItem == m_pCurFixture)
            continue;
        pItem->setSelected(false);
        if (pItem->parentItem())
            pItem->parentItem()->setSelected(false);
    }
    UpdateGui();
}

void SasuSettings::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed fixture is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtNameCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pFixtNameCbBox->setCurrentIndex(iIndex);
    m_pMainWnd->RaiseFixtureDockIfSingle();
}

void SasuSettings::UpdateGui()
{
    CFixture *pFixture = nullptr;
    if (GetSelectedFixture(&pFixture, nullptr) != 0) {
        SetContentEnabled(this, false);
        return;
    }
    SetContentEnabled(this, true);
    Ui::SasuSettings *u = m_pUi;
    FixtureType_t tType;
    pFixture->GetType(&tType);
    quint32 uSerial = 0xFFFFFFFF;
    pFixture->GetSerialNumber(&uSerial);
    u->m_pFixtManufLE->setText(Hex32(tType.manufacturer));
    u->m_pFixtSNLE->setText(Hex32(uSerial));
    u->m_pFixtTypeLE->setText(Hex32(tType.type));
    u->m_pFixtTypeNameLE->setText(tType.name);
    u->m_pTempMoniGpBox->setEnabled(IsSasuType(tType.type));

    const SasuConfig_t t = pFixture->GetSasuConfig();
    {
        ConnectionGuard gBo(u->m_pBlackOutGpBox, &QGroupBox::toggled, this, &SasuSettings::s_OnBlackOutGpBox);
        ConnectionGuard gBoOn(u->m_pBlackOutOnSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnBlackOutOnSpin);
        ConnectionGuard gBoOff(u->m_pBlackOutOffSpin, &QSpinBox::valueChanged, this,
                               &SasuSettings::s_OnBlackOutOffSpin);
        ConnectionGuard gFan(u->m_pFanMoniGpBox, &QGroupBox::toggled, this, &SasuSettings::s_OnFanMoniGpBox);
        ConnectionGuard gFanOn(u->m_pFanMoniOnSpin, &QSpinBox::valueChanged, this, &SasuSettings::s_OnFanSwitchOnSpin);
        ConnectionGuard gFanOff(u->m_pFanMoniOffSpin, &QSpinBox::valueChanged, this,
                                &SasuSettings::s_OnFanSwitchOffSpin);
        u->m_pBlackOutGpBox->setChecked(t.BlackoutMode == 1);
        u->m_pBlackOutOffSpin->setValue(t.BlackoutTempOff);
        u->m_pBlackOutOnSpin->setValue(t.BlackoutTempOn);
        u->m_pFanMoniGpBox->setChecked(t.FanMonitoringMode == 1);
        u->m_pFanMoniOffSpin->setValue(t.FanTempOff);
        u->m_pFanMoniOnSpin->setValue(t.FanTempOn);
    }
    u->m_pSwitchFanCkBox->setEnabled(t.FanMonitoringMode != 1);
}

template <class Field> void SasuSettings::StoreField(Field SasuConfig_t::*pField, int iValue, const char *pcTrace)
{
    if (!m_pCurFixture)
        return;
    TraceInfo(pcTrace, iValue);
    SasuConfig_t t = m_pCurFixture->GetSasuConfig();
    t.*pField = Field(iValue);
    m_pCurFixture->SetSasuConfig(t);
}

void SasuSettings::s_OnBlackOutGpBox(bool bState)
{
    StoreField(&SasuConfig_t::BlackoutMode, bState ? 1 : 0, "Set Automatic Blackout state to %d!");
}

void SasuSettings::s_OnBlackOutOnSpin(int iValue)
{
    StoreField(&SasuConfig_t::BlackoutTempOn, iValue, "Set BlackOut On if temperature goes above than %d degrees!");
}

void SasuSettings::s_OnBlackOutOffSpin(int iValue)
{
    StoreField(&SasuConfig_t::BlackoutTempOff, iValue, "Set BlackOut Off if temperature goes lower than %d degrees!");
}

void SasuSettings::s_OnFanMoniGpBox(bool bState)
{
    StoreField(&SasuConfig_t::FanMonitoringMode, bState ? 1 : 0, "Set Automatic Fan Switch Monitoring state to %d!");
    // The device drives the fan itself while it monitors the temperature.
    if (m_pCurFixture)
        m_pUi->m_pSwitchFanCkBox->setEnabled(!bState);
}

void SasuSettings::s_OnFanSwitchOnSpin(int iValue)
{
    StoreField(&SasuConfig_t::FanTempOn, iValue, "Set Fan Switch On if temperature goes upper than %d degrees!");
}

void SasuSettings::s_OnFanSwitchOffSpin(int iValue)
{
    StoreField(&SasuConfig_t::FanTempOff, iValue, "Set Fan Switch Off if temperature goes lower than %d degrees!");
}

template <class Signal, class Slot, class Call> bool SasuSettings::Request(Signal signal, Slot slot, Call call)
{
    CVpuCom *pCom = &m_pMainWnd->m_VpuCom;
    m_pMainWnd->setDisabled(true);
    LinkConnection(pCom, signal, this, slot, true);
    if (call(pCom) == 0)
        return true;
    Done(signal, slot);
    return false;
}

template <class Signal, class Slot> void SasuSettings::Done(Signal signal, Slot slot)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, signal, this, slot, false);
    m_pMainWnd->setDisabled(false);
}

void SasuSettings::s_OnGetSensorValsBtn()
{
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (!m_bOnline || GetSelectedFixture(&pFixture, &tAddr) != 0)
        return;
    Request(&CVpuCom::sigGetSensorsValuesMsg, &SasuSettings::s_OnGetSensorsValuesDone,
            [&](CVpuCom *pCom) { return pCom->FixtGetSensorValues(tAddr); });
}

void SasuSettings::s_OnGetSensorsValuesDone(int iStatus, SensorValues_t tSensorValues)
{
    CFixture *pFixture = nullptr;
    const bool bShown = GetSelectedFixture(&pFixture, nullptr) == 0 && iStatus == 0;
    ShowSensorsValues(bShown ? 0 : -1, tSensorValues);
    Done(&CVpuCom::sigGetSensorsValuesMsg, &SasuSettings::s_OnGetSensorsValuesDone);
}

void SasuSettings::ShowSensorsValues(int iStatus, const SensorValues_t &tValues)
{
    QLabel *const labels[4] = {m_pUi->m_pSensor0Lbl, m_pUi->m_pSensor1Lbl, m_pUi->m_pSensor2Lbl, m_pUi->m_pSensor3Lbl};
    QLCDNumber *const lcds[4] = {m_pUi->m_pSensor0Lcd, m_pUi->m_pSensor1Lcd, m_pUi->m_pSensor2Lcd,
                                 m_pUi->m_pSensor3Lcd};
    for (int i = 0; i < 4; ++i) {
        const SensorValue_t &t = tValues.Sensor[i];
        const SensorShown_t shown = SensorTexts(i + 1, iStatus, t);
        labels[i]->setText(shown.qsLabel);
        // A reading goes to the display as a number, which formats it into its digit places.
        const bool bNumber = iStatus == 0 && t.Type >= 1 && t.Type <= 3 && t.Status != 1 && t.Status != 2;
        if (bNumber)
            lcds[i]->display(double(t.Value));
        else
            lcds[i]->display(shown.qsDisplay);
        lcds[i]->setProperty("shownText", shown.qsDisplay);
    }
}

void SasuSettings::s_OnConfigPermanentBtn()
{
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (!m_bOnline || GetSelectedFixture(&pFixture, &tAddr) != 0)
        return;
    const Ui::SasuSettings *u = m_pUi;
    SasuConfig_t t{};
    t.BlackoutMode = u->m_pBlackOutGpBox->isChecked() ? 1 : 0;
    t.BlackoutTempOn = qint8(u->m_pBlackOutOnSpin->value());
    t.BlackoutTempOff = qint8(u->m_pBlackOutOffSpin->value());
    t.FanMonitoringMode = u->m_pFanMoniGpBox->isChecked() ? 1 : 0;
    t.FanTempOn = qint8(u->m_pFanMoniOnSpin->value());
    t.FanTempOff = qint8(u->m_pFanMoniOffSpin->value());
    pFixture->SetSasuConfig(t);
    Request(&CVpuCom::sigSetSasuConfigMsg, &SasuSettings::s_OnWriteConfigPermanentDone,
            [&](CVpuCom *pCom) { return pCom->SasuSetConfig(tAddr, t); });
}

void SasuSettings::s_OnWriteConfigPermanentDone(int)
{
    // The link has traced the success or reported the failure itself.
    Done(&CVpuCom::sigSetSasuConfigMsg, &SasuSettings::s_OnWriteConfigPermanentDone);
}

void SasuSettings::s_OnReadConfigPermanentBtn()
{
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (!m_bOnline || GetSelectedFixture(&pFixture, &tAddr) != 0)
        return;
    Request(&CVpuCom::sigGetSasuConfigMsg, &SasuSettings::s_OnReadConfigPermanentDone,
            [&](CVpuCom *pCom) { return pCom->SasuGetConfig(tAddr); });
}

void SasuSettings::s_OnReadConfigPermanentDone(int iStatus, SasuConfig_t tSasuConfig)
{
    CFixture *pFixture = nullptr;
    if (iStatus == 0 && GetSelectedFixture(&pFixture, nullptr) == 0) {
        pFixture->SetSasuConfig(tSasuConfig);
        UpdateGui();
    }
    Done(&CVpuCom::sigGetSasuConfigMsg, &SasuSettings::s_OnReadConfigPermanentDone);
}

void SasuSettings::ShowSwitches(quint32 uiValue)
{
    m_pUi->m_pSwitchFanCkBox->setChecked(uiValue & kFanBit);
    m_pUi->m_pSwitchRelayCkBox->setChecked(uiValue & kRelayBit);
    m_pUi->m_pSwitchSpareCkBox->setChecked(uiValue & kSpareBit);
}

void SasuSettings::s_OnManuSwitchWrBtn()
{
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (!m_bOnline || GetSelectedFixture(&pFixture, &tAddr) != 0)
        return;
    // The register holds more than the switches: it is read first so that the rest goes back as it was.
    Request(&CVpuCom::sigReadFixtureRegMsg, &SasuSettings::s_OnManuSwitchWrReadRegDone,
            [&](CVpuCom *pCom) { return pCom->FixtReadReg(tAddr, SWITCH_REGISTER); });
}

void SasuSettings::s_OnManuSwitchWrReadRegDone(int iStatus, uint uiValue)
{
    LinkConnection(&m_pMainWnd->m_VpuCom, &CVpuCom::sigReadFixtureRegMsg, this,
                   &SasuSettings::s_OnManuSwitchWrReadRegDone, false);
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (iStatus != 0) {
        m_pMainWnd->setDisabled(false);
        ErrorMsg(tr("Failed to read SASU manual switches!"), iStatus);
        return;
    }
    if (GetSelectedFixture(&pFixture, &tAddr) != 0) {
        m_pMainWnd->setDisabled(false);
        return;
    }
    const Ui::SasuSettings *u = m_pUi;
    quint32 uiNew = uiValue & ~(kRelayBit | kSpareBit);
    if (u->m_pSwitchRelayCkBox->isChecked())
        uiNew |= kRelayBit;
    if (u->m_pSwitchSpareCkBox->isChecked())
        uiNew |= kSpareBit;
    // While the device monitors the fan, the fan bit is its own.
    if (!u->m_pFanMoniGpBox->isChecked())
        uiNew = (uiNew & ~kFanBit) | (u->m_pSwitchFanCkBox->isChecked() ? kFanBit : 0);
    m_uiSwitchesRead = uiValue;
    m_uiSwitchesWritten = uiNew;
    Request(&CVpuCom::sigWriteFixtureRegMsg, &SasuSettings::s_OnManuSwitchWrWriteDone,
            [&](CVpuCom *pCom) { return pCom->FixtWriteReg(tAddr, SWITCH_REGISTER, uiNew); });
}

void SasuSettings::s_OnManuSwitchWrWriteDone(int iStatus)
{
    Done(&CVpuCom::sigWriteFixtureRegMsg, &SasuSettings::s_OnManuSwitchWrWriteDone);
    ShowSwitches(iStatus == 0 ? m_uiSwitchesWritten : m_uiSwitchesRead);
    if (iStatus != 0)
        ErrorMsg(tr("Failed to write SASU manual switches!"), iStatus);
}

void SasuSettings::s_OnManuSwitchRdBtn()
{
    CFixture *pFixture = nullptr;
    FixtureAddr_t tAddr{};
    if (!m_bOnline || GetSelectedFixture(&pFixture, &tAddr) != 0)
        return;
    Request(&CVpuCom::sigReadFixtureRegMsg, &SasuSettings::s_OnManuSwitchRdDone,
            [&](CVpuCom *pCom) { return pCom->FixtReadReg(tAddr, SWITCH_REGISTER); });
}

void SasuSettings::s_OnManuSwitchRdDone(int iStatus, uint uiValue)
{
    Done(&CVpuCom::sigReadFixtureRegMsg, &SasuSettings::s_OnManuSwitchRdDone);
    if (iStatus == 0)
        ShowSwitches(uiValue);
    else
        ErrorMsg(tr("Failed to read SASU manual switches!"), iStatus);
}
