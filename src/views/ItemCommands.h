#pragma once

class TTask;

// The commands on items that the main window's menus, tool bar and keys run, kept in the core
// so that the command-line companion runs exactly the same ones. Each asks its question through
// the registry, keeps the outline and the model in step, moves the current item where the user
// expects it and marks the data file modified when something changed.
namespace ItemCommands {

// A new last child of the parent (a top-level item for none), with its outline node; it becomes
// the current item.
TTask* NewSubitem(TTask* parent);
// A new last sibling of the item.
TTask* NewItem(TTask& sibling);
// After the question (with the number of items below it), the item goes with its subtree; the
// item after the subtree, else the one before it, becomes current. False when the user says No.
bool Delete(TTask& item);
// The item swaps places with its previous or next sibling; false (and nothing marked modified)
// when there is none.
bool MoveUp(TTask& item);
bool MoveDown(TTask& item);
// After the question (with the number of done items), every done item goes with everything
// below it; the first item of the outline becomes current. False when the user says No.
bool Clean();

} // namespace ItemCommands
