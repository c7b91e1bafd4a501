#include "Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <utility>

#include "ConversionError.h"

namespace sigma0 {
namespace {

[[noreturn]] void ThrowFileError(const std::string& role, const std::filesystem::path& path,
                                 const std::string& what, int error) {
  throw TConversionError(role + " " + QuotedPath(path) + " " + what + "（" +
                         DescribeSystemError(error) + "）");
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& finalPath) {
  static std::minstd_rand generator{std::random_device{}()};
  std::filesystem::path temp = finalPath;
  temp += ".tmp" + std::to_string(generator());
  return temp;
}

}  // namespace

TInputFile::TInputFile(std::filesystem::path path, std::string role)
    : path_(std::move(path)), role_(std::move(role)) {
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    ThrowFileError(role_, path_, "を開けません", errno);
  }
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    int error = errno;
    ::close(fd_);
    ThrowFileError(role_, path_, "を調べられません", error);
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd_);
    ThrowFileError(role_, path_, "を開けません", EISDIR);
  }
  size_ = info.st_size;
  device_ = info.st_dev;
  inode_ = info.st_ino;
}

TInputFile::~TInputFile() {
  ::close(fd_);
}

void TInputFile::ReadAt(std::int64_t offset, std::span<std::byte> dest) const {
  std::size_t done = 0;
  while (done < dest.size()) {
    ssize_t got = ::pread(fd_, dest.data() + done, dest.size() - done,
                          static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      ThrowFileError(role_, path_, "を読めません", errno);
    }
    if (got == 0) {
      throw TConversionError(role_ + " " + QuotedPath(path_) + " が途中で終わっています（" +
                             std::to_string(offset + static_cast<std::int64_t>(done)) +
                             " バイト目から読めません）");
    }
    done += static_cast<std::size_t>(got);
  }
}

bool TInputFile::IsSameFileAs(const std::filesystem::path& other) const {
  struct stat info {};
  return ::stat(other.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_;
}

void CheckReplaceable(const std::filesystem::path& path, const std::string& role) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return;  // a new file: whether its folder takes it shows when it is created
  }
  if (S_ISDIR(info.st_mode)) {
    ThrowFileError(role, path, "に書き込めません", EISDIR);
  }
  if (::access(path.c_str(), W_OK) != 0) {
    ThrowFileError(role, path, "に書き込めません", errno);
  }
}

namespace {

// An output named through a symbolic link replaces the file the link points to, as writing
// through the link would, and leaves the link itself in place.
std::filesystem::path ThroughLinks(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) {
    return path;
  }
  // Resolved by hand: canonical() refuses a link to a file not yet there, which the run creates.
  std::filesystem::path target = std::filesystem::read_symlink(path, error);
  if (error) {
    return path;
  }
  target = std::filesystem::weakly_canonical(path.parent_path() / target, error);
  return error ? path : ThroughLinks(target);
}

}  // namespace

TStagedOutputFile::TStagedOutputFile(const std::filesystem::path& finalPath, std::string role)
    : finalPath_(ThroughLinks(finalPath)), shownPath_(finalPath), role_(std::move(role)) {
  // Keep the permissions of a file being replaced; a new one gets the usual 0666 & ~umask.
  struct stat existing {};
  bool replacing = ::stat(finalPath_.c_str(), &existing) == 0;
  do {
    tempPath_ = TemporaryNameBeside(finalPath_);
    fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (fd_ < 0 && errno == EEXIST);
  if (fd_ < 0) {
    ThrowFileError(role_, shownPath_, "を作成できません", errno);
  }
  if (replacing) {
    ::fchmod(fd_, existing.st_mode & 07777);
  }
}

TStagedOutputFile::~TStagedOutputFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
  if (!committed_) {
    ::unlink(tempPath_.c_str());
  }
}

void TStagedOutputFile::Write(std::span<const std::byte> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      ThrowFileError(role_, shownPath_, "に書き込めません", put < 0 ? errno : ENOSPC);
    }
    done += static_cast<std::size_t>(put);
  }
}

void TStagedOutputFile::Finish() {
  int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) {
    ThrowFileError(role_, shownPath_, "に書き込めません", errno);
  }
}

void TStagedOutputFile::Commit() {
  if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
    ThrowFileError(role_, shownPath_, "を置けません", errno);
  }
  committed_ = true;
}

}  // namespace sigma0
