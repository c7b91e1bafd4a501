#include "Sigma0Cli.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "ConsoleObserver.h"
#include "ConversionError.h"
#include "EnviHeader.h"
#include "Files.h"
#include "SceneInfo.h"

namespace sigma0::cli {

namespace {

void PrintWarning(const std::string& warning, const TConsole& console) {
  console.Err << "sigma0: warning: " << warning << '\n';
}

// Only a warning: the conversion runs as the window's would, with CF 0.0.
void WarnOnSensorMismatch(const TConversionJob& job, const TConsole& console) {
  std::optional<std::string> warning;
  try {
    const TInputFile leader(job.LeaderPath, LeaderRole);
    warning = SensorMismatchWarning(leader, job.Variant.Sensor);
  } catch (const TConversionError&) {
    return;  // the run refuses the leader with the same message
  }
  if (warning) {
    PrintWarning(*warning, console);
  }
}

// A raw source reports no geometry: it came from the command line.
TImageGeometry ConvertedGeometry(const TConversionJob& job, const TConsoleObserver& observer) {
  if (observer.ReportedGeometry()) {
    return *observer.ReportedGeometry();
  }
  return job.RawGeometry;
}

void PrintResult(const TConversionJob& job, const TImageGeometry& geometry, double cf,
                 const TConsole& console) {
  console.Out << job.OutputPath.string() << ": " << geometry.Pixels << " pixels, " << geometry.Lines
              << " lines, CF " << FormatNumber(cf) << " dB\n";
}

}  // namespace

void RunConvertCommand(const TConvertCommand& command, const TConsole& console) {
  const TConversionJob& job = command.Job;
  if (command.EnviHeader) {
    CheckEnviHeaderTarget(job);
  }
  if (!command.Quiet) {
    WarnOnSensorMismatch(job, console);
  }
  TConsoleObserver observer(console.Err, console.ErrIsTerminal && !command.Quiet);
  RunConversion(job, observer);
  const TImageGeometry geometry = ConvertedGeometry(job, observer);
  if (command.EnviHeader) {
    WriteEnviHeader(job, geometry.Pixels, geometry.Lines);
  }
  if (!command.Quiet) {
    PrintResult(job, geometry, observer.ReportedCalibrationFactor().value_or(0.0), console);
  }
}

void RunInfoCommand(const TInfoCommand& command, const TConsole& console) {
  const TSceneInfo info = ReadSceneInfo(command);
  PrintSceneInfo(info, console.Out);
  if (info.Warning) {
    PrintWarning(*info.Warning, console);
  }
}

int RunCommandLine(int argc, const char* const* argv, const TConsole& console) {
  TCommandLine commandLine;
  TCommand command;
  try {
    command = commandLine.Parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return commandLine.Report(error, console.Out, console.Err);
  }
  try {
    if (const auto* convert = std::get_if<TConvertCommand>(&command)) {
      RunConvertCommand(*convert, console);
    } else {
      RunInfoCommand(std::get<TInfoCommand>(command), console);
    }
  } catch (const std::exception& error) {
    console.Err << "sigma0: " << error.what() << '\n';
    return FailureExitCode;
  }
  return 0;
}

}  // namespace sigma0::cli
