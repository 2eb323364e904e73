#pragma once
// A window-modal dialog reporting a long action on two levels (a main bar and a second bar,
// each with a line of text) with an optional folded details text. The user cannot close it:
// its owner shows, fills and hides it.

#include <QDialog>

namespace Ui {
class Progress;
}

class Progress : public QDialog
{
    Q_OBJECT

public:
    explicit Progress(QWidget *pParent = nullptr);
    ~Progress() override;

    void Setup(bool bMainBar, bool bSecondBar, bool bDetails);
    // 0: SetValue drives the main bar; any other value: the second bar.
    void SetActiveBar(int iBar);
    void SetValue(int iValue);
    void SetText1(const QString &qsText);
    void SetText2(const QString &qsText);
    void SetDetails(const QString &qsText);
    void Start(const QString &qsText1, int iValue1, const QString &qsText2, int iValue2, const QString &qsDetails);
    void ShowProgress();
    void HideProgress();

public slots:
    void s_OnShowHideDetailsBtn();

protected:
    void closeEvent(QCloseEvent *pEvent) override;
    // Escape would reject and hide the dialog behind its owner's back.
    void reject() override;

private:
    void FoldDetails();

    Ui::Progress *m_pUi;
    bool m_bDetailsUnfolded = false;
    int m_iActiveBar = 0;
    bool m_bMainBar = false;
    bool m_bSecondBar = false;
    bool m_bDetails = false;
};
