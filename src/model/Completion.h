#pragma once

class TTask;

// What marking an item done does. None of these stamps the item or marks the data file
// modified; only MarkDoneRecursive rebuilds rows. The caller rebuilds the item's rows after.
namespace Completion {

// The done link of a list row: a routine item moves on to its next date, any other is done.
void Accomplish(TTask& item);
// The outline check box: a routine item moves on, any other flips its done flag.
void ToggleDone(TTask& item);
// Sets the done flag and the status (Finished or Active). Marking done an item with subitems
// asks whether to mark all of them done too; No by default.
void MarkDone(TTask& item, bool done);
// The done flag of the item and everything below it, each one's rows rebuilt; statuses stay.
void MarkDoneRecursive(TTask& item, bool done);

} // namespace Completion
