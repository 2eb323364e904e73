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

// The menu entry that opens and closes a dock: the password-guarded update docks have actions of
// their own, the others their dock's toggle.
inline QAction *DockMenuEntry(QMainWindow *pWnd, QDockWidget *pDock)
{
    if (pDock->objectName() == QLatin1String("m_pFixtUpdateDock"))
        return pWnd->findChild<QAction *>(QStringLiteral("actionFixtures_Update"));
    if (pDock->objectName() == QLatin1String("m_pVPUUpdateDock"))
        return pWnd->findChild<QAction *>(QStringLiteral("actionVPU_Update"));
    return pDock->toggleViewAction();
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
