// The error report and the small modal interactions of the main window: the code table,
// the error box from the GUI thread and from a worker, the coloured status message, the
// question boxes and the whole-file loader.
#include "mainwindow/errorcodes.h"
#include "mainwindow/prompts.h"
#include "mainwindow/zelvor.h"
#include "support/windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Records the colour the status bar paints its text with.
class PaintColours : public QObject
{
public:
    QList<QColor> colours;

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
            colours.append(static_cast<QWidget *>(pWatched)->palette().color(QPalette::WindowText));
        return false;
    }
};

// Runs fn on the first modal box that appears, from the event loop the box runs.
void OnModalBox(std::function<void(QMessageBox *)> fn)
{
    auto *pTimer = new QTimer;
    pTimer->setInterval(10);
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, fn] {
        auto *pBox = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!pBox || !pBox->isVisible())
            return;
        pTimer->stop();
        pTimer->deleteLater();
        fn(pBox);
    });
    pTimer->start();
}

} // namespace

class TestErrorReport : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void codeTable_data();
    void codeTable();

    void guiThreadReportShowsBoxBeforeReturning();
    void workerReportArrivesAsOneBoxOnGuiThread();
    void warningBoxThroughTheSink();
    void boxStaysUsableWhileWindowDisabled();

    void statusMessageColours_data();
    void statusMessageColours();
    void statusMessageWithoutTimeoutStays();

    void questions_data();
    void questions();
    void realQuestionClosedWithEscape();

    void loadBinaryFile_data();
    void loadBinaryFile();
    void loadBinaryFileReleasesOldBuffer();
};

void TestErrorReport::initTestCase()
{
    Begin();
}

void TestErrorReport::cleanupTestCase()
{
    End();
}

void TestErrorReport::init()
{
    MakeWindow();
}

void TestErrorReport::cleanup()
{
    DropWindow();
}

void TestErrorReport::codeTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text"); // empty: a code without text
    QTest::newRow("-2") << -2 << "Memory allocation failed!";
    QTest::newRow("-500") << -500 << "Invalid Video Preset!";
    for (int iCode : {0, -1, -501})
        QTest::addRow("%d", iCode) << iCode << QString();
}

// A code reaches the user as the box's detail, from a GUI-thread report; a code without
// text leaves the detail out.
void TestErrorReport::codeTable()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(ErrorCodeText(code), text);
    ErrorMsg(QStringLiteral("Something failed"), code);
    const auto boxes = m_pPrompts->Messages();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).qsText, QStringLiteral("Something failed"));
    const QString qsDetail = text.isEmpty() ? QString() : QStringLiteral("(Error Code = %1) - %2").arg(code).arg(text);
    QCOMPARE(boxes.at(0).qsDetail, qsDetail);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_ERROR),
             QStringList{qsDetail.isEmpty() ? boxes.at(0).qsText : boxes.at(0).qsText + " - " + qsDetail});
}

void TestErrorReport::guiThreadReportShowsBoxBeforeReturning()
{
    ErrorMsg(QStringLiteral("Link lost"), -202);
    // No event processed: the GUI-thread caller waits for the box.
    const auto boxes = m_pPrompts->Messages();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).qsTitle, QStringLiteral("Error"));
    QCOMPARE(boxes.at(0).qsText, QStringLiteral("Link lost"));
    QCOMPARE(boxes.at(0).qsDetail, QStringLiteral("(Error Code = -202) - Communication timeout with VPU!"));
    QCOMPARE(boxes.at(0).iIcon, int(Prompts::BOX_CRITICAL));
    QCOMPARE(boxes.at(0).pParent, static_cast<QWidget *>(m_pWnd));
}

void TestErrorReport::workerReportArrivesAsOneBoxOnGuiThread()
{
    std::unique_ptr<QThread> pWorker(QThread::create([] { ErrorMsg(QStringLiteral("Flash write failed"), -251); }));
    pWorker->start();
    QVERIFY(pWorker->wait(5000));
    QCOMPARE(m_pPrompts->Messages().size(), 0);
    QTRY_COMPARE(m_pPrompts->Messages().size(), 1);
    QTest::qWait(50);
    const auto boxes = m_pPrompts->Messages();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).pThread, QThread::currentThread());
    QCOMPARE(boxes.at(0).qsText, QStringLiteral("Flash write failed"));
    QCOMPARE(boxes.at(0).qsDetail, QStringLiteral("(Error Code = -251) - VPU Flash error!"));
}

void TestErrorReport::warningBoxThroughTheSink()
{
    WarningMsg(QStringLiteral("Warning"), QStringLiteral("Unknown sensor type"));
    QCOMPARE(Boxes(), QStringList{QStringLiteral("Unknown sensor type | ")});
    QCOMPARE(m_pPrompts->Messages().at(0).iIcon, int(Prompts::BOX_WARNING));
}

// The window is disabled while a request is pending, which is exactly when a worker's
// error report arrives: the real box must still take the user's click.
void TestErrorReport::boxStaysUsableWhileWindowDisabled()
{
    m_pPrompts.reset(); // the program's own dialogs
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));
    m_pWnd->setDisabled(true);

    bool bEnabledAtStart = false, bEnabledAfterDisable = false, bOkEnabled = false;
    QString qsDetail;
    OnModalBox([&](QMessageBox *pBox) {
        bEnabledAtStart = pBox->isEnabled();
        // A request ending and the next one starting while the box is up.
        m_pWnd->setDisabled(false);
        m_pWnd->setDisabled(true);
        bEnabledAfterDisable = pBox->isEnabled();
        qsDetail = pBox->detailedText();
        QAbstractButton *pOk = pBox->button(QMessageBox::Ok);
        bOkEnabled = pOk && pOk->isEnabled();
        if (bOkEnabled)
            pOk->click();
        else
            pBox->done(0); // do not hang the test on the fault
    });
    ErrorMsg(QStringLiteral("Request failed"), -3);
    QVERIFY(bEnabledAtStart);
    QVERIFY(bEnabledAfterDisable);
    QVERIFY(bOkEnabled);
    QCOMPARE(qsDetail, QStringLiteral("(Error Code = -3) - Communication with VPU failed!"));
    QVERIFY(!m_pWnd->isEnabled());
}

void TestErrorReport::statusMessageColours_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("traceKind");
    QTest::newRow("info") << 0 << QColor(Qt::black) << int(TRACE_KIND_INFO);
    QTest::newRow("success") << 1 << QColor(Qt::darkGreen) << int(TRACE_KIND_SUCCESS);
    QTest::newRow("error") << 2 << QColor(Qt::red) << int(TRACE_KIND_ERROR);
    QTest::newRow("other") << 5 << QColor(Qt::red) << int(TRACE_KIND_ERROR);
}

void TestErrorReport::statusMessageColours()
{
    QFETCH(int, kind);
    QFETCH(QColor, colour);
    QFETCH(int, traceKind);
    m_pWnd->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWnd));
    PaintColours paints;
    m_pWnd->statusBar()->installEventFilter(&paints);
    StatusMessage(kind, QStringLiteral("Invalid Password!"), 300);
    // Painted at once, in the kind's colour.
    QVERIFY(!paints.colours.isEmpty());
    QCOMPARE(paints.colours.last(), colour);
    QCOMPARE(m_pWnd->statusBar()->currentMessage(), QStringLiteral("Invalid Password!"));
    QVERIFY(m_pTraces->Texts(traceKind).contains(QStringLiteral("Invalid Password!")));
    // Later repaints keep the colour while the message is shown.
    m_pWnd->statusBar()->update();
    QTest::qWait(50);
    QCOMPARE(paints.colours.last(), colour);
    // ... and the colour ends with the message.
    QTRY_COMPARE(m_pWnd->statusBar()->currentMessage(), QString());
    QCOMPARE(m_pWnd->statusBar()->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void TestErrorReport::statusMessageWithoutTimeoutStays()
{
    m_pWnd->show();
    StatusMessage(0, QStringLiteral("Ready"), 0);
    QTest::qWait(200);
    QCOMPARE(m_pWnd->statusBar()->currentMessage(), QStringLiteral("Ready"));
    StatusMessage(1, QStringLiteral("Done"), 0);
    QCOMPARE(m_pWnd->statusBar()->currentMessage(), QStringLiteral("Done"));
}

void TestErrorReport::questions_data()
{
    QTest::addColumn<bool>("bCancel"); // AskYesNoCancel, else AskYesNo
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << false << int(QMessageBox::Yes) << 1;
    QTest::newRow("no") << false << int(QMessageBox::No) << -1;
    QTest::newRow("closed") << false << int(QMessageBox::NoButton) << -1;
    QTest::newRow("cancel: yes") << true << int(QMessageBox::Yes) << 1;
    QTest::newRow("cancel: no") << true << int(QMessageBox::No) << -1;
    QTest::newRow("cancel: cancel") << true << int(QMessageBox::Cancel) << 0;
    QTest::newRow("cancel: closed") << true << int(QMessageBox::NoButton) << 0;
}

void TestErrorReport::questions()
{
    QFETCH(bool, bCancel);
    QFETCH(int, button);
    QFETCH(int, result);
    m_pPrompts->AnswerQuestion(QMessageBox::StandardButton(button));
    const QString qsTitle = QStringLiteral("Save"), qsText = QStringLiteral("Save the project?");
    QCOMPARE(bCancel ? AskYesNoCancel(qsTitle, qsText) : AskYesNo(qsTitle, qsText), result);
    QCOMPARE(m_pPrompts->Calls().at(0).iButtons,
             int(QMessageBox::Yes | QMessageBox::No | (bCancel ? QMessageBox::Cancel : QMessageBox::NoButton)));
}

// The real boxes: Escape gives the "closed" answers, and the buttons carry their texts.
void TestErrorReport::realQuestionClosedWithEscape()
{
    m_pPrompts.reset();
    QStringList texts;
    auto escape = [&texts](QMessageBox *pBox) {
        for (QAbstractButton *pButton : pBox->buttons())
            texts.append(pButton->text().remove(QLatin1Char('&')));
        QTest::keyClick(pBox, Qt::Key_Escape);
    };
    OnModalBox(escape);
    QCOMPARE(AskYesNoCancel(QStringLiteral("Save"), QStringLiteral("Save the project?")), 0);
    texts.sort();
    QCOMPARE(texts, (QStringList{QStringLiteral("Cancel"), QStringLiteral("No"), QStringLiteral("Yes")}));
    texts.clear();
    OnModalBox(escape);
    QCOMPARE(AskYesNo(QStringLiteral("Download"), QStringLiteral("Send the project?")), -1);
    OnModalBox([](QMessageBox *pBox) { pBox->button(QMessageBox::Yes)->click(); });
    QCOMPARE(AskYesNo(QStringLiteral("Download"), QStringLiteral("Send the project?")), 1);
}

void TestErrorReport::loadBinaryFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("content"); // null: no file is made
    QTest::addColumn<qint64>("expectedSize");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("trace");

    const QByteArray image("\x01\x02\x03\x04\x05\x06\x07", 7);
    QTest::newRow("empty name") << QString() << QStringLiteral(".rbf") << QByteArray() << qint64(0) << -4 << qint64(0)
                                << QStringLiteral("File name is not valid!");
    QTest::newRow("no extension") << QStringLiteral("fw.bin") << QStringLiteral(".rbf") << image << qint64(0) << -8
                                  << qint64(0)
                                  << QStringLiteral("File name is not valid - Doesn't contain extension '.rbf'");
    QTest::newRow("extension in other case")
        << QStringLiteral("fw.RBF") << QStringLiteral(".rbf") << image << qint64(0) << -8 << qint64(0)
        << QStringLiteral("File name is not valid - Doesn't contain extension '.rbf'");
    QTest::newRow("extension alone") << QStringLiteral(".rbf") << QStringLiteral(".rbf") << image << qint64(0) << -8
                                     << qint64(0) << QStringLiteral("File name is not valid!");
    QTest::newRow("extension in the middle")
        << QStringLiteral("fw.rbf.bak") << QStringLiteral(".rbf") << image << qint64(0) << 0 << qint64(7) << QString();
    QTest::newRow("missing") << QStringLiteral("none.rbf") << QStringLiteral(".rbf") << QByteArray() << qint64(0) << -9
                             << qint64(0) << QStringLiteral("'none.rbf' file doesn't exists!");
    QTest::newRow("directory") << QStringLiteral("folder.rbf") << QStringLiteral(".rbf") << QByteArray("<dir>")
                               << qint64(0) << -10 << qint64(0) << QStringLiteral("Failed to open 'folder.rbf' file!");
    QTest::newRow("empty file") << QStringLiteral("empty.rbf") << QStringLiteral(".rbf") << QByteArray("") << qint64(0)
                                << -11 << qint64(0) << QStringLiteral("Invalid File Size (Size lower than 0)");
    QTest::newRow("larger than expected")
        << QStringLiteral("fw.rbf") << QStringLiteral(".rbf") << image << qint64(6) << -11 << qint64(7)
        << QStringLiteral("Invalid file size (7 bytes instead of 6 Bytes)");
    QTest::newRow("exact size") << QStringLiteral("fw.rbf") << QStringLiteral(".rbf") << image << qint64(7) << 0
                                << qint64(7) << QString();
    QTest::newRow("64-bit expected size")
        << QStringLiteral("fw.rbf") << QStringLiteral(".rbf") << image << Q_INT64_C(5000000000) << -11 << qint64(7)
        << QStringLiteral("Invalid file size (7 bytes instead of 5000000000 Bytes)");
    QTest::newRow("negative expected") << QStringLiteral("fw.rbf") << QStringLiteral(".rbf") << image << qint64(-1) << 0
                                       << qint64(7) << QString();
}

void TestErrorReport::loadBinaryFile()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QByteArray, content);
    QFETCH(qint64, expectedSize);
    QFETCH(int, status);
    QFETCH(qint64, size);
    QFETCH(QString, trace);

    TestEnv env;
    if (content == "<dir>")
        QVERIFY(QDir().mkdir(name));
    else if (!content.isNull())
        QVERIFY(WriteTestFile(env.FilePath(name), content));

    qint64 iSize = -5;
    char *pcBuffer = nullptr;
    QCOMPARE(m_pWnd->LoadBinaryFile(name, extension, expectedSize, &iSize, &pcBuffer), status);
    QCOMPARE(iSize, size);
    const auto boxes = m_pPrompts->Messages();
    if (status == 0) {
        QVERIFY(pcBuffer);
        QCOMPARE(QByteArray(pcBuffer, int(iSize)), content);
        std::free(pcBuffer);
        QCOMPARE(boxes.size(), 0);
        QCOMPARE(m_pTraces->Texts(TRACE_KIND_ERROR), QStringList());
        return;
    }
    QCOMPARE(pcBuffer, nullptr);
    QCOMPARE(m_pTraces->Texts(TRACE_KIND_ERROR).value(0), trace);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).qsText, QStringLiteral("Failed to load file '%1'").arg(name));
    QCOMPARE(boxes.at(0).qsDetail, ErrorCodeDetail(status));
}

void TestErrorReport::loadBinaryFileReleasesOldBuffer()
{
    TestEnv env;
    QVERIFY(WriteTestFile(env.FilePath(QStringLiteral("fw_a.hex")), QByteArray("ABCDEF")));
    qint64 iSize = 0;
    char *pcBuffer = nullptr;
    QCOMPARE(m_pWnd->LoadBinaryFile(QStringLiteral("fw_a.hex"), QStringLiteral(".hex"), 0, &iSize, &pcBuffer), 0);
    QVERIFY(pcBuffer);
    // Reloading frees the held buffer (a leak or double free shows under the sanitizer) and
    // a failing load leaves none behind.
    QCOMPARE(m_pWnd->LoadBinaryFile(QStringLiteral("fw_a.hex"), QStringLiteral(".hex"), 0, &iSize, &pcBuffer), 0);
    QCOMPARE(QByteArray(pcBuffer, int(iSize)), QByteArray("ABCDEF"));
    QCOMPARE(m_pWnd->LoadBinaryFile(QStringLiteral("gone.hex"), QStringLiteral(".hex"), 0, &iSize, &pcBuffer), -9);
    QCOMPARE(pcBuffer, nullptr);
    QCOMPARE(iSize, qint64(0));
}

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
