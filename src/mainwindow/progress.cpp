#include "mainwindow/progress.h"

#include "mainwindow/ui_progress.h"

#include <QCloseEvent>

Progress::Progress(QWidget *pParent) : QDialog(pParent), m_pUi(new Ui::Progress)
{
    m_pUi->setupUi(this);
    setWindowModality(Qt::WindowModal);
    // The only way to see the details is the button, so it drives the fold.
    connect(m_pUi->m_pShowHideDetailsBtn, &QPushButton::clicked, this, &Progress::s_OnShowHideDetailsBtn);
}

Progress::~Progress()
{
    delete m_pUi;
}

void Progress::Setup(bool bMainBar, bool bSecondBar, bool bDetails)
{
    m_bMainBar = bMainBar;
    m_bSecondBar = bSecondBar;
    m_bDetails = bDetails;
    // A group out of use goes with its separation line, or a stray line is left under the others.
    if (!bMainBar) {
        m_pUi->m_pMainTxt->hide();
        m_pUi->m_pMainProgBar->hide();
        m_pUi->m_pMainSeparationLine->hide();
    }
    if (!bSecondBar) {
        m_pUi->m_pSecondTxt->hide();
        m_pUi->m_pSecondProgBar->hide();
        m_pUi->m_pSecondSeparationLine->hide();
    }
    if (!bDetails) {
        m_pUi->m_pShowHideDetailsBtn->hide();
        m_pUi->m_pDetailedSeparationLine->hide();
        m_pUi->m_pDetailedTxt->hide();
    }
}

void Progress::SetActiveBar(int iBar)
{
    m_iActiveBar = iBar;
}

void Progress::SetValue(int iValue)
{
    if (!m_bMainBar && !m_bSecondBar)
        return;
    if (m_iActiveBar == 0)
        m_pUi->m_pMainProgBar->setValue(iValue);
    else
        m_pUi->m_pSecondProgBar->setValue(iValue);
}

void Progress::SetText1(const QString &qsText)
{
    if (!m_bMainBar)
        return;
    m_pUi->m_pMainTxt->setText(qsText);
    m_pUi->m_pMainTxt->setVisible(!qsText.isEmpty());
    m_pUi->m_pMainSeparationLine->setVisible(!qsText.isEmpty());
}

void Progress::SetText2(const QString &qsText)
{
    if (!m_bSecondBar)
        return;
    m_pUi->m_pSecondTxt->setText(qsText);
    m_pUi->m_pSecondTxt->setVisible(!qsText.isEmpty());
    m_pUi->m_pSecondSeparationLine->setVisible(!qsText.isEmpty());
}

void Progress::SetDetails(const QString &qsText)
{
    if (!m_bDetails)
        return;
    m_pUi->m_pDetailedTxt->setPlainText(qsText);
    const bool bShow = !qsText.isEmpty();
    m_pUi->m_pShowHideDetailsBtn->setVisible(bShow);
    m_pUi->m_pDetailedTxt->setVisible(bShow);
    m_pUi->m_pDetailedSeparationLine->setVisible(bShow);
}

void Progress::FoldDetails()
{
    m_pUi->m_pDetailedTxt->hide();
    m_pUi->m_pDetailedSeparationLine->hide();
    m_bDetailsUnfolded = false;
}

void Progress::Start(const QString &qsText1, int iValue1, const QString &qsText2, int iValue2, const QString &qsDetails)
{
    SetText1(qsText1);
    m_iActiveBar = 0;
    SetValue(iValue1);
    SetText2(qsText2);
    m_iActiveBar = 1;
    SetValue(iValue2);
    SetDetails(qsDetails);
    FoldDetails();
    m_iActiveBar = 0;
    show();
}

void Progress::ShowProgress()
{
    show();
}

void Progress::HideProgress()
{
    hide();
}

void Progress::s_OnShowHideDetailsBtn()
{
    if (m_bDetailsUnfolded) {
        FoldDetails();
        return;
    }
    m_pUi->m_pDetailedTxt->show();
    m_pUi->m_pDetailedSeparationLine->show();
    m_bDetailsUnfolded = true;
}

void Progress::closeEvent(QCloseEvent *pEvent)
{
    pEvent->ignore();
}

void Progress::reject() {}
