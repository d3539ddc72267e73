#pragma once

#include "cli/CliArguments.h"

#include <QStringView>
#include <optional>
#include <span>

class TCliOutput;
class TCliSession;
class TKavContext;

// What a command works with.
struct TCliContext {
    TCliSession& session;
    TCliOutput& output;
    TCommandArguments arguments;
};

// One command of the companion. Commands that change the data file load it as the windows do,
// make the change through the same core operation as the matching window command and save;
// the others only read.
struct TCliCommand {
    QStringView name;
    QStringView synopsis;
    enum class TFile : quint8 { Reads, Changes, Creates } file;
    void (*run)(TCliContext& context);
};

std::span<const TCliCommand> ReadingCommands();
std::span<const TCliCommand> ChangingCommands();
const TCliCommand* FindCommand(QStringView name);

// Shared by the reading and changing commands: every field of one item (show).
void PrintItem(TCliContext& context, const class TTask& item);

// The to-do page that --context NAME|ID and --included / --no-included choose (todo, why).
struct TToDoChoice {
    const TKavContext* context = nullptr; // none: all contexts
    std::optional<bool> includeIncluded;  // none: as configured
};
TToDoChoice TakeToDoChoice(TCliContext& context);

// Why an item is or is not on the to-do list, by the list's own rules (why).
void Why(TCliContext& context);
