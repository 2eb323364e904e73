#pragma once
// The room a line edit leaves for its text, measured as QLineEdit lays it out and not as the
// program sizes its fields, so that a test of a field's width does not agree with itself.

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

// Qt's own protected helper, reached through a pointer to member: the style option measured is
// the one the field paints with.
struct LineEditAccess : QLineEdit
{
    using QLineEdit::initStyleOption;
};

// The width a field leaves for its text as QLineEdit lays it out: the style's contents inside the
// frame, less the text margins, the two pixels kept on each side and one for the cursor after
// the text. A longer text scrolls and loses its start.
inline int TextRoom(const QLineEdit *pEdit)
{
    QStyleOptionFrame opt;
    (pEdit->*(&LineEditAccess::initStyleOption))(&opt);
    const QRect contents = pEdit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, pEdit);
    return contents.marginsRemoved(pEdit->textMargins()).width() - 2 * 2 - 1;
}
