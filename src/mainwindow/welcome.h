#pragma once
// The first window of the program: the company logo and information text named in
// "Lantrel.xml", and one flag button per language. Choosing a language installs its
// translation for the whole interface and opens the connection dialog. Created, shown and
// deleted by the start-up code; hidden for good once a language is chosen.

#include <QDialog>
#include <QTranslator>

class QApplication;

namespace Ui {
class Welcome;
}

class Welcome : public QDialog
{
    Q_OBJECT

public:
    enum Language {
        LANGUAGE_ENGLISH = 1,
        LANGUAGE_CHINESE = 2,
        LANGUAGE_FRENCH = 3,
        LANGUAGE_SPANISH = 4,
    };

    // The application and the translator stay owned by the caller and must outlive the dialog.
    Welcome(QWidget *pParent, QApplication *pApp, QTranslator *pTranslator);
    ~Welcome() override;

    void SelectLanguage(int iLanguage);

    // Qt's own texts (standard buttons, file dialogs, "Show Details...") for a language code
    // ("fr"), from Qt's translations folder; false when Qt ships none for it.
    static bool LoadQtCatalogue(QTranslator *pTranslator, const QString &qsCode);

    // Decodes the information file. A byte-order mark decides over the configured name, as a
    // text stream would; an unknown or empty name falls back to UTF-8.
    static QString DecodeInfoText(const QByteArray &baData, const QString &qsCodec);

protected:
    void closeEvent(QCloseEvent *pEvent) override;

private slots:
    void s_OnChineseBtn();
    void s_OnEnglishBtn();
    void s_OnFrenchBtn();
    void s_OnSpanishBtn();

private:
    void ShowLogo(const QString &qsLogo);
    void ShowInfoText(const QString &qsInfo, const QString &qsCodec);

    Ui::Welcome *m_pUi;
    QApplication *m_pApp;
    QTranslator *m_pTranslator;
    QTranslator m_QtTranslator;
};
