#pragma once
// kvlog's download commands, run by the kvlog dispatcher with the arguments that follow
// the command name:
//
//   kvlog download LOGBOOK --simulate SCENARIO [options] [--trace FILE]
//   kvlog import-image LOGBOOK IMAGE [options]
//
// Options answer what the windows would ask: --all, --now YYYY-MM-DDTHH:MM:SS,
// --renumber N, --start-number N, --accept-new-computer. Messages go to stderr as
// "message N: text"; the exit status is 0 when the command ran to its end.

#include <QStringList>

int RunDownloadCommand(const QStringList& args);
int RunImportImageCommand(const QStringList& args);
// The usage lines of both commands, for kvlog's help text.
const char* DownloadCommandUsage();
