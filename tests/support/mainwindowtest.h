#pragma once
// Helpers for tests of the main window: its docks by title, the visible texts of a menu,
// and the settings store it restores from.

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QStringList>

inline QDockWidget *DockByTitle(QMainWindow *pWnd, const QString &qsTitle)
{
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        if (pDock->windowTitle() == qsTitle)
            return pDock;
    }
    return nullptr;
}

inline QStringList MenuTexts(QMainWindow *pWnd, const QString &qsMenuObjectName)
{
    QStringList texts;
    if (QMenu *pMenu = pWnd->findChild<QMenu *>(qsMenuObjectName)) {
        for (QAction *pAction : pMenu->actions())
            texts.append(pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
    }
    return texts;
}

inline QStringList VisibleDocks(QMainWindow *pWnd)
{
    QStringList titles;
    for (QDockWidget *pDock : pWnd->findChildren<QDockWidget *>()) {
        if (pDock->isVisible())
            titles.append(pDock->windowTitle());
    }
    titles.sort();
    return titles;
}
