#include "mainwindow/welcome.h"

#include "config/softconf.h"
#include "mainwindow/systemselect.h"
#include "trace/trace.h"
#include "ui_welcome.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QStringDecoder>
#include <QTextCodec>

#include <algorithm>
#include <optional>

namespace {
// Beyond this the logo is shrunk so the dialog still fits a small screen.
constexpr int LOGO_MAX_WIDTH = 1024;
constexpr int LOGO_MAX_HEIGHT = 768;
constexpr int INFO_POINT_SIZE = 10;
constexpr int INFO_MAX_LINES = 10;
constexpr int DIALOG_MIN_WIDTH = 320;
constexpr int ERR_INVALID_FILE = -10;

struct LanguageEntry_t
{
    int iLanguage;
    const char *pszCode;
    const char *pszName;
};

constexpr LanguageEntry_t LANGUAGES[] = {
    {Welcome::LANGUAGE_ENGLISH, "en", "English"},
    {Welcome::LANGUAGE_CHINESE, "zh", "Chinese"},
    {Welcome::LANGUAGE_FRENCH, "fr", "French"},
    {Welcome::LANGUAGE_SPANISH, "es", "Spanish"},
};
} // namespace

Welcome::Welcome(QWidget *pParent, QApplication *pApp, QTranslator *pTranslator)
    : QDialog(pParent), m_pUi(new Ui::Welcome), m_pApp(pApp), m_pTranslator(pTranslator)
{
    m_pUi->setupUi(this);
    setWindowTitle(QStringLiteral("Lantrel"));

    QString qsLogo;
    QString qsInfo;
    QString qsCodec;
    g_SoftConf.GetWelcomePage(qsLogo, qsInfo, qsCodec);
    ShowLogo(qsLogo);
    ShowInfoText(qsInfo, qsCodec);

    adjustSize();
    setFixedHeight(height());
    setFixedWidth(std::max(width(), DIALOG_MIN_WIDTH));
}

Welcome::~Welcome()
{
    delete m_pUi;
}

void Welcome::ShowLogo(const QString &qsLogo)
{
    QLabel *pLbl = m_pUi->m_pCompIcoLbl;
    if (qsLogo.isEmpty() || !QFileInfo::exists(qsLogo)) {
        pLbl->hide();
        return;
    }
    QPixmap logo(qsLogo);
    if (logo.width() > LOGO_MAX_WIDTH || logo.height() > LOGO_MAX_HEIGHT)
        logo = logo.scaled(std::min(logo.width(), LOGO_MAX_WIDTH), std::min(logo.height(), LOGO_MAX_HEIGHT),
                           Qt::KeepAspectRatio, Qt::FastTransformation);
    pLbl->setPixmap(logo);
    pLbl->setAlignment(Qt::AlignCenter);
}

void Welcome::ShowInfoText(const QString &qsInfo, const QString &qsCodec)
{
    QTextEdit *pTxt = m_pUi->m_pCompInfoTxt;
    if (qsInfo.isEmpty() || !QFileInfo::exists(qsInfo)) {
        pTxt->hide();
        return;
    }
    QFile file(qsInfo);
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorMsg(tr("Invalid Company Information File '%1'!").arg(qsInfo), ERR_INVALID_FILE);
        pTxt->hide();
        return;
    }
    const QString qsText = DecodeInfoText(file.readAll(), qsCodec);

    pTxt->clear();
    pTxt->setReadOnly(true);
    // The form's small font is for the designer only; the text is read at 10 points.
    QFont font = pTxt->font();
    font.setPointSize(INFO_POINT_SIZE);
    pTxt->setFont(font);
    pTxt->setPlainText(qsText);

    const int iLines = std::min<int>(qsText.count(QLatin1Char('\n')) + 1, INFO_MAX_LINES);
    pTxt->setFixedHeight(iLines * 2 * INFO_POINT_SIZE);
}

QString Welcome::DecodeInfoText(const QByteArray &baData, const QString &qsCodec)
{
    std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(baData);
    if (!encoding && !qsCodec.isEmpty())
        encoding = QStringConverter::encodingForName(qsCodec.toUtf8().constData());
    if (encoding)
        return QStringDecoder(*encoding).decode(baData);

    // Codecs beyond Unicode and Latin-1 (Windows code pages, KOI8, ...).
    if (!qsCodec.isEmpty()) {
        if (QTextCodec *pCodec = QTextCodec::codecForName(qsCodec.toUtf8()))
            return pCodec->toUnicode(baData);
    }
    return QString::fromUtf8(baData);
}

void Welcome::SelectLanguage(int iLanguage)
{
    hide();

    QString qsCode;
    for (const LanguageEntry_t &entry : LANGUAGES) {
        if (entry.iLanguage == iLanguage) {
            TraceInfo("'%s' language selected.", entry.pszName);
            qsCode = QString::fromLatin1(entry.pszCode);
        }
    }

    const QString qsFile = QStringLiteral("Lang/zelvor_") + qsCode + QStringLiteral(".qm");
    if (m_pTranslator->load(qsFile)) {
        m_pApp->installTranslator(m_pTranslator);
        // Qt's own dialogs speak English unless Qt's catalogue for the language is loaded too.
        if (qsCode != QLatin1String("en")) {
            if (LoadQtCatalogue(&m_QtTranslator, qsCode))
                m_pApp->installTranslator(&m_QtTranslator);
            else
                TraceError("Qt's own '%s' translation was not found in '%s': standard buttons and file dialogs stay "
                           "in English.",
                           qsCode.toLatin1().constData(),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath).toLocal8Bit().constData());
        }
    } else {
        ErrorMsg(tr("Failed to open traduction file '%1'!").arg(qsFile), ERR_INVALID_FILE);
        ErrorMsg(tr("Load Graphical User Interface in 'English' language."), 0);
    }

    g_pSystemSelect = new SystemSelect(nullptr);
    g_pSystemSelect->show();
}

bool Welcome::LoadQtCatalogue(QTranslator *pTranslator, const QString &qsCode)
{
    return pTranslator->load(QLocale(qsCode), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Welcome::closeEvent(QCloseEvent *pEvent)
{
    pEvent->accept();
    TracesClose();
}

void Welcome::s_OnChineseBtn()
{
    SelectLanguage(LANGUAGE_CHINESE);
}

void Welcome::s_OnEnglishBtn()
{
    SelectLanguage(LANGUAGE_ENGLISH);
}

void Welcome::s_OnFrenchBtn()
{
    SelectLanguage(LANGUAGE_FRENCH);
}

void Welcome::s_OnSpanishBtn()
{
    SelectLanguage(LANGUAGE_SPANISH);
}
