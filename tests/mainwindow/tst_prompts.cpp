// The program's own dialogs behind the prompt service: what they show, what they answer for
// OK, Cancel and Escape, and that they take input while their parent window is disabled.
#include "mainwindow/prompts.h"
#include "support/quietqpa.h"
#include "support/testenv.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs fn on the first modal dialog of type T that appears, from the dialog's own loop. A dialog
// the script failed to close is rejected after a while, so the test fails instead of hanging.
template <typename T> void OnModal(std::function<void(T *)> fn)
{
    auto *pTimer = new QTimer;
    pTimer->setInterval(10);
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, fn] {
        auto *pDialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!pDialog || !pDialog->isVisible())
            return;
        pTimer->stop();
        pTimer->deleteLater();
        fn(pDialog);
        QTimer::singleShot(3000, pDialog, &QDialog::reject);
    });
    pTimer->start();
}

QPushButton *ButtonText(QDialog *pDialog, const QString &qsText)
{
    for (QPushButton *pButton : pDialog->findChildren<QPushButton *>()) {
        if (pButton->text().remove(QLatin1Char('&')) == qsText)
            return pButton;
    }
    return nullptr;
}

} // namespace

class TestPrompts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }
    void passwordPrompt();
    void textPromptCancelled();
    void textPromptUsableUnderDisabledParent();
    void itemPrompt();
    void intPrompt();
    void openFileDialog();
    void messageBoxDetail();
};

void TestPrompts::passwordPrompt()
{
    QMainWindow wnd;
    wnd.show();
    QString qsTitle, qsLabel;
    int iEcho = -1;
    bool bHasOk = false, bHasCancel = false;
    OnModal<QInputDialog>([&](QInputDialog *pDlg) {
        qsTitle = pDlg->windowTitle();
        qsLabel = pDlg->labelText();
        iEcho = pDlg->findChild<QLineEdit *>()->echoMode();
        bHasOk = ButtonText(pDlg, QStringLiteral("Ok"));
        bHasCancel = ButtonText(pDlg, QStringLiteral("Cancel"));
        QTest::keyClicks(pDlg->findChild<QLineEdit *>(), QStringLiteral("a1B2c3"));
        ButtonText(pDlg, QStringLiteral("Ok"))->click();
    });
    QString qsTyped;
    QVERIFY(Prompts::Instance().GetText(&wnd, QStringLiteral(" Restricted Function "), QStringLiteral("Password:"),
                                        QLineEdit::Password, QString(), QStringLiteral("Ok"), QStringLiteral("Cancel"),
                                        &qsTyped));
    QCOMPARE(qsTyped, QStringLiteral("a1B2c3"));
    QCOMPARE(qsTitle, QStringLiteral(" Restricted Function "));
    QCOMPARE(qsLabel, QStringLiteral("Password:"));
    QCOMPARE(iEcho, int(QLineEdit::Password));
    QVERIFY(bHasOk);
    QVERIFY(bHasCancel);
}

void TestPrompts::textPromptCancelled()
{
    OnModal<QInputDialog>([](QInputDialog *pDlg) { QTest::keyClick(pDlg, Qt::Key_Escape); });
    QString qsTyped = QStringLiteral("untouched");
    QVERIFY(!Prompts::Instance().GetText(nullptr, QStringLiteral("t"), QStringLiteral("l"), QLineEdit::Normal,
                                         QStringLiteral("start"), QString(), QString(), &qsTyped));
    QCOMPARE(qsTyped, QStringLiteral("untouched"));
}

void TestPrompts::textPromptUsableUnderDisabledParent()
{
    QMainWindow wnd;
    wnd.show();
    wnd.setDisabled(true);
    bool bEnabled = false;
    OnModal<QInputDialog>([&](QInputDialog *pDlg) {
        bEnabled = pDlg->isEnabled() && pDlg->findChild<QLineEdit *>()->isEnabled();
        pDlg->done(QDialog::Rejected);
    });
    QString qsTyped;
    Prompts::Instance().GetText(&wnd, QStringLiteral("t"), QStringLiteral("l"), QLineEdit::Normal, QString(), QString(),
                                QString(), &qsTyped);
    QVERIFY(bEnabled);
}

void TestPrompts::itemPrompt()
{
    const QStringList items = {QStringLiteral("Current (Volatile)"), QStringLiteral("Preset 1 (Permanent)"),
                               QStringLiteral("Preset 2 (Permanent)")};
    bool bEditable = true;
    QString qsPreselected;
    OnModal<QInputDialog>([&](QInputDialog *pDlg) {
        auto *pCombo = pDlg->findChild<QComboBox *>();
        bEditable = pCombo->isEditable();
        qsPreselected = pCombo->currentText();
        pCombo->setCurrentIndex(2);
        pDlg->accept();
    });
    int iIndex = -1;
    QVERIFY(Prompts::Instance().GetItem(nullptr, QStringLiteral("Read"), QStringLiteral("Source:"), items, 1, &iIndex));
    QCOMPARE(iIndex, 2);
    QVERIFY(!bEditable);
    QCOMPARE(qsPreselected, items.at(1));
    OnModal<QInputDialog>([](QInputDialog *pDlg) { pDlg->reject(); });
    iIndex = 7;
    QVERIFY(
        !Prompts::Instance().GetItem(nullptr, QStringLiteral("Read"), QStringLiteral("Source:"), items, 0, &iIndex));
    QCOMPARE(iIndex, 7);
}

void TestPrompts::intPrompt()
{
    int iMin = 0, iMax = 0;
    OnModal<QInputDialog>([&](QInputDialog *pDlg) {
        auto *pSpin = pDlg->findChild<QSpinBox *>();
        iMin = pSpin->minimum();
        iMax = pSpin->maximum();
        pSpin->setValue(-45);
        pDlg->accept();
    });
    int iAngle = 0;
    QVERIFY(Prompts::Instance().GetInt(nullptr, QStringLiteral("Set Fixture and Group Rotation"),
                                       QStringLiteral("Angle:"), 0, -180, 180, 1, &iAngle));
    QCOMPARE(iAngle, -45);
    QCOMPARE(iMin, -180);
    QCOMPARE(iMax, 180);
}

void TestPrompts::openFileDialog()
{
    TestEnv env;
    QVERIFY(WriteTestFile(env.FilePath(QStringLiteral("Projects/wall.prj")), "x"));
    QString qsDir;
    OnModal<QFileDialog>([&](QFileDialog *pDlg) {
        qsDir = pDlg->directory().dirName();
        // Typed, not selectFile(): that leaves the name field empty once the field has focus,
        // and the dialog then refuses to accept.
        QTest::keyClicks(pDlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")), QStringLiteral("wall.prj"));
        QMetaObject::invokeMethod(pDlg, "accept");
    });
    const QString qsName = Prompts::Instance().GetOpenFileName(nullptr, QStringLiteral("Choose"),
                                                               QStringLiteral("Projects"), QStringLiteral("*.prj"));
    QCOMPARE(qsDir, QStringLiteral("Projects"));
    QCOMPARE(QFileInfo(qsName).fileName(), QStringLiteral("wall.prj"));
    OnModal<QFileDialog>([](QFileDialog *pDlg) { pDlg->reject(); });
    QCOMPARE(Prompts::Instance().GetSaveFileName(nullptr, QStringLiteral("Save"), QStringLiteral("Projects"),
                                                 QStringLiteral("*.prj")),
             QString());
}

void TestPrompts::messageBoxDetail()
{
    QString qsDetail, qsTitle;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    OnModal<QMessageBox>([&](QMessageBox *pBox) {
        qsDetail = pBox->detailedText();
        qsTitle = pBox->windowTitle();
        icon = pBox->icon();
        pBox->button(QMessageBox::Ok)->click();
    });
    Prompts::Instance().MessageBox(nullptr, Prompts::BOX_WARNING, QStringLiteral("Warning"), QStringLiteral("Text"),
                                   QStringLiteral("(Error Code = -9) - File does not exist!"));
    QCOMPARE(qsTitle, QStringLiteral("Warning"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(qsDetail, QStringLiteral("(Error Code = -9) - File does not exist!"));
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
