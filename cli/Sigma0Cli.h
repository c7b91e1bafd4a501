// The sigma0 command: from the command line to a finished conversion or scene description.
#pragma once

#include <iosfwd>

#include "CommandLine.h"

namespace sigma0::cli {

struct TConsole {
  std::ostream& Out;   // results
  std::ostream& Err;   // progress, warnings and errors
  bool ErrIsTerminal;  // progress is drawn only there
};

// A conversion refused or failed, or a scene that cannot be read.
inline constexpr int FailureExitCode = 1;

// Parses, runs and reports; returns the exit status: 0, FailureExitCode with "sigma0: " and the
// core's message on Err, or UsageExitCode for a wrong command line.
int RunCommandLine(int argc, const char* const* argv, const TConsole& console);

// Throw TConversionError as the run does.
void RunConvertCommand(const TConvertCommand& command, const TConsole& console);
void RunInfoCommand(const TInfoCommand& command, const TConsole& console);

}  // namespace sigma0::cli
