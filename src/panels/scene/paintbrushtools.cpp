#include "panels/scene/paintbrushtools.h"

#include "config/softconf.h"
#include "mainwindow/zelvor.h"
#include "panels/scene/ui_paintbrushtools.h"
#include "trace/trace.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// How many fixtures of a size fit from a position to the screen's edge; never below one, so
// that a count box keeps its minimum of 1 (the position's own maximum keeps that one inside).
int CountMax(int iScreen, int iPos, int iSize)
{
    return qMax(1, (iScreen - iPos) / qMax(iSize, 1));
}

// The last position from which a block of that many fixtures still fits.
int PosMax(int iScreen, int iCount, int iSize)
{
    return qMax(iScreen - iCount * iSize, 0);
}

} // namespace

PaintBrushTools::PaintBrushTools(Zelvor *pMainWnd)
    : QWidget(pMainWnd), m_pUi(new Ui::PaintBrushTools), m_pMainWnd(pMainWnd)
{
    m_pUi->setupUi(this);
    Ui::PaintBrushTools *ui = m_pUi;
    connect(ui->m_pFixtTypeCbBox, &QComboBox::currentIndexChanged, this, &PaintBrushTools::s_OnFixtTypeCbBox);
    connect(ui->m_pGroupSizeGpBox, &QGroupBox::toggled, this, &PaintBrushTools::s_OnGroupSizeGpBox);
    connect(ui->m_pHorGroupSizeSpin, &QSpinBox::valueChanged, this, &PaintBrushTools::s_OnHorGroupSizeSpin);
    connect(ui->m_pVerGroupSizeSpin, &QSpinBox::valueChanged, this, &PaintBrushTools::s_OnVerGroupSizeSpin);
    connect(ui->m_pPosHorSpin, &QSpinBox::valueChanged, this, &PaintBrushTools::s_OnHorPosSpin);
    connect(ui->m_pPosVertSpin, &QSpinBox::valueChanged, this, &PaintBrushTools::s_OnVerPosSpin);
    connect(ui->m_pAddFixtureBtn, &QPushButton::clicked, this, &PaintBrushTools::s_OnAddFixturesBtn);

    g_SoftConf.GetFixtureTypes(m_FixtureTypes);
    ui->m_pFixtTypeCbBox->clear();
    // The first item added becomes current and selects its type with the table complete.
    for (int i = 0; i < m_FixtureTypes.size(); ++i)
        ui->m_pFixtTypeCbBox->addItem(m_FixtureTypes.at(i).name, i);
    ui->m_pFixtTypeCbBox->setCurrentIndex(0);
    m_iFixtTypeIndex = 0;
}

PaintBrushTools::~PaintBrushTools()
{
    delete m_pUi;
}

const FixtureType_t *PaintBrushTools::CurrentType() const
{
    if (m_iFixtTypeIndex < 0 || m_iFixtTypeIndex >= m_FixtureTypes.size())
        return nullptr;
    return &m_FixtureTypes.at(m_iFixtTypeIndex);
}

void PaintBrushTools::s_OnFixtTypeCbBox(int iValue)
{
    m_iFixtTypeIndex = iValue;
    const FixtureType_t *pType = CurrentType();
    if (!pType)
        return;
    const int w = pType->width;
    const int h = pType->height;
    TraceInfo("Select Fixture type '%s' - Type = 0x%08X - Manufacturer code = 0x%08X - Width = %d - Height = %d",
              U8(pType->name).constData(), pType->type, pType->manufacturer, w, h);
    Ui::PaintBrushTools *ui = m_pUi;
    const bool bSasu = IsSasuType(pType->type);
    ui->m_pGroupSizeGpBox->setEnabled(!bSasu);
    // A SASU is added alone: it is placed like a one-fixture block, and a position that the
    // previous type allowed but this one does not is reset as for any block.
    const int iAcross = bSasu ? 1 : ui->m_pHorGroupSizeSpin->value();
    const int iDown = bSasu ? 1 : ui->m_pVerGroupSizeSpin->value();
    if (iAcross * w + ui->m_pPosHorSpin->value() > kScreenWidth) {
        ui->m_pPosHorSpin->setValue(0);
        ui->m_pHorGroupSizeSpin->setValue(1);
        TraceInfo("Previous Horizontal group number and position does not fit on full screen width. Reset settings to "
                  "1 fixture number and 0 offset!");
    }
    if (iDown * h + ui->m_pPosVertSpin->value() > kScreenHeight) {
        ui->m_pPosVertSpin->setValue(0);
        ui->m_pVerGroupSizeSpin->setValue(1);
        TraceInfo("Previous Vertical group number and position does not fit on full screen heigth. Reset settings to "
                  "1 fixture number and 0 offset!");
    }
    if (bSasu) {
        ui->m_pHorGroupSizeSpin->setValue(1);
        ui->m_pVerGroupSizeSpin->setValue(1);
        ui->m_pPosHorSpin->setMaximum(PosMax(kScreenWidth, 1, w));
        ui->m_pPosVertSpin->setMaximum(PosMax(kScreenHeight, 1, h));
        return;
    }
    const int iHorMax = CountMax(kScreenWidth, ui->m_pPosHorSpin->value(), w);
    ui->m_pHorGroupSizeSpin->setMaximum(iHorMax);
    TraceInfo("Update maximum horizontal group size to %d", iHorMax);
    const int iVerMax = CountMax(kScreenHeight, ui->m_pPosVertSpin->value(), h);
    ui->m_pVerGroupSizeSpin->setMaximum(iVerMax);
    TraceInfo("Update maximum vertical group size to %d", iVerMax);
    s_OnGroupSizeGpBox(ui->m_pGroupSizeGpBox->isChecked());
}

void PaintBrushTools::s_OnGroupSizeGpBox(bool bChecked)
{
    const FixtureType_t *pType = CurrentType();
    if (!pType)
        return;
    TraceInfo("Fixture group is %s", bChecked ? "selected" : "not selected");
    const int iAcross = bChecked ? m_pUi->m_pHorGroupSizeSpin->value() : 1;
    const int iDown = bChecked ? m_pUi->m_pVerGroupSizeSpin->value() : 1;
    const int iLeftMax = PosMax(kScreenWidth, iAcross, pType->width);
    m_pUi->m_pPosHorSpin->setMaximum(iLeftMax);
    TraceInfo("Update maximum left position to %d", iLeftMax);
    const int iTopMax = PosMax(kScreenHeight, iDown, pType->height);
    m_pUi->m_pPosVertSpin->setMaximum(iTopMax);
    TraceInfo("Update maximum top position to %d", iTopMax);
}

void PaintBrushTools::CountChanged(bool bAcross, int iCount)
{
    const FixtureType_t *pType = CurrentType();
    if (!pType)
        return;
    const int iMax =
        bAcross ? PosMax(kScreenWidth, iCount, pType->width) : PosMax(kScreenHeight, iCount, pType->height);
    (bAcross ? m_pUi->m_pPosHorSpin : m_pUi->m_pPosVertSpin)->setMaximum(iMax);
    TraceInfo(bAcross ? "Select Horizontal Group Size: %d - Update maximum left position to %d"
                      : "Select Vertical Group Size: %d - Update maximum top position to %d",
              iCount, iMax);
}

void PaintBrushTools::PositionChanged(bool bAcross, int iPos)
{
    const FixtureType_t *pType = CurrentType();
    if (!pType)
        return;
    const int iMax =
        bAcross ? CountMax(kScreenWidth, iPos, pType->width) : CountMax(kScreenHeight, iPos, pType->height);
    (bAcross ? m_pUi->m_pHorGroupSizeSpin : m_pUi->m_pVerGroupSizeSpin)->setMaximum(iMax);
    TraceInfo(bAcross ? "Select Horizontal Group Position: %d - Update maximum horizontal group size to %d"
                      : "Select Vertical Group Position: %d - Update maximum vertical group size to %d",
              iPos, iMax);
}

void PaintBrushTools::s_OnHorGroupSizeSpin(int iValue)
{
    CountChanged(true, iValue);
}

void PaintBrushTools::s_OnVerGroupSizeSpin(int iValue)
{
    CountChanged(false, iValue);
}

void PaintBrushTools::s_OnHorPosSpin(int iValue)
{
    PositionChanged(true, iValue);
}

void PaintBrushTools::s_OnVerPosSpin(int iValue)
{
    PositionChanged(false, iValue);
}

void PaintBrushTools::s_OnAddFixturesBtn()
{
    QComboBox *pCombo = m_pUi->m_pFixtTypeCbBox;
    if (pCombo->count() == 0)
        return;
    const int iIndex = pCombo->currentData().toInt();
    if (iIndex < 0 || iIndex >= m_FixtureTypes.size())
        return;
    const bool bGroup = m_pUi->m_pGroupSizeGpBox->isChecked();
    const int iAcross = bGroup ? m_pUi->m_pHorGroupSizeSpin->value() : 1;
    const int iDown = bGroup ? m_pUi->m_pVerGroupSizeSpin->value() : 1;
    const int iLeft = m_pUi->m_pPosHorSpin->value();
    const int iTop = m_pUi->m_pPosVertSpin->value();
    m_pMainWnd->AddFixtures(m_FixtureTypes.at(iIndex), iLeft, iTop, iLeft + iAcross - 1, iTop + iDown - 1);
}
