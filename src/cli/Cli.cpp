#include "cli/Cli.h"

#include "cli/CliOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

#include "app/AppCore.h"
#include "platform/Error.h"

#include <QTextStream>

namespace {

const QStringList contextSubcommands = {u"add"_qs, u"delete"_qs, u"include"_qs, u"exclude"_qs};

// "contexts" alone lists the contexts; with a subcommand it changes them.
QString CommandName(TCliOptions& options)
{
    if (options.command == u"contexts" && !options.arguments.isEmpty() &&
        contextSubcommands.contains(options.arguments.first()))
        return options.command + u' ' + options.arguments.takeFirst();
    return options.command;
}

} // namespace

QString TCli::Usage()
{
    QString text = u"Usage: tavolin-cli [--file FILE] [--config FILE] [--lang en|cs] [--now DATE] "
                   "[--wait SECONDS] [--json] [--yes] COMMAND [ARGS]\n\nCommands that only "
                   "read:\n"_qs;
    for (const TCliCommand& command : ReadingCommands())
        text += u"  " + command.synopsis.toString() + u'\n';
    text += u"\nCommands that change the data file:\n"_qs;
    for (const TCliCommand& command : ChangingCommands())
        text += u"  " + command.synopsis.toString() + u'\n';
    text += u"\n--file names the data file (otherwise the one Tavolin opened last); --now takes "
            "YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS];\nset takes each value as the data file holds "
            "it, dates also as --now takes them;\n--wait is how long a change waits while "
            "another program writes the file (10 s; 0 for not at all);\n--yes answers every "
            "question with Yes, as needed off a terminal. Exit status: 0 done, 1 usage,\n2 load "
            "failed, 3 save failed or another program kept writing the file (nothing written),\n"
            "4 unknown item or context, or nothing found.\n"_qs;
    return text;
}

int TCli::Run(const QStringList& commandLine)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        TCliOptions options = TCliOptions::Parse(commandLine);
        if (options.version) {
            out << TCore::GetAppName() << u' ' << TCore::GetVersion() << Qt::endl;
            return 0;
        }
        if (options.help || options.command.isEmpty()) {
            (options.help ? out : err) << Usage();
            return options.help ? 0 : TCliFailure::Usage;
        }
        const QString name = CommandName(options);
        const TCliCommand* command = FindCommand(name);
        if (!command)
            throw TCliFailure{TCliFailure::Usage, u"Unknown command " + name};

        TCliSession session(options);
        if (command->file != TCliCommand::TFile::Creates)
            session.Open(command->file == TCliCommand::TFile::Changes);
        TCliOutput output(options.json, !options.json && TCliOutput::ColourWanted());
        TCliContext context{session, output, TCommandArguments(options.arguments)};
        command->run(context);
        return 0;
    } catch (const TCliFailure& failure) {
        if (!failure.message.isEmpty())
            err << failure.message << Qt::endl;
        if (failure.status == TCliFailure::Usage)
            err << u"Run tavolin-cli --help for the commands."_qs << Qt::endl;
        return failure.status;
    } catch (const std::exception& error) {
        err << ErrorMessage(error) << Qt::endl;
        return TCliFailure::Usage;
    }
}
