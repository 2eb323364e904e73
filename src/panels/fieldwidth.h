#pragma once
// Fields sized from the texts they show, so that a value or a translated text fits whole in
// whatever font the desktop gives, where a width picked in the designer fitted one of them.
// A field narrower than its text scrolls it and hides its start.

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

// The width at which pEdit shows qsText whole: QLineEdit keeps two pixels on each side of its
// text and one for the cursor, inside its text margins and the frame the style draws.
inline int FieldWidthFor(const QLineEdit *pEdit, const QString &qsText)
{
    QStyleOptionFrame opt;
    opt.initFrom(pEdit);
    opt.lineWidth = pEdit->hasFrame() ? pEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, pEdit) : 0;
    const QMargins margins = pEdit->textMargins();
    const QSize text(pEdit->fontMetrics().horizontalAdvance(qsText) + 2 * 2 + 1 + margins.left() + margins.right(),
                     pEdit->fontMetrics().height());
    return pEdit->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, text, pEdit).width();
}

// The character of qsChars the field draws widest; the first of those as wide.
inline QChar WidestChar(const QLineEdit *pEdit, const QString &qsChars)
{
    QChar widest = qsChars.front();
    for (const QChar c : qsChars) {
        if (pEdit->fontMetrics().horizontalAdvance(c) > pEdit->fontMetrics().horizontalAdvance(widest))
            widest = c;
    }
    return widest;
}

// "0x" and eight of the widest hexadecimal digit, in either case: the widest text of a field
// that shows a 32-bit value.
inline QString WidestHex32(const QLineEdit *pEdit)
{
    return QStringLiteral("0x") + QString(8, WidestChar(pEdit, QStringLiteral("0123456789ABCDEFabcdef")));
}

// The widest text a field with the input mask qsMask (as QLineEdit::inputMask() gives it, its
// blank after ';') can show: every place at the widest character it takes or the blank that
// stands for it while empty, literals as they are. Case modifiers are passed over: a place
// then counts both cases, never too narrow; a place for letters counts any printable one.
inline QString WidestMaskedText(const QLineEdit *pEdit, const QString &qsMask)
{
    const QString qsDigits = QStringLiteral("0123456789");
    QString qsPrintable;
    for (char c = ' '; c <= '~'; ++c)
        qsPrintable += QLatin1Char(c);
    const auto takes = [&](QChar cPlace) -> QString {
        if (QStringLiteral("Hh").contains(cPlace))
            return qsDigits + QStringLiteral("ABCDEFabcdef");
        if (QStringLiteral("90Dd").contains(cPlace))
            return qsDigits;
        if (QStringLiteral("#BbAaNnXx").contains(cPlace))
            return qsPrintable;
        return {};
    };
    // The mask ends at the first ';' that is not escaped.
    qsizetype iEnd = 0;
    while (iEnd < qsMask.size() && qsMask.at(iEnd) != QLatin1Char(';'))
        iEnd += qsMask.at(iEnd) == QLatin1Char('\\') ? 2 : 1;
    QString qsBlank = qsMask.mid(iEnd + 1, 1);
    if (qsBlank.isEmpty())
        qsBlank = QStringLiteral(" ");
    QString qsText;
    for (qsizetype i = 0; i < std::min(iEnd, qsMask.size()); ++i) {
        const QChar c = qsMask.at(i);
        const QString qsTakes = takes(c);
        if (c == QLatin1Char('\\') && i + 1 < qsMask.size())
            qsText += qsMask.at(++i);
        else if (!qsTakes.isEmpty())
            qsText += WidestChar(pEdit, qsTakes + qsBlank);
        else if (!QStringLiteral("<>!").contains(c))
            qsText += c;
    }
    return qsText;
}

// Every masked field of the panel shows its whole value, at its widest digits, however narrow a
// dock lays it out and in whatever font; a width the form gives it beyond that stays.
inline void FitMaskedFields(QWidget *pPanel)
{
    for (QLineEdit *pEdit : pPanel->findChildren<QLineEdit *>()) {
        if (pEdit->inputMask().isEmpty())
            continue;
        const int iWidth = FieldWidthFor(pEdit, WidestMaskedText(pEdit, pEdit->inputMask()));
        pEdit->setMinimumWidth(std::max(pEdit->minimumWidth(), iWidth));
        pEdit->setMaximumWidth(std::max(pEdit->maximumWidth(), iWidth));
    }
}

// Every other field of the panel (a file name, a version or a description read from the
// device) keeps the text it shows, or its placeholder, whole: its least width follows the text,
// never below the one the form or the panel gave it, and a dock too narrow for it scrolls. The
// fields of spin and combo boxes are sized by their boxes.
inline void KeepFieldTextsWhole(QWidget *pPanel)
{
    for (QLineEdit *pEdit : pPanel->findChildren<QLineEdit *>()) {
        const QWidget *pOwner = pEdit->parentWidget();
        if (!pEdit->inputMask().isEmpty() || qobject_cast<const QAbstractSpinBox *>(pOwner) ||
            qobject_cast<const QComboBox *>(pOwner))
            continue;
        const int iLeast = pEdit->minimumWidth();
        const auto fit = [pEdit, iLeast] {
            const QString qsShown = pEdit->displayText().isEmpty() ? pEdit->placeholderText() : pEdit->displayText();
            pEdit->setMinimumWidth(std::max(iLeast, FieldWidthFor(pEdit, qsShown)));
        };
        fit();
        QObject::connect(pEdit, &QLineEdit::textChanged, pEdit, fit);
    }
}
