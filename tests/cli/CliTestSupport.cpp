#include "CliTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "CeosFiles.h"

extern char** environ;

namespace sigma0::cli::testing {

namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write fixture " + path.string());
  }
}

void PutText(std::string& bytes, std::int64_t offset, const std::string& text, int width) {
  const std::string field = std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
  bytes.replace(static_cast<std::size_t>(offset), field.size(), field);
}

void PutDn(std::string& bytes, std::size_t at, TDn value, TByteOrder order) {
  const char high = static_cast<char>(value >> 8);
  const char low = static_cast<char>(value & 0xFF);
  bytes[at] = order == TByteOrder::boBigEndian ? high : low;
  bytes[at + 1] = order == TByteOrder::boBigEndian ? low : high;
}

class TSilentObserver final : public TRunObserver {
 public:
  void BeginProgress(std::int32_t) override {}
  void KeepResponsive() override {}
  void StepProgress() override {}
  void ReportGeometry(std::int32_t, std::int32_t) override {}
  void ReportCalibrationFactor(double) override {}
  void ReportCompletion(const std::string&) override {}
  void ResetProgress() override {}
};

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

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sigma0-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  }
  path_ = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteLeader(const std::filesystem::path& path, TSensor sensor, const std::string& cfText) {
  const std::int64_t length =
      CalibrationFactorOffset(TSensor::snALOS2) + CalibrationFactorWidth + 64;
  std::string bytes(static_cast<std::size_t>(length), ' ');
  PutText(bytes, CalibrationFactorOffset(sensor), cfText, CalibrationFactorWidth);
  WriteBytes(path, bytes);
}

void WriteCeosImage(const std::filesystem::path& path, std::int32_t pixels, std::int32_t lines,
                    const std::vector<TDn>& dn) {
  const std::int64_t recordLength = CeosDataPrefixLength + 2 * pixels;
  std::string bytes(static_cast<std::size_t>(CeosFileDescriptorLength + recordLength * lines),
                    '\0');
  bytes.replace(0, CeosFileDescriptorLength, CeosFileDescriptorLength, ' ');
  PutText(bytes, 180, std::to_string(lines), 6);
  PutText(bytes, 186, std::to_string(recordLength), 6);
  PutText(bytes, 248, std::to_string(pixels), 8);
  for (std::int64_t i = 0; i < static_cast<std::int64_t>(dn.size()); ++i) {
    const std::int64_t line = i / pixels;
    const std::int64_t pixel = i % pixels;
    const std::int64_t at = CeosFirstPixelOffset + line * recordLength + 2 * pixel;
    PutDn(bytes, static_cast<std::size_t>(at), dn[static_cast<std::size_t>(i)],
          TByteOrder::boBigEndian);
  }
  WriteBytes(path, bytes);
}

void WriteRawImage(const std::filesystem::path& path, const std::vector<TDn>& dn,
                   TByteOrder order) {
  std::string bytes(2 * dn.size(), '\0');
  for (std::size_t i = 0; i < dn.size(); ++i) {
    PutDn(bytes, 2 * i, dn[i], order);
  }
  WriteBytes(path, bytes);
}

std::vector<TDn> PatternDn(std::int32_t pixels, std::int32_t lines) {
  std::vector<TDn> dn(static_cast<std::size_t>(pixels) * static_cast<std::size_t>(lines));
  for (std::int32_t line = 0; line < lines; ++line) {
    for (std::int32_t pixel = 0; pixel < pixels; ++pixel) {
      const bool zeroCorner = line < 4 && pixel < 4;
      const auto value = static_cast<std::uint32_t>((line * 7919 + pixel * 104729 + 17) % 65536);
      dn[static_cast<std::size_t>(line) * static_cast<std::size_t>(pixels) +
         static_cast<std::size_t>(pixel)] = zeroCorner ? 0 : static_cast<TDn>(value);
    }
  }
  return dn;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path.string());
  }
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TConversionOutput ReadConversionOutput(const std::filesystem::path& outputPath) {
  return {ReadFileBytes(outputPath), ReadFileBytes(Hd1PathFor(outputPath))};
}

TConversionOutput ConvertWithCore(const TConversionJob& job) {
  TSilentObserver observer;
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
  result.Out = ReadFileBytes(outPath);
  if (terminal.Master < 0) {
    result.Err = ReadFileBytes(errPath);
  }
  return result;
}

TProcessResult RunSigma0(const std::vector<std::string>& args, TErrStream errStream) {
  return RunProgram(SIGMA0_EXECUTABLE, args, errStream);
}

}  // namespace sigma0::cli::testing
