#include "testtools/testtools.h"

#include "comm/vpucom.h"
#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "panels/contentenabled.h"
#include "panels/fieldwidth.h"
#include "testtools/ui_testtools.h"

TestTools::TestTools(Zelvor *pMainWnd) : QWidget(pMainWnd), m_pUi(new Ui::TestTools), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pRegReadBtn, &QPushButton::clicked, this, &TestTools::s_OnFpgaRegReadBtn);
    connect(m_pUi->m_pRegWriteBtn, &QPushButton::clicked, this, &TestTools::s_OnFpgaRegWriteBtn);
    connect(m_pUi->m_pOffsetNameRadio, &QRadioButton::toggled, this, &TestTools::s_OnFpgaOffsetModeRadio);
    connect(m_pUi->m_pI2cReadBtn, &QPushButton::clicked, this, &TestTools::s_OnI2cReadBtn);
    connect(m_pUi->m_pI2cWriteBtn, &QPushButton::clicked, this, &TestTools::s_OnI2cWriteBtn);
    connect(m_pUi->m_pFpgaPatternSdram1Btn, &QPushButton::clicked, this, &TestTools::s_OnFpgaTestPatternSdram1Btn);
    connect(m_pUi->m_pBlackOutSdramBtn, &QPushButton::clicked, this, &TestTools::s_OnBlackOutSdramBtn);
    connect(m_pUi->m_pFpgaPatternOutputBtn, &QPushButton::clicked, this, &TestTools::s_OnFpgaTestPatternOutputBtn);
    connect(m_pUi->m_pFpgaPatternScalerBtn, &QPushButton::clicked, this,
            &TestTools::s_OnFpgaTestPatternScalerOutputBtn);
    connect(m_pUi->m_pScriptFileChoiceBtn, &QPushButton::clicked, this, &TestTools::s_OnScriptChoiceBtn);
    connect(m_pUi->m_pRunScriptBtn, &QPushButton::clicked, this, &TestTools::s_OnRunScriptBtn);
    connect(m_pUi->m_pRegOffsetCbBox, &QComboBox::currentIndexChanged, this, &TestTools::s_OnRegOffsetCbBoxIdxChanged);
    connect(m_pUi->m_pLpuRegOffsetCbBox, &QComboBox::currentIndexChanged, this,
            &TestTools::s_OnLpuRegOffsetCbBoxIdxChanged);
    connect(m_pUi->m_pLpuRegOffsetNameRadio, &QRadioButton::toggled, this, &TestTools::s_OnLpuRegOffsetRadio);
    SetUpGenerators();
    FitMaskedFields(this);

    m_pUi->m_pTestToolsTab->setCurrentIndex(0);

    // The form's example items give way to the histories of the configuration.
    m_pUi->m_pScriptCBox->clear();
    m_pUi->m_pSDRAMWrFileCbBox->clear();
    m_pUi->m_pSDRAMRdFileCbBox->clear();
    g_SoftConf.GetScriptsHistory(m_ScriptsHistory);
    g_SoftConf.GetSdramReadHistory(m_SdramReadHistory);
    g_SoftConf.GetSdramWriteHistory(m_SdramWriteHistory);
    m_pUi->m_pScriptCBox->addItems(m_ScriptsHistory);
    m_pUi->m_pSDRAMWrFileCbBox->addItems(m_SdramWriteHistory);
    m_pUi->m_pSDRAMRdFileCbBox->addItems(m_SdramReadHistory);

    LoadVpuRegInit();
    ConnectRegCombo();
    LoadLpuRegInit();
    ConnectLpuRegCombo();
    SetupSdramTab();
    SetupFlashTab();
    SetupLpuTab();

    BuildSectorList();
    SetOnline(false);
}

TestTools::~TestTools()
{
    delete m_pUi;
}

void TestTools::SetOnline(bool bState)
{
    // Offline, the pages' own scroll bars stay usable: a dock narrower than a page still brings
    // all of it into view.
    for (QWidget *pPart :
         {static_cast<QWidget *>(m_pUi->m_pFpgaScroll), static_cast<QWidget *>(m_pUi->m_pSDRAMScroll),
          static_cast<QWidget *>(m_pUi->m_pFlashScroll), static_cast<QWidget *>(m_pUi->m_pLpuRegGpBox),
          static_cast<QWidget *>(m_pUi->m_pLpuRebootGpBox), static_cast<QWidget *>(m_pUi->m_pScriptScroll)})
        SetContentEnabled(pPart, bState);
}

// One item per sector of the VPU flash, from the same geometry the flash requests use, so that
// an item never names a size other than the one its erase removes.
void TestTools::BuildSectorList()
{
    QListWidget *pList = m_pUi->m_pFlashSectorsList;
    pList->clear();
    quint32 uiOffset = 0;
    for (int iSector = 0; uiOffset < CVpuCom::VPU_FLASH_SIZE; ++iSector) {
        quint32 uiStart = 0;
        quint32 uiSize = 0;
        if (CVpuCom::GetVpuFlashSector(uiOffset, &uiStart, &uiSize) != 0 || uiSize == 0)
            break;
        auto *pItem = new QListWidgetItem(tr("Sector %1 - %2KB - Offset 0x%3")
                                              .arg(iSector, 3, 10, QLatin1Char('0'))
                                              .arg(uiSize / 1024)
                                              .arg(uiStart, 8, 16, QLatin1Char('0')));
        pItem->setData(Qt::UserRole, uiStart);
        pItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        pList->addItem(pItem);
        uiOffset = uiStart + uiSize;
    }
}
