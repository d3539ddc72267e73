#pragma once

#include <QStringList>

// The command-line companion: parses the command line, runs one command on the data file and
// returns the exit status (0 done, 1 usage, 2 load failed, 3 save failed, 4 not found).
class TCli {
public:
    int Run(const QStringList& commandLine);

private:
    static QString Usage();
};
