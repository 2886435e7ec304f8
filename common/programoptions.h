#pragma once
// The command line every program of the register understands: --help (what it is and where it
// works) and --version, printed on the terminal before any window opens (no display needed).
#include <QString>

namespace falq {

// When the command line asks for --help or --version, prints it and ends the program; else
// returns at once. Call it first in main().
void handleProgramOptions(int& argc, char** argv, const QString& program,
                          const QString& description);

} // namespace falq
