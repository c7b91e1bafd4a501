#include "CliTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <system_error>

#include "CeosFiles.h"

extern char** environ;

namespace sigma0::cli::testing {

namespace {

void Check(int error, const char* what) {
  if (error != 0) {
    throw std::system_error(error, std::generic_category(), what);
  }
}

// A new pseudo-terminal: its master side, and its slave side opened here so that it exists
// before the child takes it over as stderr.
struct TTerminal {
  int Master = -1;
  int Slave = -1;
};

TTerminal OpenTerminal() {
  TTerminal terminal;
  terminal.Master = posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal.Master < 0 || grantpt(terminal.Master) != 0 || unlockpt(terminal.Master) != 0) {
    throw std::system_error(errno, std::generic_category(), "pseudo-terminal");
  }
  fcntl(terminal.Master, F_SETFD, FD_CLOEXEC);
  terminal.Slave = open(ptsname(terminal.Master), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal.Slave < 0) {
    throw std::system_error(errno, std::generic_category(), "pseudo-terminal slave");
  }
  return terminal;
}

// Reads until every holder of the slave side has closed it (Linux then reports EIO).
std::string DrainTerminal(int master) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return text;
    }
  }
}

}  // namespace

void WriteSceneLeader(const std::filesystem::path& path, TSensor sensor,
                      const std::string& cfText) {
  const std::int64_t length =
      CalibrationFactorOffset(TSensor::snALOS2) + CalibrationFactorWidth + 64;
  std::string bytes(static_cast<std::size_t>(length), ' ');
  bytes.replace(static_cast<std::size_t>(CalibrationFactorOffset(sensor)), CalibrationFactorWidth,
                sigma0::testing::CfField(cfText));
  sigma0::testing::WriteBytes(path, bytes);
}

TDnAt PatternDn() {
  return [](std::int32_t line, std::int32_t pixel) -> TDn {
    if (line < 4 && pixel < 4) {
      return 0;
    }
    return static_cast<TDn>((line * 7919 + pixel * 104729 + 17) % 65536);
  };
}

TConversionOutput ReadConversionOutput(const std::filesystem::path& outputPath) {
  return {ReadBytes(outputPath), ReadBytes(Hd1PathFor(outputPath))};
}

TConversionOutput ConvertWithCore(const TConversionJob& job) {
  sigma0::testing::TRecordingObserver observer;
  RunConversion(job, observer);
  return ReadConversionOutput(job.OutputPath);
}

TProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                          TErrStream errStream) {
  const TTempDir streams;
  const std::string outPath = (streams / "stdout").string();
  const std::string errPath = (streams / "stderr").string();
  TTerminal terminal;
  if (errStream == TErrStream::Terminal) {
    terminal = OpenTerminal();
  }

  posix_spawn_file_actions_t actions;
  Check(posix_spawn_file_actions_init(&actions), "spawn actions");
  Check(posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600),
        "stdout");
  if (terminal.Slave >= 0) {
    Check(posix_spawn_file_actions_adddup2(&actions, terminal.Slave, STDERR_FILENO), "stderr");
  } else {
    Check(posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                           O_WRONLY | O_CREAT | O_TRUNC, 0600),
          "stderr");
  }

  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  Check(spawned, "posix_spawn");

  TProcessResult result;
  if (terminal.Master >= 0) {
    close(terminal.Slave);  // the child holds its own copy; its exit then ends the drain
    result.Err = DrainTerminal(terminal.Master);
    close(terminal.Master);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.Out = ReadBytes(outPath);
  if (terminal.Master < 0) {
    result.Err = ReadBytes(errPath);
  }
  return result;
}

TProcessResult RunSigma0(const std::vector<std::string>& args, TErrStream errStream) {
  return RunProgram(SIGMA0_EXECUTABLE, args, errStream);
}

}  // namespace sigma0::cli::testing
