#include "mainwindow/prompts.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPointer>

#include <atomic>

namespace {

QtPrompts s_QtPrompts;
std::atomic<Prompts *> s_pInstalled{nullptr};

// A box can be raised while its parent window is disabled for a pending request (an error
// report of the worker arrives exactly then). Qt would disable the box with its parent and
// leave the user facing a modal window that cannot be closed, so the box re-enables itself:
// it is a window of its own and must stay usable whatever its parent's state.
class StayEnabled : public QObject
{
public:
    explicit StayEnabled(QWidget *pDialog) : QObject(pDialog)
    {
        pDialog->installEventFilter(this);
        pDialog->setEnabled(true);
    }

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pEvent->type() == QEvent::EnabledChange) {
            auto *pWidget = static_cast<QWidget *>(pWatched);
            if (!pWidget->isEnabled())
                pWidget->setEnabled(true);
        }
        return false;
    }
};

void SetButtonText(QMessageBox &box, QMessageBox::StandardButton which, const QString &qsText)
{
    if (QAbstractButton *pButton = box.button(which))
        pButton->setText(qsText);
}

} // namespace

Prompts &Prompts::Instance()
{
    Prompts *p = s_pInstalled.load();
    return p ? *p : s_QtPrompts;
}

void Prompts::Install(Prompts *pPrompts)
{
    s_pInstalled.store(pPrompts);
}

void QtPrompts::MessageBox(QWidget *pParent, BoxIcon icon, const QString &qsTitle, const QString &qsText,
                           const QString &qsDetail)
{
    // Parented dialogs can be deleted under us when their parent goes during exec().
    QPointer<QMessageBox> pBox = new QMessageBox(pParent);
    new StayEnabled(pBox);
    pBox->setWindowTitle(qsTitle);
    pBox->setText(qsText);
    if (!qsDetail.isEmpty())
        pBox->setDetailedText(qsDetail);
    pBox->setIcon(icon == BOX_CRITICAL  ? QMessageBox::Critical
                  : icon == BOX_WARNING ? QMessageBox::Warning
                                        : QMessageBox::Information);
    pBox->exec();
    delete pBox;
}

QMessageBox::StandardButton QtPrompts::Question(QWidget *pParent, const QString &qsTitle, const QString &qsText,
                                                QMessageBox::StandardButtons buttons)
{
    QPointer<QMessageBox> pBox = new QMessageBox(QMessageBox::Question, qsTitle, qsText, buttons, pParent);
    new StayEnabled(pBox);
    SetButtonText(*pBox, QMessageBox::Yes, QObject::tr("Yes"));
    SetButtonText(*pBox, QMessageBox::No, QObject::tr("No"));
    SetButtonText(*pBox, QMessageBox::Cancel, QObject::tr("Cancel"));
    pBox->exec();
    if (!pBox)
        return QMessageBox::NoButton;
    QMessageBox::StandardButton result = QMessageBox::NoButton;
    if (QAbstractButton *pClicked = pBox->clickedButton())
        result = pBox->standardButton(pClicked);
    delete pBox;
    return result;
}

bool QtPrompts::GetText(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, QLineEdit::EchoMode echo,
                        const QString &qsInitial, const QString &qsOkText, const QString &qsCancelText, QString *pqsOut)
{
    QPointer<QInputDialog> pDlg = new QInputDialog(pParent);
    new StayEnabled(pDlg);
    pDlg->setInputMode(QInputDialog::TextInput);
    pDlg->setWindowTitle(qsTitle);
    pDlg->setLabelText(qsLabel);
    pDlg->setTextEchoMode(echo);
    pDlg->setTextValue(qsInitial);
    if (!qsOkText.isEmpty())
        pDlg->setOkButtonText(qsOkText);
    if (!qsCancelText.isEmpty())
        pDlg->setCancelButtonText(qsCancelText);
    const bool bOk = pDlg->exec() == QDialog::Accepted && pDlg;
    if (bOk)
        *pqsOut = pDlg->textValue();
    delete pDlg;
    return bOk;
}

bool QtPrompts::GetItem(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, const QStringList &items,
                        int iCurrent, int *piIndex)
{
    QPointer<QInputDialog> pDlg = new QInputDialog(pParent);
    new StayEnabled(pDlg);
    pDlg->setWindowTitle(qsTitle);
    pDlg->setLabelText(qsLabel);
    pDlg->setComboBoxItems(items);
    pDlg->setComboBoxEditable(false);
    if (iCurrent >= 0 && iCurrent < items.size())
        pDlg->setTextValue(items.at(iCurrent));
    const bool bOk = pDlg->exec() == QDialog::Accepted && pDlg;
    int iIndex = -1;
    if (bOk)
        iIndex = items.indexOf(pDlg->textValue());
    delete pDlg;
    if (iIndex < 0)
        return false;
    *piIndex = iIndex;
    return true;
}

bool QtPrompts::GetInt(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, int iValue, int iMin, int iMax,
                       int iStep, int *piOut)
{
    QPointer<QInputDialog> pDlg = new QInputDialog(pParent);
    new StayEnabled(pDlg);
    pDlg->setInputMode(QInputDialog::IntInput);
    pDlg->setWindowTitle(qsTitle);
    pDlg->setLabelText(qsLabel);
    pDlg->setIntRange(iMin, iMax);
    pDlg->setIntStep(iStep);
    pDlg->setIntValue(iValue);
    const bool bOk = pDlg->exec() == QDialog::Accepted && pDlg;
    if (bOk)
        *piOut = pDlg->intValue();
    delete pDlg;
    return bOk;
}

namespace {

QString RunFileDialog(QWidget *pParent, const QString &qsCaption, const QString &qsDir, const QString &qsFilter,
                      QFileDialog::AcceptMode mode)
{
    QPointer<QFileDialog> pDlg = new QFileDialog(pParent, qsCaption, qsDir, qsFilter);
    new StayEnabled(pDlg);
    pDlg->setAcceptMode(mode);
    pDlg->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QString qsName;
    if (pDlg->exec() == QDialog::Accepted && pDlg)
        qsName = pDlg->selectedFiles().value(0);
    delete pDlg;
    return qsName;
}

} // namespace

QString QtPrompts::GetOpenFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                   const QString &qsFilter)
{
    return RunFileDialog(pParent, qsCaption, qsDir, qsFilter, QFileDialog::AcceptOpen);
}

QString QtPrompts::GetSaveFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                   const QString &qsFilter)
{
    return RunFileDialog(pParent, qsCaption, qsDir, qsFilter, QFileDialog::AcceptSave);
}

QString WithDefaultSuffix(const QString &qsPath, const QString &qsSuffix)
{
    if (qsPath.isEmpty() || !QFileInfo(qsPath).suffix().isEmpty())
        return qsPath;
    return qsPath + QLatin1Char('.') + qsSuffix;
}

int AskYesNo(const QString &qsTitle, const QString &qsText)
{
    const auto answer = Prompts::Instance().Question(nullptr, qsTitle, qsText, QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes ? 1 : -1;
}

int AskYesNoCancel(const QString &qsTitle, const QString &qsText)
{
    const auto answer = Prompts::Instance().Question(nullptr, qsTitle, qsText,
                                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return 1;
    if (answer == QMessageBox::No)
        return -1;
    return 0;
}
