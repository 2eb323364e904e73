#include "update/fixtureupdate.h"

#include "config/softconf.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "panels/contentenabled.h"
#include "panels/fieldwidth.h"
#include "panels/hexfield.h"
#include "panels/scene/sceneitemdata.h"
#include "trace/trace.h"
#include "update/ui_fixtureupdate.h"

#include <cstdlib>

namespace {

// Output 255, number 0xFFFFFFFF: every fixture on every output.
FixtureAddr_t BroadcastAddress()
{
    FixtureAddr_t addr{};
    addr.output = 255;
    addr.number = 0xFFFFFFFFu;
    return addr;
}

// The catalogue's sensor record is not packed: the wire form is copied field by field.
FixtureSensorWire_t SensorWire(const SensorType_t &tSensor)
{
    FixtureSensorWire_t tWire{};
    tWire.type = tSensor.kind;
    tWire.VInMax = tSensor.VInMax;
    tWire.VInMin = tSensor.VInMin;
    tWire.SensorMax = tSensor.SensorMax;
    tWire.SensorMin = tSensor.SensorMin;
    return tWire;
}

QString TileText(const FixtureTile_t &tTile)
{
    return FixtureUpdate::tr("Width=%1 - Height=%2 - Horizontal Offset=%3 - Vertical Offset=%4")
        .arg(tTile.width)
        .arg(tTile.height)
        .arg(tTile.xOffset)
        .arg(tTile.yOffset);
}

} // namespace

FixtureUpdate::FixtureUpdate(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::FixtureUpdate), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::FixtureUpdate *u = m_pUi;
    connect(u->m_pFixtTypeCbBox, &QComboBox::currentIndexChanged, this, &FixtureUpdate::s_OnFixtTypeCbBox);
    connect(u->m_pFirmFpgaFileToolBox, &QToolButton::clicked, this, &FixtureUpdate::s_OnFirmFpgaFileTBox);
    connect(u->m_pFirmSoftFileToolBox, &QToolButton::clicked, this, &FixtureUpdate::s_OnFirmSoftFileTBox);
    connect(u->m_pFirmProgFixtBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnFirmProgFixtBtn);
    connect(u->m_pFirmProgAllBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnFirmProgAllBtn);
    connect(u->m_pFirmSafeProgAllBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnFirmProgAllSafeBtn);
    connect(u->m_pGainFileToolBox, &QToolButton::clicked, this, &FixtureUpdate::s_OnLpuGainFileTBox);
    connect(u->m_pLpuGainProgBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnLpuGainProgBtn);
    connect(u->m_pLpuGainProgAllBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnLpuGainProgAllBtn);
    connect(u->m_pLpuGainProgBigScreenBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnLpuGainProgBigScreenBtn);
    connect(u->m_pLedMapFileToolBox, &QToolButton::clicked, this, &FixtureUpdate::s_OnLedMapFileTBox);
    connect(u->m_pLedMapProgFixtBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnLedMapProgFixtBtn);
    connect(u->m_pLedMapProgAllBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnLedMapProgAllBtn);
    connect(u->m_pProgParamBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnFixtParamProgBtn);
    connect(u->m_pGetCurrentSettingsBtn, &QPushButton::clicked, this, &FixtureUpdate::s_OnGetCurrentSettingsBtn);

    SetOnline(false);
    m_SelectedAddr = BroadcastAddress();
    m_TargetAddr = BroadcastAddress();
    g_SoftConf.GetFixtureTypes(m_FixtureTypes);
    u->m_pFixtTypeCbBox->clear();
    for (int i = 0; i < m_FixtureTypes.size(); ++i)
        u->m_pFixtTypeCbBox->addItem(m_FixtureTypes.at(i).name, i);
    u->m_pFixtTypeCbBox->setCurrentIndex(0);
    m_iChosenType = 0;
    u->m_pFirmSafeProgAllBtn->setVisible(g_SoftConf.GetFactoryMode());
    u->m_pCorrectVuCoefs->hide();
    // A tile field holds the longest line a tile can give, every size and offset at its largest.
    const FixtureTile_t tLargest{255, 255, 255, 255};
    for (QLineEdit *pEdit : {u->m_pTile1LE, u->m_pTile2LE, u->m_pTile3LE, u->m_pTile4LE})
        pEdit->setMinimumWidth(FieldWidthFor(pEdit, TileText(tLargest)));
    // Docked beside the scene the panel is narrower than its two columns: its fields keep their
    // values whole and the dock scrolls instead.
    FitMaskedFields(this);
    KeepFieldTextsWhole(this);
}

FixtureUpdate::~FixtureUpdate()
{
    delete m_pUi;
    std::free(m_pcFpgaImage);
    std::free(m_pcSoftware);
}

CVpuCom *FixtureUpdate::Com() const
{
    return &m_pMainWnd->m_VpuCom;
}

void FixtureUpdate::SetOnline(bool bOnline)
{
    m_bOnline = bOnline;
    const bool bEnable = bOnline && m_pUi->m_pFixtCbBox->count() > 0;
    for (QPushButton *pButton :
         {m_pUi->m_pFirmProgAllBtn, m_pUi->m_pFirmProgFixtBtn, m_pUi->m_pLpuGainProgBtn, m_pUi->m_pProgParamBtn,
          m_pUi->m_pGetCurrentSettingsBtn, m_pUi->m_pLedMapProgAllBtn, m_pUi->m_pLedMapProgFixtBtn})
        pButton->setEnabled(bEnable);
}

void FixtureUpdate::ClearFixtureList()
{
    ClearItemCombo(m_pUi->m_pFixtCbBox, this, &FixtureUpdate::s_OnItemSelectionChange);
    m_pSelectedFixture = nullptr;
    m_SelectedAddr = BroadcastAddress();
}

void FixtureUpdate::UpdateFixtureList(const QList<CFixture *> &fixtures)
{
    // The rebuild must not select anything on the scene.
    disconnect(m_pUi->m_pFixtCbBox, &QComboBox::currentIndexChanged, this, &FixtureUpdate::s_OnFixtCbBox);
    ClearFixtureList();
    if (!fixtures.isEmpty()) {
        FillFixtureCombo(m_pUi->m_pFixtCbBox, fixtures, this, &FixtureUpdate::s_OnItemSelectionChange);
        connect(m_pUi->m_pFixtCbBox, &QComboBox::currentIndexChanged, this, &FixtureUpdate::s_OnFixtCbBox,
                Qt::UniqueConnection);
        s_OnFixtCbBox(m_pUi->m_pFixtCbBox->currentIndex());
    }
    ShowFixtureInfo();
    SetOnline(m_bOnline);
}

void FixtureUpdate::s_OnFixtCbBox(int)
{
    QComboBox *pCombo = m_pUi->m_pFixtCbBox;
    if (pCombo->count() == 0) {
        ShowFixtureInfo();
        return;
    }
    const int iCurrent = pCombo->currentIndex();
    m_pSelectedFixture = AsFixture(ItemFromData(pCombo->itemData(iCurrent)));
    if (!m_pSelectedFixture)
        return;
    m_pSelectedFixture->GetAddress(&m_SelectedAddr);
    m_pSelectedFixture->setSelected(true);
    for (int i = 0; i < pCombo->count(); ++i) {
        if (i == iCurrent)
            continue;
        if (CFixture *pOther = AsFixture(ItemFromData(pCombo->itemData(i)))) {
            pOther->setSelected(false);
            if (QGraphicsItem *pParent = pOther->parentItem())
                pParent->setSelected(false);
        }
    }
    ShowFixtureInfo();
}

void FixtureUpdate::s_OnItemSelectionChange(QGraphicsItem *, bool)
{
    // Follows the scene only while exactly one listed item is selected there.
    const int iIndex = SingleSelectedInCombo(m_pUi->m_pFixtCbBox);
    if (iIndex < 0)
        return;
    m_pUi->m_pFixtCbBox->setCurrentIndex(iIndex);
    m_pMainWnd->RaiseFixtureDockIfSingle();
}

void FixtureUpdate::ShowFixtureInfo()
{
    if (m_pUi->m_pFixtCbBox->count() == 0) {
        SetContentEnabled(this, false);
        return;
    }
    SetContentEnabled(this, true);
    CFixture *pFixture = AsFixture(ItemFromData(m_pUi->m_pFixtCbBox->currentData()));
    if (!pFixture) {
        SetContentEnabled(this, false);
        return;
    }
    FixtureType_t tType;
    quint32 uiSerial = 0;
    FixtureVersions_t tVersions{};
    pFixture->GetType(&tType);
    pFixture->GetBoardType(&uiSerial);
    pFixture->GetVersions(&tVersions);

    int iTypeIndex = -1;
    for (int i = 0; i < m_FixtureTypes.size() && iTypeIndex < 0; ++i) {
        if (m_FixtureTypes.at(i).type == tType.type)
            iTypeIndex = i;
    }
    if (iTypeIndex < 0) {
        ErrorMsg(tr("Unknown fixture type = 0x%1! (check configuration files)").arg(HexText(tType.type, 8)), 0);
        SetContentEnabled(this, false);
        return;
    }
    m_pUi->m_pFixtTypeCbBox->setCurrentIndex(iTypeIndex);
    m_pUi->m_pFixtTypeLE->setText(HexText(tType.type, 8));
    m_pUi->m_pWidthSpin->setValue(tType.width);
    m_pUi->m_pHeightSpin->setValue(tType.height);
    m_pUi->m_pFixtManufLE->setText(HexText(tType.manufacturer, 8));
    ShowTileInfo(tType.tiles);
    ShowSensorInfo(tType.sensors);
    m_pUi->m_pFixtSNLE->setText(HexText(uiSerial, 8));
    m_pUi->m_pPcbVersionLE->setText(QStringLiteral("V%1").arg(tVersions.pcbVersion));
    m_pUi->m_pFirmFpgaVersLE->setText(QStringLiteral("Type=%1 - V%2.%3")
                                          .arg(tVersions.fpgaVersion >> 4)
                                          .arg(tVersions.fpgaVersion & 0x0F)
                                          .arg(tVersions.fpgaMinor));
    m_pUi->m_pFirmSoftVersLE->setText(QStringLiteral("V%1.%2").arg(tVersions.niosMajor).arg(tVersions.niosMinor));
}

void FixtureUpdate::s_OnFixtTypeCbBox(int iIndex)
{
    if (iIndex < 0 || iIndex >= m_FixtureTypes.size())
        return;
    m_iChosenType = iIndex;
    const FixtureType_t &tType = m_FixtureTypes.at(iIndex);
    m_pUi->m_pFixtTypeLE->setText(HexText(tType.type, 8));
    m_pUi->m_pFixtManufLE->setText(HexText(tType.manufacturer, 8));
    m_pUi->m_pWidthSpin->setValue(tType.width);
    m_pUi->m_pHeightSpin->setValue(tType.height);
    ShowTileInfo(tType.tiles);
    ShowSensorInfo(tType.sensors);
}

void FixtureUpdate::ShowTileInfo(const FixtureTile_t atTiles[4])
{
    QLineEdit *apEdits[4] = {m_pUi->m_pTile1LE, m_pUi->m_pTile2LE, m_pUi->m_pTile3LE, m_pUi->m_pTile4LE};
    for (int i = 0; i < 4; ++i)
        apEdits[i]->setText(TileText(atTiles[i]));
}

void FixtureUpdate::ShowSensorInfo(const SensorType_t atSensors[4])
{
    QLineEdit *apEdits[4] = {m_pUi->m_pSensor0LE, m_pUi->m_pSensor1LE, m_pUi->m_pSensor2LE, m_pUi->m_pSensor3LE};
    static const char *const apcKinds[] = {nullptr, QT_TR_NOOP("temperature"), QT_TR_NOOP("humidity"),
                                           QT_TR_NOOP("luminosity")};
    for (int i = 0; i < 4; ++i) {
        const quint16 usKind = atSensors[i].kind;
        if (usKind == 0)
            apEdits[i]->setText(tr("No sensor for this type of fixture"));
        else if (usKind <= 3)
            apEdits[i]->setText(tr("Type='%1' - Name='%2'").arg(tr(apcKinds[usKind]), atSensors[i].name));
        else
            apEdits[i]->setText(tr("Invalid sensor type (Please check configuration file)"));
    }
}

// ---- file choosers ----

void FixtureUpdate::ChooseFile(const QString &qsCaption, const QString &qsFolder, const QString &qsFilter,
                               QLineEdit *pEdit)
{
    const QString qsName = Prompts::Instance().GetOpenFileName(this, qsCaption, qsFolder, qsFilter);
    if (qsName.isEmpty())
        return;
    pEdit->clear();
    pEdit->setText(qsName);
}

void FixtureUpdate::s_OnFirmFpgaFileTBox()
{
    const QString qsFilter = QStringLiteral("*.rbf");
    ChooseFile(tr("Select the FPGA firmware file to program in FLASH (%1)").arg(qsFilter), QStringLiteral("Firmwares/"),
               qsFilter, m_pUi->m_pFirmFpgaFileLE);
}

void FixtureUpdate::s_OnFirmSoftFileTBox()
{
    const QString qsFilter = QStringLiteral("*.bin");
    ChooseFile(tr("Select the Software firmware file to program in FLASH (%1)").arg(qsFilter),
               QStringLiteral("Firmwares/"), qsFilter, m_pUi->m_pFirmSoftFileLE);
}

void FixtureUpdate::s_OnLpuGainFileTBox()
{
    ChooseFile(tr("Select the fixture Gain table file to program in FLASH"), QStringLiteral("Gain/"),
               tr("Gain files (*.eldim *.vu3 *.radiant)"), m_pUi->m_pGainFileLE);
}

void FixtureUpdate::s_OnLedMapFileTBox()
{
    ChooseFile(tr("Select the LED mapping file to program in FLASH"), QStringLiteral("Firmwares/"),
               QStringLiteral("*.map"), m_pUi->m_pLedMapFileLE);
}

// ---- current settings ----

void FixtureUpdate::s_OnGetCurrentSettingsBtn()
{
    m_pMainWnd->setDisabled(true);
    connect(Com(), &CVpuCom::sigGetFixtureConfigMsg, this, &FixtureUpdate::s_OnGetFixtureConfigDone,
            Qt::UniqueConnection);
    if (Com()->FixtGetConfig(m_SelectedAddr) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(Com(), &CVpuCom::sigGetFixtureConfigMsg, this, &FixtureUpdate::s_OnGetFixtureConfigDone);
    }
}

void FixtureUpdate::s_OnGetFixtureConfigDone(int iStatus, FixtureConfig_t tFixtConfig, SasuConfig_t tSasuConfig)
{
    disconnect(Com(), &CVpuCom::sigGetFixtureConfigMsg, this, &FixtureUpdate::s_OnGetFixtureConfigDone);
    m_pMainWnd->setDisabled(false);
    if (iStatus != 0 || !m_pSelectedFixture)
        return;
    m_pSelectedFixture->SetSasuConfig(tSasuConfig);
    FixtureType_t tType;
    if (g_SoftConf.GetFixtureType(tFixtConfig.Type, &tType) != 0)
        return;
    m_pSelectedFixture->SetType(tType);
    m_pSelectedFixture->SetBoardType(tFixtConfig.SerialNumber);
    FixtureVersions_t tVersions{};
    tVersions.pcbVersion = tFixtConfig.PcbVersion;
    tVersions.fpgaVersion = tFixtConfig.FpgaVersion;
    tVersions.fpgaMinor = tFixtConfig.FpgaMinor;
    tVersions.niosMajor = tFixtConfig.NiosMajor;
    tVersions.niosMinor = tFixtConfig.NiosMinor;
    m_pSelectedFixture->SetVersions(tVersions);
    ShowFixtureInfo();
}

// ---- factory parameters ----

void FixtureUpdate::s_OnFixtParamProgBtn()
{
    if (!m_bOnline || !m_pSelectedFixture)
        return;
    const int iIndex = m_pUi->m_pFixtTypeCbBox->currentIndex();
    if (iIndex < 0 || iIndex >= m_FixtureTypes.size())
        return;
    m_iChosenType = iIndex;
    const FixtureType_t &tType = m_FixtureTypes.at(iIndex);

    FixtureFactoryParam_t &p = m_FactoryParam;
    // The reserved bytes go out as zeros rather than as whatever an older block held.
    p = FixtureFactoryParam_t{};
    p.SizeX = quint8(m_pUi->m_pWidthSpin->value());
    p.SizeY = quint8(m_pUi->m_pHeightSpin->value());
    p.Type = HexField(m_pUi->m_pFixtTypeLE);
    p.ManufacturerCode = HexField(m_pUi->m_pFixtManufLE);
    p.SerialNumber = HexField(m_pUi->m_pFixtSNLE);

    TraceInfo("Programming factory parameters in fixture %s ...", U8(m_pUi->m_pFixtCbBox->currentText()).constData());
    TraceInfo("    (Size: x=%d, y=%d - Board Type=0x%08X, Manufacturer Code=0x%08X, Serial Number=0x%08X)", p.SizeX,
              p.SizeY, p.Type, p.ManufacturerCode, p.SerialNumber);
    for (int i = 0; i < 4; ++i) {
        const FixtureTile_t &t = tType.tiles[i];
        p.tiles[i] = FixtureTileWire_t{t.width, t.height, t.xOffset, t.yOffset};
        TraceInfo("    (Tile%d: Width=%02d - Height=%02d - Horizontal Offset=%02d - Vertical Offset=%02d)", i + 1,
                  t.width, t.height, t.xOffset, t.yOffset);
    }
    FixtureSensorWire_t *apSensors[4] = {&p.sensor0, &p.sensor1, &p.sensor2, &p.sensor3};
    for (int i = 0; i < 4; ++i) {
        const SensorType_t &s = tType.sensors[i];
        *apSensors[i] = SensorWire(s);
        TraceInfo("    (Sensor%d: Name='%s' - Type=%d (0:none, 1:temp, 2:humi, 3:lumi) - VInMin=%f - VInMax=%f - "
                  "SensorMin=%f - SensorMax=%f)",
                  i, U8(s.name).constData(), s.kind, double(s.VInMin), double(s.VInMax), double(s.SensorMin),
                  double(s.SensorMax));
    }

    m_pMainWnd->setDisabled(true);
    connect(Com(), &CVpuCom::sigWriteFixtureFactoryParamMsg, this, &FixtureUpdate::s_OnWriteFixtFactoryDone,
            Qt::UniqueConnection);
    if (Com()->FixtWriteFactoryParam(m_SelectedAddr, p) != 0) {
        m_pMainWnd->setDisabled(false);
        disconnect(Com(), &CVpuCom::sigWriteFixtureFactoryParamMsg, this, &FixtureUpdate::s_OnWriteFixtFactoryDone);
    }
}

void FixtureUpdate::s_OnWriteFixtFactoryDone(int iStatus)
{
    if (iStatus == 0) {
        TraceSuccess("Factory parameters programmed in fixture F%d.%d!", m_SelectedAddr.output,
                     int(m_SelectedAddr.number));
        if (m_pSelectedFixture) {
            m_pSelectedFixture->SetBoardType(m_FactoryParam.SerialNumber);
            FixtureType_t tType;
            if (g_SoftConf.GetFixtureType(m_FactoryParam.Type, &tType) == 0)
                m_pSelectedFixture->SetType(tType);
        }
    } else {
        ErrorMsg(tr("Failed to program parameters on F%1.%2!").arg(m_SelectedAddr.output).arg(m_SelectedAddr.number),
                 iStatus);
    }
    m_pMainWnd->setDisabled(false);
    disconnect(Com(), &CVpuCom::sigWriteFixtureFactoryParamMsg, this, &FixtureUpdate::s_OnWriteFixtFactoryDone);
}
