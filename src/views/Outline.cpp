#include "views/Outline.h"

#include "app/AppCore.h"
#include "app/Config.h"
#include "model/Completion.h"
#include "model/Scheduling.h"
#include "model/Tasks.h"
#include "views/KavView.h"

TOutline::TOutline()
{
    tree_.SetOnSelectionChange([this] { Core().Guarded([this] { treeOutlineChange(); }); });
    tree_.SetOnCheckClick(
        [this](TOutlineNode* node) { Core().Guarded([&] { treeOutlineCheckBoxClick(node); }); });
    tree_.SetOnDrop([this](TOutlineNode* dragged, TOutlineNode* target) {
        Core().Guarded([&] { treeOutlineDragDrop(dragged, target); });
    });
}

void TOutline::AddItemNode(TTask& item)
{
    // An item never has two nodes: one that has its node keeps it.
    if (!item.OutlineNode()) {
        TOutlineNode* parentNode = item.Parent() ? item.Parent()->OutlineNode() : nullptr;
        item.SetOutlineNode(tree_.AddNode(&item, parentNode));
        if (parentNode)
            tree_.SetExpanded(parentNode, true, false);
    }
    UpdateOutlineRow(item);
    tree_.SelectNode(item.OutlineNode());
}

void TOutline::DeleteItemNode(TTask& item)
{
    TOutlineNode* node = item.OutlineNode();
    if (!node)
        return;
    for (TTask* below : tree_.RemoveNode(node))
        below->SetOutlineNode(nullptr);
}

void TOutline::UpdateOutlineRow(TTask& item)
{
    TOutlineNode* node = item.OutlineNode();
    if (!node)
        return;
    tree_.SetText(node, NodeText(item));
    UpdateOutlineCheck(item);
}

QString TOutline::NodeText(const TTask& item)
{
    const bool grey = item.TaskType() == TTaskType::Idea ||
                      item.Status() == TTaskStatus::Suspended || item.Checked() ||
                      Scheduling::IsBlocked(item);
    QString text = item.TypeIcon() + u" <font color=\"" + (grey ? u"clSilver" : u"clBlack") +
                   u"\">" + item.Name() + u"</font>";
    if (ItemCells::HasNotes(item))
        text += u" <font size=\"6\">*</font>";
    if (Core().Config()->ShowDueDatesInOutline())
        text += u"    " + item.DeadlineText();
    return text;
}

void TOutline::UpdateOutlineCheck(TTask& item)
{
    TOutlineNode* node = item.OutlineNode();
    if (!node)
        return;
    TCheckState check = TCheckState::None;
    if (item.TaskType() != TTaskType::Area)
        check = item.Checked() ? TCheckState::Ticked : TCheckState::Clear;
    tree_.SetCheck(node, check);
}

void TOutline::RestoreExpanded(TTask& item)
{
    if (TOutlineNode* node = item.OutlineNode())
        tree_.SetExpanded(node, item.Expanded(), false);
}

bool TOutline::IsNodeChecked(const TTask& item) const
{
    const TOutlineNode* node = item.OutlineNode();
    return node && node->Check() == TCheckState::Ticked;
}

void TOutline::SelectItemNode(const TTask* item)
{
    tree_.SelectNode(item ? item->OutlineNode() : nullptr);
}

bool TOutline::CanDrop(const TOutlineNode* dragged, const TOutlineNode* target)
{
    return dragged && target && !target->IsWithin(dragged);
}

void TOutline::treeOutlineChange()
{
    if (updating_)
        return;
    TTask* item = Core().Tasks()->FindByRow(tree_.SelectedNode());
    // Selecting the current item's node is how the registry shows the current item.
    if (item && item != Core().CurrentItem())
        Core().SelectItem(item);
}

void TOutline::treeOutlineCheckBoxClick(TOutlineNode* node)
{
    TTask* item = Core().Tasks()->FindByRow(node);
    if (!item)
        return;
    // A click selects its node first, so the item concerned is the current item.
    tree_.SelectNode(node);
    Completion::ToggleDone(*item);
    Core().SetModified(true);
    item->UpdateRows();
    Core().LoadEditorControls();
    Core().AdjustControls();
}

void TOutline::treeOutlineDragDrop(TOutlineNode* dragged, TOutlineNode* target)
{
    if (!CanDrop(dragged, target))
        return;
    tree_.MoveUnder(dragged, target);
    Core().Tasks()->MoveUnder(*dragged->Item(), *target->Item());
    Core().SetModified(true);
}

void TOutline::mnExpandAll()
{
    if (TOutlineNode* first = tree_.First())
        tree_.SetExpanded(first, true, true);
}

void TOutline::mnCollapseAll()
{
    if (TOutlineNode* first = tree_.First()) {
        tree_.SetExpanded(first, false, true);
        tree_.SetExpanded(first, true, false);
    }
}

void TOutline::mnExpand()
{
    if (TOutlineNode* node = CurrentNode())
        tree_.SetExpanded(node, true, false);
}

void TOutline::mnCollapse()
{
    if (TOutlineNode* node = CurrentNode())
        tree_.SetExpanded(node, false, true);
}

TOutlineNode* TOutline::CurrentNode() const
{
    const TTask* current = Core().CurrentItem();
    return current ? current->OutlineNode() : nullptr;
}
