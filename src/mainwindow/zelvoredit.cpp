// Scene editing in the main window: the fixtures and groups it owns, their numbering, the
// panels' lists of them, cabling mode, the scene's context menu with grouping, alignment
// and rotation, and the workspace decorations (border, grid, background, video area).
#include "mainwindow/zelvor.h"

#include "mainwindow/prompts.h"
#include "mainwindow/ui_zelvor.h"
#include "panels/device/fixturesettings.h"
#include "panels/device/sasusettings.h"
#include "panels/scene/fixturelists.h"
#include "panels/scene/groupsettings.h"
#include "project/projectconf.h"
#include "scene/anchor.h"
#include "scene/fixture.h"
#include "scene/fixturegroup.h"
#include "scene/sceneitems.h"
#include "scene/view.h"
#include "trace/trace.h"
#include "update/fixtureupdate.h"

#include <QCursor>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kGroupNameMax = 32;
// The screen and a margin of 150 around it: all that a change of the scene may touch.
const QRectF kAroundScreen(-150, -150, 2220, 1380);

quint8 OutputOf(const CFixture *pFixture)
{
    quint32 uOutput = 0;
    pFixture->GetNumber(&uOutput, nullptr);
    return quint8(uOutput & 0xFF);
}

quint32 NumberOf(const CFixture *pFixture)
{
    quint32 uNumber = 0;
    pFixture->GetNumber(nullptr, &uNumber);
    return uNumber;
}

quint16 GroupNumberOf(const CFixtureGroup *pGroup)
{
    GroupInfo_t info;
    pGroup->GetInfo(&info);
    return info.number;
}

CFixtureGroup *ParentGroup(const CFixture *pFixture)
{
    QGraphicsItem *pParent = pFixture->parentItem();
    return pParent && pParent->type() == SceneItems::GROUP_TYPE ? static_cast<CFixtureGroup *>(pParent) : nullptr;
}

// iCount numbers for new entries beside the used ones: counting on from one above the highest
// (from uFirst when none is used) while that stays within uMax, else the lowest free numbers
// from uFirst up. Empty when not enough are free.
QList<quint32> NewNumbers(const QList<quint32> &used, quint32 uFirst, quint32 uMax, qint64 iCount)
{
    QList<quint32> numbers;
    quint64 ullNext = uFirst;
    if (!used.isEmpty())
        ullNext = qMax<quint64>(quint64(*std::max_element(used.begin(), used.end())) + 1, uFirst);
    if (ullNext + quint64(iCount) - 1 <= uMax) {
        for (qint64 i = 0; i < iCount; ++i)
            numbers.append(quint32(ullNext + quint64(i)));
        return numbers;
    }
    QList<quint32> sorted = used;
    std::sort(sorted.begin(), sorted.end());
    qsizetype iUsed = 0;
    // Each turn takes a number or steps over a used one: bounded by both list sizes.
    for (quint64 ullCandidate = uFirst; numbers.size() < iCount && ullCandidate <= uMax; ++ullCandidate) {
        while (iUsed < sorted.size() && sorted.at(iUsed) < ullCandidate)
            ++iUsed;
        if (iUsed < sorted.size() && sorted.at(iUsed) == ullCandidate)
            continue;
        numbers.append(quint32(ullCandidate));
    }
    if (numbers.size() < iCount)
        numbers.clear();
    return numbers;
}

// The fixture's outline at its current place and angle, as an upright rectangle.
QRectF OutlineRect(const CFixture *pFixture)
{
    const QPointF s = pFixture->scenePos();
    return CFixture::ConvertPolyToRect(
        pFixture->ComputePolygon(s.x(), s.y(), SceneItems::TruncAngle(pFixture->rotation()), nullptr));
}

// A rectangle of pixels x1..x2, y1..y2 drawn with its outline through the edge pixels' centres.
QRectF PixelRectF(int iX1, int iY1, int iX2, int iY2)
{
    return QRectF(iX1 - 0.5, iY1 - 0.5, iX2 - iX1 + 1, iY2 - iY1 + 1);
}

QPen GridPen()
{
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Adding, deleting and listing

int Zelvor::AddFixtures(const FixtureType_t &tType, int iX1, int iY1, int iX2, int iY2)
{
    return AddFixtures(tType, QRect(QPoint(iX1, iY1), QPoint(iX2, iY2)));
}

int Zelvor::AddFixtures(const FixtureType_t &tType, const QRect &block)
{
    const int iAcross = block.width();
    const int iDown = block.height();
    const int iLeft = block.x();
    const int iTop = block.y();
    TraceInfo("Add Fixtures : '%s' - Horizontal Number=%d - Vertical Number=%d - top-left-hor=%d - top-left-ver=%d",
              tType.name.toUtf8().constData(), iAcross, iDown, iLeft, iTop);

    // A block without fixtures, or of a type without size, would create nothing to select.
    if (iAcross < 1 || iDown < 1 || tType.width < 1 || tType.height < 1) {
        ErrorMsg(tr("Invalid fixture block: %1 x %2 fixtures of %3 x %4 pixels!")
                     .arg(iAcross)
                     .arg(iDown)
                     .arg(tType.width)
                     .arg(tType.height),
                 -4);
        return -4;
    }
    if (iLeft < 0 || qint64(tType.width) * iAcross + iLeft > kScreenWidth) {
        ErrorMsg(tr("Fixture(s) does not fit in the Full Screen width!"), 0);
        return -51;
    }
    if (iTop < 0 || qint64(iDown) * tType.height + iTop > kScreenHeight) {
        ErrorMsg(tr("Fixture(s) does not fit in the Full Screen height!"), 0);
        return -51;
    }

    // Every number is found before anything is made: a block that cannot be numbered within
    // what a project file holds is refused whole.
    const qint64 iCount = qint64(iAcross) * iDown;
    QList<quint32> used;
    for (const CFixture *pFixture : std::as_const(m_AllFixtures)) {
        if (OutputOf(pFixture) == 0)
            used.append(NumberOf(pFixture));
    }
    const QList<quint32> numbers = NewNumbers(used, 0, kNotCabledNumberMax, iCount);
    if (numbers.isEmpty()) {
        ErrorMsg(tr("No free number is left for %1 more fixtures that are not cabled!").arg(iCount), -5);
        return -5;
    }
    TraceInfo("Next fixture number on output 0 is: %u", numbers.first());
    const bool bGroup = iCount > 1;
    quint16 uGroupNumber = 0;
    if (bGroup && GetFirstFreeGroupNumber(&uGroupNumber) != 0) {
        ErrorMsg(tr("No free group number is left: a project holds at most %1 groups!").arg(kGroupNumberMax), -5);
        return -5;
    }

    // A group's members are placed relative to the group, which is moved into place once it
    // holds them; the anchors are in scene coordinates from the start.
    CFixtureGroup *pGroup = bGroup ? new CFixtureGroup(&m_Scene) : nullptr;
    QList<CFixture *> made;
    made.reserve(iCount);
    int iIndex = 0;
    for (int c = 0; c < iAcross; ++c) {
        for (int r = 0; r < iDown; ++r) {
            CFixture *pFixture = new CFixture(&m_Scene);
            pFixture->SetType(tType);
            const double dSceneX = iLeft + double(c) * tType.width;
            const double dSceneY = iTop + double(r) * tType.height;
            if (bGroup)
                pFixture->SetPosition(double(c) * tType.width, double(r) * tType.height);
            else
                pFixture->SetPosition(dSceneX, dSceneY);
            pFixture->SetAnchorPos(dSceneX, dSceneY);
            pFixture->SetNumber(0, numbers.at(iIndex++));
            pFixture->setZValue(SceneItems::FIXTURE_Z);
            m_AllFixtures.append(pFixture);
            made.append(pFixture);
            if (bGroup) {
                pGroup->AddFixture(pFixture);
            } else {
                m_Scene.addItem(pFixture);
                m_TopFixtures.append(pFixture);
            }
        }
    }
    // Numbered fixtures are listed among the not-cabled ones at once, not at the next rebuild.
    m_Chains[0].append(made);

    QGraphicsItem *pNewItem = made.first();
    if (bGroup) {
        pGroup->SetPosition(iLeft, iTop);
        pGroup->SetAnchorPos(iLeft, iTop);
        pGroup->SetInfo(MakeGroupInfo(uGroupNumber, tr("Group %1").arg(uGroupNumber).left(kGroupNameMax)));
        pGroup->setZValue(SceneItems::GROUP_Z);
        m_Scene.addItem(pGroup);
        m_Groups.append(pGroup);
        pNewItem = pGroup;
    }

    m_pFixtureLists->AddToSceneList(nullptr, {pNewItem});
    m_pFixtureLists->UpdateSceneListSelection();
    m_pFixtureLists->InitCablingLists();
    m_pFixtureLists->AddToCablingLists(m_AllFixtures);
    m_pFixtureLists->ClearSasuList();
    m_pFixtureLists->AddToSasuList(m_AllFixtures);
    m_pFixtureSettings->UpdateFixtureList(m_AllFixtures);
    m_pSasuSettings->UpdateFixtureList(m_AllFixtures);
    m_pGroupSettings->SetGroupList(m_Groups);
    m_pFixtureUpdate->UpdateFixtureList(m_AllFixtures);

    ClearHighlight();
    m_Scene.update();
    pNewItem->setSelected(true);
    return 0;
}

void Zelvor::ClearPanelLists()
{
    m_pFixtureLists->ClearSceneList();
    // The cabling and SASU lists go too, before any item they point to is deleted.
    m_pFixtureLists->InitCablingLists();
    m_pFixtureLists->ClearSasuList();
    m_pGroupSettings->ClearGroupList();
    m_pFixtureSettings->ClearFixtureList();
    m_pSasuSettings->ClearFixtureList();
    m_pFixtureUpdate->ClearFixtureList();
}

void Zelvor::FillPanelLists()
{
    RebuildSceneTree();
    m_pFixtureSettings->UpdateFixtureList(m_AllFixtures);
    m_pSasuSettings->UpdateFixtureList(m_AllFixtures);
    m_pFixtureUpdate->UpdateFixtureList(m_AllFixtures);
    m_pFixtureLists->InitCablingLists();
    m_pFixtureLists->AddToCablingLists(m_AllFixtures);
    m_pFixtureLists->ClearSasuList();
    m_pFixtureLists->AddToSasuList(m_AllFixtures);
}

void Zelvor::RebuildSceneTree()
{
    QList<QGraphicsItem *> items;
    items.reserve(m_Groups.size() + m_TopFixtures.size());
    for (CFixtureGroup *pGroup : std::as_const(m_Groups))
        items.append(pGroup);
    for (CFixture *pFixture : std::as_const(m_TopFixtures))
        items.append(pFixture);
    m_pFixtureLists->AddToSceneList(nullptr, items);
    m_pGroupSettings->SetGroupList(m_Groups);
}

void Zelvor::InvalidateWorkspace()
{
    m_Scene.invalidate(kAroundScreen, QGraphicsScene::AllLayers);
}

void Zelvor::DetachFromGroup(CFixture *pFixture, CFixtureGroup *pGroup)
{
    RotationInfo_t fixtureInfo;
    pFixture->GetRotationInfo(&fixtureInfo);
    RotationInfo_t groupInfo;
    pGroup->GetRotationInfo(&groupInfo);
    pGroup->MembersChanged();
    pGroup->RemoveFixture(pFixture);
    // Its origin stays where it is on the screen and it keeps the turn it showed: the group's
    // angle joins its own, about its own origin as the group's turn had left it.
    const QPointF scenePoint = pFixture->scenePos();
    pFixture->setParentItem(nullptr);
    pFixture->PlaceAtScenePos(scenePoint);
    pFixture->setRotation(CProjectConf::AngleInRange(qint64(fixtureInfo.angle) + groupInfo.angle));
    pFixture->SetAnchorPos(fixtureInfo.anchorX, fixtureInfo.anchorY);
    pFixture->SetGroupNumber(0);
}

void Zelvor::DeleteSelectedFixtures()
{
    const QList<QGraphicsItem *> selected = m_Scene.selectedItems();
    TraceInfo("Delete Selected Fixtures... (Item number selected = %d", int(selected.size()));
    if (selected.isEmpty())
        return;
    ClearPanelLists();

    // Every fixture that leaves, members of deleted groups included: the numbers above each
    // move down so that chains and not-cabled numbers stay without gaps.
    QList<CFixture *> leaving;
    QList<CFixture *> deleteAlone;
    QList<CFixtureGroup *> deleteGroups;
    for (CFixtureGroup *pGroup : QList<CFixtureGroup *>(m_Groups)) {
        if (!pGroup->isSelected())
            continue;
        QList<CFixture *> members;
        pGroup->GetFixtures(members);
        for (CFixture *pMember : std::as_const(members))
            m_AllFixtures.removeAll(pMember);
        leaving.append(members);
        m_Groups.removeAll(pGroup);
        deleteGroups.append(pGroup);
    }
    for (CFixture *pFixture : QList<CFixture *>(m_AllFixtures)) {
        if (!pFixture->isSelected())
            continue;
        if (CFixtureGroup *pGroup = ParentGroup(pFixture)) {
            pGroup->MembersChanged();
            pGroup->RemoveFixture(pFixture);
            pFixture->setParentItem(nullptr);
        }
        m_Scene.removeItem(pFixture);
        m_AllFixtures.removeAll(pFixture);
        m_TopFixtures.removeAll(pFixture);
        leaving.append(pFixture);
        deleteAlone.append(pFixture);
    }
    for (CFixtureGroup *pGroup : QList<CFixtureGroup *>(m_Groups)) {
        QList<CFixture *> members;
        pGroup->GetFixtures(members);
        if (members.size() >= 2)
            continue;
        if (members.size() == 1) {
            DetachFromGroup(members.first(), pGroup);
            m_TopFixtures.append(members.first());
        }
        m_Groups.removeAll(pGroup);
        deleteGroups.append(pGroup);
    }

    CloseNumberGaps(leaving);
    qDeleteAll(deleteAlone);
    CloseGroupNumberGaps(deleteGroups);
    for (CFixtureGroup *pGroup : std::as_const(deleteGroups)) {
        m_Scene.removeItem(pGroup);
        delete pGroup;
    }
    UpdateFixtureLists();
}

void Zelvor::UpdateFixtureLists()
{
    ClearPanelLists();
    for (QList<CFixture *> &chain : m_Chains)
        chain.clear();
    std::fill(std::begin(m_iLpuCount), std::end(m_iLpuCount), 0);
    std::fill(std::begin(m_iSasuCount), std::end(m_iSasuCount), 0);
    for (CFixture *pFixture : std::as_const(m_AllFixtures)) {
        const quint8 uOutput = OutputOf(pFixture);
        if (uOutput == 0) {
            m_Chains[0].append(pFixture);
            continue;
        }
        if (uOutput > 4)
            continue;
        QList<CFixture *> &chain = m_Chains[uOutput];
        const quint32 uNumber = NumberOf(pFixture);
        qsizetype i = 0;
        while (i < chain.size() && NumberOf(chain.at(i)) >= uNumber)
            ++i;
        chain.insert(i, pFixture);
        FixtureType_t type;
        pFixture->GetType(&type);
        if (IsSasuType(type.type))
            ++m_iSasuCount[uOutput - 1];
        else
            ++m_iLpuCount[uOutput - 1];
    }
    FillPanelLists();
    InvalidateWorkspace();
}

void Zelvor::AddItemToScene(const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups)
{
    m_AllFixtures.clear();
    m_TopFixtures.clear();
    m_Groups.clear();
    for (CFixture *pFixture : fixtures) {
        if (pFixture->scene() != &m_Scene)
            m_Scene.addItem(pFixture);
        m_AllFixtures.append(pFixture);
        m_TopFixtures.append(pFixture);
    }
    for (CFixtureGroup *pGroup : groups) {
        if (pGroup->scene() != &m_Scene)
            m_Scene.addItem(pGroup);
        m_Groups.append(pGroup);
        QList<CFixture *> members;
        pGroup->GetFixtures(members);
        m_AllFixtures.append(members);
    }
    UpdateFixtureLists();
}

void Zelvor::ClearScene()
{
    ClearPanelLists();
    for (CFixtureGroup *pGroup : std::as_const(m_Groups)) {
        m_Scene.removeItem(pGroup);
        delete pGroup;
    }
    for (CFixture *pFixture : std::as_const(m_TopFixtures)) {
        m_Scene.removeItem(pFixture);
        delete pFixture;
    }
    m_AllFixtures.clear();
    m_Groups.clear();
    m_TopFixtures.clear();
    for (QList<CFixture *> &chain : m_Chains)
        chain.clear();
    m_SelectedFixtures.clear();
    m_SelectedGroups.clear();
}

// ---------------------------------------------------------------------------------------------
// Modes, selection and numbering

namespace {

// Every dock but the workspace, fixture lists and test tools docks, which cabling needs.
QList<QDockWidget *> CablingLockedDocks(Ui::Zelvor *pUi)
{
    return {pUi->m_pVideoInputDock, pUi->m_pFixtSetDock,     pUi->m_pFixtUpdateDock,
            pUi->m_pGroupSetDock,   pUi->m_pSASUDock,        pUi->m_pTestDock,
            pUi->m_pInputColorDock, pUi->m_pOutputColorDock, pUi->m_pPaintBrushToolsDock,
            pUi->m_pVPUUpdateDock,  pUi->m_pDMXConfigDock};
}

} // namespace

void Zelvor::EnterCablingMode()
{
    m_bEditMode = false;
    m_bCablingMode = true;
    for (QDockWidget *pDock : CablingLockedDocks(m_pUi))
        pDock->setEnabled(false);
    for (CFixture *pFixture : std::as_const(m_AllFixtures))
        pFixture->EnterCablingMode();
    for (CFixtureGroup *pGroup : std::as_const(m_Groups))
        pGroup->EnterCablingMode();
}

void Zelvor::LeaveCablingMode()
{
    m_bEditMode = true;
    m_bCablingMode = false;
    for (QDockWidget *pDock : CablingLockedDocks(m_pUi))
        pDock->setEnabled(true);
    for (CFixture *pFixture : std::as_const(m_AllFixtures))
        pFixture->LeaveCablingMode();
    for (CFixtureGroup *pGroup : std::as_const(m_Groups))
        pGroup->LeaveCablingMode();
    UpdateFixtureLists();
}

void Zelvor::ClearHighlight()
{
    if (m_bEditMode) {
        m_Scene.clearSelection();
    } else if (m_bCablingMode) {
        for (CFixture *pFixture : std::as_const(m_AllFixtures))
            pFixture->SetHighlighted(false);
    }
}

void Zelvor::GetSelectedFixtures(QList<CFixture *> &fixtures) const
{
    fixtures.clear();
    for (CFixture *pFixture : m_AllFixtures) {
        if (pFixture->isSelected())
            fixtures.append(pFixture);
    }
}

int Zelvor::GetNextFixtureNumber(quint8 uOutput, quint32 *puNumber) const
{
    QList<quint32> used;
    for (const CFixture *pFixture : m_AllFixtures) {
        if (OutputOf(pFixture) == uOutput)
            used.append(NumberOf(pFixture));
    }
    const QList<quint32> numbers = NewNumbers(used, 0, uOutput == 0 ? kNotCabledNumberMax : kCabledNumberMax, 1);
    if (numbers.isEmpty()) {
        TraceError("No free fixture number is left on output %d!", int(uOutput));
        return -5;
    }
    if (puNumber)
        *puNumber = numbers.first();
    TraceInfo("Next fixture number on output %d is: %u", int(uOutput), numbers.first());
    return 0;
}

int Zelvor::GetFirstFreeGroupNumber(quint16 *puNumber) const
{
    QList<quint32> used;
    for (const CFixtureGroup *pGroup : m_Groups)
        used.append(GroupNumberOf(pGroup));
    const QList<quint32> numbers = NewNumbers(used, 1, kGroupNumberMax, 1);
    if (numbers.isEmpty()) {
        TraceError("No free group number is left!");
        return -5;
    }
    if (puNumber)
        *puNumber = quint16(numbers.first());
    TraceInfo("First free group number is: %d", int(numbers.first()));
    return 0;
}

void Zelvor::ShiftFixtureNumbers(const QList<CFixture *> &fixtures)
{
    for (CFixture *pFixture : fixtures) {
        quint32 uOutput = 0;
        quint32 uNumber = 0;
        pFixture->GetNumber(&uOutput, &uNumber);
        pFixture->SetNumber(uOutput, uNumber + 1);
        pFixture->update();
    }
}

void Zelvor::CloseNumberGaps(const QList<CFixture *> &removed)
{
    // The removed fixtures move down with the others even when they have left the list
    // already: each one's number is the threshold for its own gap, and after the gaps below
    // it have closed it must have moved down as far as the fixtures around it.
    QList<CFixture *> affected = m_AllFixtures;
    const QSet<CFixture *> listed(m_AllFixtures.cbegin(), m_AllFixtures.cend());
    for (CFixture *pRemoved : removed) {
        if (!listed.contains(pRemoved))
            affected.append(pRemoved);
    }
    for (const CFixture *pRemoved : removed) {
        const quint8 uOutput = OutputOf(pRemoved);
        const quint32 uNumber = NumberOf(pRemoved);
        for (CFixture *pFixture : std::as_const(affected)) {
            quint32 uOwnOutput = 0;
            quint32 uOwnNumber = 0;
            pFixture->GetNumber(&uOwnOutput, &uOwnNumber);
            // Number 0 has nowhere to go: it would wrap round to the largest number.
            if (quint8(uOwnOutput & 0xFF) != uOutput || uOwnNumber < uNumber || uOwnNumber == 0)
                continue;
            pFixture->SetNumber(uOwnOutput, uOwnNumber - 1);
            pFixture->update();
        }
    }
}

void Zelvor::CloseGroupNumberGaps(const QList<CFixtureGroup *> &removed)
{
    for (const CFixtureGroup *pRemoved : removed) {
        const quint16 uNumber = GroupNumberOf(pRemoved);
        for (CFixtureGroup *pGroup : std::as_const(m_Groups)) {
            GroupInfo_t info;
            pGroup->GetInfo(&info);
            if (info.number < uNumber || info.number <= 1)
                continue;
            pGroup->SetInfo(MakeGroupInfo(quint16(info.number - 1), info.name));
            pGroup->update();
        }
    }
}

void Zelvor::RaiseFixtureDockIfSingle()
{
    int iFixtures = 0;
    int iGroups = 0;
    for (const QGraphicsItem *pItem : m_Scene.selectedItems()) {
        if (pItem->type() == SceneItems::FIXTURE_TYPE)
            ++iFixtures;
        else if (pItem->type() == SceneItems::GROUP_TYPE)
            ++iGroups;
    }
    if (iFixtures == 1 && iGroups == 0)
        m_pUi->m_pFixtSetDock->raise();
}

void Zelvor::RaiseGroupDockIfSingle()
{
    int iFixtures = 0;
    int iGroups = 0;
    for (const QGraphicsItem *pItem : m_Scene.selectedItems()) {
        if (pItem->type() == SceneItems::FIXTURE_TYPE)
            ++iFixtures;
        else if (pItem->type() == SceneItems::GROUP_TYPE)
            ++iGroups;
    }
    if (iGroups == 1 && iFixtures == 0)
        m_pUi->m_pGroupSetDock->raise();
}

void Zelvor::RefreshPanels()
{
    m_pFixtureLists->UpdateItemTexts();
    m_pFixtureSettings->UpdateItemTexts();
    m_pGroupSettings->UpdateItemTexts();
    m_pSasuSettings->UpdateItemTexts();
}

QList<CFixture *> Zelvor::NotCabledFixturesAt(const QPointF &scenePoint) const
{
    QList<CFixture *> fixtures;
    for (QGraphicsItem *pItem : m_Scene.items(scenePoint, Qt::IntersectsItemShape, Qt::DescendingOrder)) {
        if (pItem->type() != SceneItems::FIXTURE_TYPE)
            continue;
        CFixture *pFixture = static_cast<CFixture *>(pItem);
        if (OutputOf(pFixture) == 0)
            fixtures.append(pFixture);
    }
    return fixtures;
}

void Zelvor::FilterSceneEvent(QObject *pWatched, QEvent *pEvent)
{
    const QEvent::Type eType = pEvent->type();
    if (eType == QEvent::KeyPress || eType == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent *>(pEvent)->key() == Qt::Key_Control) {
            m_bCtrlHeld = eType == QEvent::KeyPress;
            if (!m_bCtrlHeld)
                m_bZoomDragStarted = false;
        }
        return;
    }
    if (pWatched != &m_Scene)
        return;
    switch (eType) {
    case QEvent::FocusOut:
        m_bCtrlHeld = false;
        m_bZoomDragStarted = false;
        break;
    case QEvent::GraphicsSceneMousePress: {
        auto *pMouse = static_cast<QGraphicsSceneMouseEvent *>(pEvent);
        if (!m_bCtrlHeld || pMouse->button() != Qt::LeftButton) {
            m_bZoomDragStarted = false;
        } else {
            m_ZoomPressPoint = pMouse->scenePos();
            m_bZoomDragStarted = true;
        }
        break;
    }
    case QEvent::GraphicsSceneMouseRelease: {
        auto *pMouse = static_cast<QGraphicsSceneMouseEvent *>(pEvent);
        if (m_bCtrlHeld && m_bZoomDragStarted && pMouse->button() == Qt::LeftButton) {
            m_ZoomReleasePoint = pMouse->scenePos();
            auto clampX = [](double x) { return qBound(0.0, x, double(kScreenWidth - 1)); };
            auto clampY = [](double y) { return qBound(0.0, y, double(kScreenHeight - 1)); };
            const double x1 = clampX(m_ZoomPressPoint.x());
            const double x2 = clampX(m_ZoomReleasePoint.x());
            const double y1 = clampY(m_ZoomPressPoint.y());
            const double y2 = clampY(m_ZoomReleasePoint.y());
            const QRectF area(qMin(x1, x2), qMin(y1, y2), qAbs(x2 - x1), qAbs(y2 - y1));
            m_pView->fitInView(area, Qt::KeepAspectRatio);
        } else if (m_bCablingMode) {
            m_pFixtureLists->SelectInCablingLists(NotCabledFixturesAt(pMouse->scenePos()));
        }
        m_bZoomDragStarted = false;
        break;
    }
    case QEvent::GraphicsSceneMouseDoubleClick:
        if (m_bCablingMode)
            m_pFixtureLists->CableClickedFixture(
                NotCabledFixturesAt(static_cast<QGraphicsSceneMouseEvent *>(pEvent)->scenePos()));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Context menu, grouping, alignment and rotation

void Zelvor::CreateContextActions()
{
    QWidget *pTop = window();
    m_pGroupAction = new QAction(tr("&Group Fixtures"), pTop);
    m_pUnGroupAction = new QAction(tr("&UnGroup Fixtures"), pTop);
    m_pAlignTopAction = new QAction(tr("&Top"), pTop);
    m_pAlignBottomAction = new QAction(tr("&Bottom"), pTop);
    m_pAlignLeftAction = new QAction(tr("&Left"), pTop);
    m_pAlignRightAction = new QAction(tr("&Right"), pTop);
    m_pRotationAction = new QAction(tr("&Set rotation to..."), pTop);
    using Slot = void (Zelvor::*)(bool);
    const QList<QPair<QAction *, Slot>> wiring = {
        {m_pGroupAction, &Zelvor::s_OnGraphViewGroupActionTriggered},
        {m_pUnGroupAction, &Zelvor::s_OnGraphViewUnGroupActionTriggered},
        {m_pAlignTopAction, &Zelvor::s_OnGraphViewAlignTopActionTriggered},
        {m_pAlignBottomAction, &Zelvor::s_OnGraphViewAlignBottomActionTriggered},
        {m_pAlignLeftAction, &Zelvor::s_OnGraphViewAlignLeftActionTriggered},
        {m_pAlignRightAction, &Zelvor::s_OnGraphViewAlignRightActionTriggered},
        {m_pRotationAction, &Zelvor::s_OnGraphViewRotationActionTriggered},
    };
    for (const auto &entry : wiring)
        connect(entry.first, &QAction::triggered, this, entry.second);
    CFixtureGroup::SetUngroupService([this](const QList<CFixtureGroup *> &groups) { UngroupItems(groups); });
}

void Zelvor::DeleteContextActions()
{
    CFixtureGroup::SetUngroupService(nullptr);
    for (QAction **ppAction : {&m_pGroupAction, &m_pUnGroupAction, &m_pAlignTopAction, &m_pAlignBottomAction,
                               &m_pAlignLeftAction, &m_pAlignRightAction, &m_pRotationAction}) {
        delete *ppAction;
        *ppAction = nullptr;
    }
}

void Zelvor::CollectSelection()
{
    m_SelectedFixtures.clear();
    m_SelectedGroups.clear();
    for (QGraphicsItem *pItem : m_Scene.selectedItems()) {
        if (pItem->type() == SceneItems::GROUP_TYPE)
            m_SelectedGroups.append(static_cast<CFixtureGroup *>(pItem));
        else if (pItem->type() == SceneItems::FIXTURE_TYPE)
            m_SelectedFixtures.append(static_cast<CFixture *>(pItem));
    }
}

void Zelvor::FillContextMenu(QMenu *pMenu)
{
    CollectSelection();
    int iGrouped = 0;
    for (const CFixture *pFixture : std::as_const(m_SelectedFixtures)) {
        if (pFixture->parentItem())
            ++iGrouped;
    }
    if (m_SelectedFixtures.isEmpty() && !m_SelectedGroups.isEmpty())
        pMenu->addAction(m_pUnGroupAction);
    if (m_SelectedGroups.isEmpty() && m_SelectedFixtures.size() > 1 && iGrouped == 0)
        pMenu->addAction(m_pGroupAction);
    if (m_SelectedFixtures.size() + m_SelectedGroups.size() > 1) {
        QMenu *pAlign = pMenu->addMenu(tr("&Align"));
        pAlign->addAction(m_pAlignTopAction);
        pAlign->addAction(m_pAlignBottomAction);
        pAlign->addAction(m_pAlignLeftAction);
        pAlign->addAction(m_pAlignRightAction);
        pMenu->addAction(m_pRotationAction);
    }
}

void Zelvor::s_OnGraphViewCustomContextMenuRequested(const QPoint &pos)
{
    Q_UNUSED(pos);
    QMenu menu(tr("&Fixture Menu"), this);
    FillContextMenu(&menu);
    if (!menu.actions().isEmpty())
        menu.exec(QCursor::pos());
}

void Zelvor::s_OnGraphViewGroupActionTriggered(bool)
{
    GroupItems(m_SelectedFixtures);
}

void Zelvor::s_OnGraphViewGroupActionTriggered()
{
    s_OnGraphViewGroupActionTriggered(false);
}

void Zelvor::s_OnGraphViewUnGroupActionTriggered(bool)
{
    UngroupItems(m_SelectedGroups);
}

void Zelvor::s_OnGraphViewUnGroupActionTriggered()
{
    s_OnGraphViewUnGroupActionTriggered(false);
}

void Zelvor::s_OnGraphViewAlignTopActionTriggered(bool)
{
    AlignSelected(ALIGN_TOP, m_SelectedFixtures, m_SelectedGroups);
}

void Zelvor::s_OnGraphViewAlignTopActionTriggered()
{
    s_OnGraphViewAlignTopActionTriggered(false);
}

void Zelvor::s_OnGraphViewAlignBottomActionTriggered(bool)
{
    AlignSelected(ALIGN_BOTTOM, m_SelectedFixtures, m_SelectedGroups);
}

void Zelvor::s_OnGraphViewAlignBottomActionTriggered()
{
    s_OnGraphViewAlignBottomActionTriggered(false);
}

void Zelvor::s_OnGraphViewAlignLeftActionTriggered(bool)
{
    AlignSelected(ALIGN_LEFT, m_SelectedFixtures, m_SelectedGroups);
}

void Zelvor::s_OnGraphViewAlignLeftActionTriggered()
{
    s_OnGraphViewAlignLeftActionTriggered(false);
}

void Zelvor::s_OnGraphViewAlignRightActionTriggered(bool)
{
    AlignSelected(ALIGN_RIGHT, m_SelectedFixtures, m_SelectedGroups);
}

void Zelvor::s_OnGraphViewAlignRightActionTriggered()
{
    s_OnGraphViewAlignRightActionTriggered(false);
}

void Zelvor::s_OnGraphViewRotationActionTriggered(bool)
{
    int iAngle = 0;
    if (Prompts::Instance().GetInt(this, tr("Set Fixture and Group Rotation"), tr("Angle:"), 0, -180, 180, 1, &iAngle))
        RotateItems(iAngle, m_SelectedFixtures, m_SelectedGroups);
}

void Zelvor::s_OnGraphViewRotationActionTriggered()
{
    s_OnGraphViewRotationActionTriggered(false);
}

void Zelvor::GroupItems(const QList<CFixture *> &fixtures)
{
    // Only loose fixtures of this scene can join: a fixture taken from another group would
    // stay listed there, and a group of fewer than two is no group to the project file.
    QList<CFixture *> loose;
    for (CFixture *pFixture : fixtures) {
        if (pFixture && !pFixture->parentItem() && m_AllFixtures.contains(pFixture) && !loose.contains(pFixture))
            loose.append(pFixture);
    }
    if (loose.size() < 2)
        return;
    quint16 uNumber = 0;
    if (GetFirstFreeGroupNumber(&uNumber) != 0) {
        ErrorMsg(tr("No free group number is left: a project holds at most %1 groups!").arg(kGroupNumberMax), -5);
        return;
    }
    m_pFixtureLists->ClearSceneList();
    m_pGroupSettings->ClearGroupList();

    double dMinX = kScreenWidth;
    double dMinY = kScreenHeight;
    for (const CFixture *pFixture : std::as_const(loose)) {
        const QRectF r = OutlineRect(pFixture);
        dMinX = qMin(dMinX, r.left());
        dMinY = qMin(dMinY, r.top());
    }
    // The group's origin and anchor are the top-left corner of the members' common box; the
    // members keep their place on the screen and their own anchors.
    CFixtureGroup *pGroup = new CFixtureGroup(&m_Scene);
    pGroup->SetInfo(MakeGroupInfo(uNumber, tr("Group %1").arg(uNumber).left(kGroupNameMax)));
    pGroup->setZValue(SceneItems::FIXTURE_Z);
    // In the scene before it takes the fixtures: they stay in the scene as its children.
    m_Scene.addItem(pGroup);
    m_Groups.append(pGroup);
    pGroup->SetPosition(dMinX, dMinY);
    pGroup->SetAnchorPos(dMinX, dMinY);
    pGroup->AddFixtures(loose);
    for (CFixture *pFixture : std::as_const(loose))
        m_TopFixtures.removeAll(pFixture);

    RebuildSceneTree();
    InvalidateWorkspace();
}

void Zelvor::UngroupItems(const QList<CFixtureGroup *> &groups)
{
    m_pFixtureLists->ClearSceneList();
    m_pGroupSettings->ClearGroupList();
    QList<CFixtureGroup *> dissolved;
    for (CFixtureGroup *pGroup : groups) {
        if (!m_Groups.contains(pGroup) || dissolved.contains(pGroup))
            continue;
        QList<CFixture *> members;
        pGroup->GetFixtures(members);
        for (CFixture *pFixture : std::as_const(members)) {
            DetachFromGroup(pFixture, pGroup);
            m_TopFixtures.append(pFixture);
        }
        m_Groups.removeAll(pGroup);
        dissolved.append(pGroup);
    }
    CloseGroupNumberGaps(dissolved);
    for (CFixtureGroup *pGroup : std::as_const(dissolved)) {
        m_Scene.removeItem(pGroup);
        delete pGroup;
    }
    RebuildSceneTree();
    InvalidateWorkspace();
}

void Zelvor::AlignSelected(int iMode, const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups)
{
    if (iMode < ALIGN_TOP || iMode > ALIGN_RIGHT || fixtures.size() + groups.size() < 2)
        return;
    double dMinX = kScreenWidth;
    double dMinY = kScreenHeight;
    double dMaxX = 0;
    double dMaxY = 0;
    auto widen = [&](const QRectF &r) {
        dMinX = qMin(dMinX, r.left());
        dMinY = qMin(dMinY, r.top());
        dMaxX = qMax(dMaxX, r.left() + r.width());
        dMaxY = qMax(dMaxY, r.top() + r.height());
    };
    for (const CFixture *pFixture : fixtures)
        widen(OutlineRect(pFixture));
    for (const CFixtureGroup *pGroup : groups)
        widen(pGroup->ComputeRect(SceneItems::TruncAngle(pGroup->rotation())));

    auto shift = [&](const QRectF &r) {
        switch (iMode) {
        case ALIGN_TOP:
            return QPointF(0, dMinY - r.top());
        case ALIGN_BOTTOM:
            return QPointF(0, dMaxY - (r.top() + r.height()));
        case ALIGN_LEFT:
            return QPointF(dMinX - r.left(), 0);
        default:
            return QPointF(dMaxX - (r.left() + r.width()), 0);
        }
    };
    for (CFixture *pFixture : fixtures) {
        const QPointF d = shift(OutlineRect(pFixture));
        const QPointF s = pFixture->scenePos();
        pFixture->SetPosition(s.x() + d.x(), s.y() + d.y());
    }
    for (CFixtureGroup *pGroup : groups) {
        const QPointF d = shift(pGroup->ComputeRect(SceneItems::TruncAngle(pGroup->rotation())));
        QPointF anchor;
        if (CAnchor *pAnchor = pGroup->GetAnchor())
            pAnchor->GetScenePos(&anchor);
        const QPointF s = pGroup->scenePos();
        // The group's own move carries its anchor along; setting it afterwards from where it
        // was keeps it from moving twice.
        if (pGroup->SetPosition(s.x() + d.x(), s.y() + d.y()) == 0)
            pGroup->SetAnchorPos(anchor.x() + d.x(), anchor.y() + d.y());
    }
}

void Zelvor::RotateItems(int iAngle, const QList<CFixture *> &fixtures, const QList<CFixtureGroup *> &groups)
{
    if (fixtures.size() + groups.size() < 2)
        return;
    for (CFixture *pFixture : fixtures)
        pFixture->SetRotation(iAngle);
    for (CFixtureGroup *pGroup : groups)
        pGroup->SetRotation(iAngle);
}

// ---------------------------------------------------------------------------------------------
// Workspace drawing and zoom

int Zelvor::SetBorder(bool bShow, int iLeft, int iTop, int iRight, int iBottom)
{
    if (m_pBorderItem) {
        m_Scene.removeItem(m_pBorderItem);
        delete m_pBorderItem;
        m_pBorderItem = nullptr;
    }
    if (bShow) {
        m_DrawnBorder = QRect(QPoint(iLeft, iTop), QPoint(iRight, iBottom));
        QPen pen(Qt::red);
        pen.setWidth(0);
        pen.setCosmetic(true);
        m_pBorderItem = new QGraphicsRectItem(PixelRectF(iLeft, iTop, iRight, iBottom));
        m_pBorderItem->setPen(pen);
        m_pBorderItem->setBrush(Qt::NoBrush);
        m_pBorderItem->setZValue(2);
        m_Scene.addItem(m_pBorderItem);
    }
    m_Workspace.borderShown = bShow;
    m_Workspace.border = MakePixelRect(iLeft, iTop, iRight, iBottom);
    TraceInfo("Set Border (%d, %d, %d, %d)", m_DrawnBorder.x(), m_DrawnBorder.y(), m_DrawnBorder.width(),
              m_DrawnBorder.height());
    return 0;
}

int Zelvor::SetGridSpace(bool bShow, int iSpacing)
{
    TraceInfo("Setting Grid Space (Show=%d - space=%d)", int(bShow), iSpacing);
    const quint32 uSpacing = quint32(qMax(iSpacing, 0));
    if (bShow && !m_GridItems.isEmpty() && m_Workspace.gridShown && m_Workspace.gridSpacing == uSpacing)
        return iSpacing;
    for (QGraphicsRectItem *pItem : std::as_const(m_GridItems)) {
        m_Scene.removeItem(pItem);
        delete pItem;
    }
    m_GridItems.clear();
    m_Workspace.gridSpacing = uSpacing;
    m_Workspace.gridShown = bShow;
    if (!bShow)
        return iSpacing;

    auto add = [this](const QRectF &r) {
        auto *pItem = new QGraphicsRectItem(r);
        pItem->setPen(GridPen());
        pItem->setBrush(Qt::NoBrush);
        pItem->setZValue(1);
        m_Scene.addItem(pItem);
        m_GridItems.append(pItem);
    };
    add(QRectF(-0.5, -0.5, kScreenWidth, kScreenHeight));
    // Every other band is drawn: the outlines of the drawn bands give a line at every
    // multiple of the spacing. Below 1 there is no band to draw, only the frame.
    const double s = iSpacing;
    if (iSpacing >= 1 && iSpacing <= kScreenHeight - 1) {
        for (double y = -0.5; y <= kScreenHeight - 0.5; y += 2 * s) {
            if (y + s >= kScreenHeight + 0.5) {
                add(QRectF(-0.5, y, kScreenWidth, kScreenHeight - y - 0.5));
                break;
            }
            add(QRectF(-0.5, y, kScreenWidth, s));
        }
    }
    if (iSpacing >= 1 && iSpacing <= kScreenWidth - 1) {
        for (double x = -0.5; x < kScreenWidth; x += 2 * s) {
            if (x + s >= kScreenWidth + 0.5) {
                add(QRectF(x, -0.5, kScreenWidth - x - 0.5, kScreenHeight));
                break;
            }
            add(QRectF(x, -0.5, s, kScreenHeight));
        }
    }
    return iSpacing;
}

int Zelvor::SetBackground(const BackgroundSettings_t &tBackground)
{
    if (m_pBackgroundItem) {
        m_Scene.removeItem(m_pBackgroundItem);
        delete m_pBackgroundItem;
        m_pBackgroundItem = nullptr;
    }
    int iStatus = 0;
    if (tBackground.shown) {
        if (tBackground.file.isEmpty()) {
            iStatus = -1;
        } else if (!QFileInfo::exists(tBackground.file)) {
            ErrorMsg(tr("Invalid background file '%1'!").arg(tBackground.file), -9);
            iStatus = -9;
        } else {
            m_BackgroundImage.load(tBackground.file);
            const PixelRect_t &p = tBackground.placement;
            if (tBackground.ratio == BACKGROUND_RATIO_RESIZE)
                m_BackgroundImage = m_BackgroundImage.scaled(p.x2 - p.x1 + 1, p.y2 - p.y1 + 1, Qt::IgnoreAspectRatio,
                                                             Qt::FastTransformation);
            m_pBackgroundItem = m_Scene.addPixmap(m_BackgroundImage);
            m_pBackgroundItem->setOffset(p.x1 - 0.5, p.y1 - 0.5);
            m_pBackgroundItem->setZValue(0);
        }
    }
    // Kept even when nothing could be drawn, so that a save keeps the file name.
    m_Workspace.background = tBackground;
    return iStatus;
}

int Zelvor::UpdateVideoArea()
{
    VideoSettings_t video;
    g_ProjectConf.GetVideoInputPacked(&video);
    if (m_pVideoAreaItem) {
        m_Scene.removeItem(m_pVideoAreaItem);
        delete m_pVideoAreaItem;
        m_pVideoAreaItem = nullptr;
    }
    const int iLeft = int(video.OffsetX - 0.5);
    const int iTop = int(video.OffsetY - 0.5);
    int iWidth = video.Width - 1;
    const int iHeight = video.Height - 1;
    if (video.Rotation != 0) {
        // A turned picture is as wide as it is high, scaled by the source's proportions; a
        // source without width has none to scale by.
        iWidth = video.Width > 0 ? int((double(video.Height) - 1) * video.Height / video.Width) : 0;
    }
    m_pVideoAreaItem = new QGraphicsRectItem(iLeft, iTop, qMax(iWidth, 0), qMax(iHeight, 0));
    m_pVideoAreaItem->setBrush(QBrush(Qt::blue, Qt::SolidPattern));
    m_pVideoAreaItem->setPen(
        QPen(QBrush(Qt::darkBlue, Qt::SolidPattern), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    m_pVideoAreaItem->setOpacity(0.2);
    m_pVideoAreaItem->setZValue(3);
    m_Scene.addItem(m_pVideoAreaItem);
    return 0;
}

void Zelvor::GetWorkspace(WorkspaceSettings_t *pWorkspace) const
{
    if (pWorkspace)
        CProjectConf::CopyWorkspace(pWorkspace, m_Workspace);
}

void Zelvor::s_OnZoomAll()
{
    m_pView->s_OnZoomAll();
}

void Zelvor::ZoomIn()
{
    m_pView->s_OnZoomIn();
}

void Zelvor::ZoomOut()
{
    m_pView->s_OnZoomOut();
}

void Zelvor::ShowMainWindow()
{
    setVisible(true);
    emit sigZoomAll();
}
