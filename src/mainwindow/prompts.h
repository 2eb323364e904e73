#pragma once
// Every modal box, question, text or item prompt and file dialog of the program goes through
// the one installed Prompts service. The program runs the Qt dialogs; a headless test installs
// a scripted service that records what the user would have been asked and answers from a
// script, since a real modal dialog would block it.

#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

class Prompts
{
public:
    enum BoxIcon {
        BOX_CRITICAL,
        BOX_WARNING,
        BOX_INFORMATION,
    };

    virtual ~Prompts() = default;

    // A modal box with one OK button; a non-empty detail is shown behind the details button.
    virtual void MessageBox(QWidget *pParent, BoxIcon icon, const QString &qsTitle, const QString &qsText,
                            const QString &qsDetail) = 0;
    // A modal question with the given standard buttons (their texts translated); the button
    // pressed, or QMessageBox::NoButton when the box was closed or escaped without one.
    virtual QMessageBox::StandardButton Question(QWidget *pParent, const QString &qsTitle, const QString &qsText,
                                                 QMessageBox::StandardButtons buttons) = 0;
    // A line of text; false when cancelled or closed.
    virtual bool GetText(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, QLineEdit::EchoMode echo,
                         const QString &qsInitial, const QString &qsOkText, const QString &qsCancelText,
                         QString *pqsOut) = 0;
    // One of the items (not editable); false when cancelled or closed, else the chosen index.
    virtual bool GetItem(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, const QStringList &items,
                         int iCurrent, int *piIndex) = 0;
    virtual bool GetInt(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, int iValue, int iMin,
                        int iMax, int iStep, int *piOut) = 0;
    // File names; empty when cancelled.
    virtual QString GetOpenFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                    const QString &qsFilter) = 0;
    virtual QString GetSaveFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                    const QString &qsFilter) = 0;

    // The service in force: the Qt dialogs unless a test installed its own.
    static Prompts &Instance();
    // Installs a service (nullptr goes back to the Qt dialogs). The caller keeps ownership.
    static void Install(Prompts *pPrompts);
};

// The program's own dialogs. Each is created for one call and destroyed when it returns.
class QtPrompts : public Prompts
{
public:
    void MessageBox(QWidget *pParent, BoxIcon icon, const QString &qsTitle, const QString &qsText,
                    const QString &qsDetail) override;
    QMessageBox::StandardButton Question(QWidget *pParent, const QString &qsTitle, const QString &qsText,
                                         QMessageBox::StandardButtons buttons) override;
    bool GetText(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, QLineEdit::EchoMode echo,
                 const QString &qsInitial, const QString &qsOkText, const QString &qsCancelText,
                 QString *pqsOut) override;
    bool GetItem(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, const QStringList &items,
                 int iCurrent, int *piIndex) override;
    bool GetInt(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, int iValue, int iMin, int iMax,
                int iStep, int *piOut) override;
    QString GetOpenFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                            const QString &qsFilter) override;
    QString GetSaveFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                            const QString &qsFilter) override;
};

// The name a save dialog gave, with ".<qsSuffix>" added when the user typed no suffix, so that
// the file shows up under the filter it is opened with. An empty name stays empty.
QString WithDefaultSuffix(const QString &qsPath, const QString &qsSuffix);

// Yes/No question without parent: 1 for Yes, -1 for No or a closed box.
int AskYesNo(const QString &qsTitle, const QString &qsText);
// Yes/No/Cancel question without parent: 1 Yes, -1 No, 0 Cancel or a closed box.
int AskYesNoCancel(const QString &qsTitle, const QString &qsText);
