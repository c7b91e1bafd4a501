// Files of a run: sources read at absolute 64-bit offsets, outputs staged beside their final
// names and moved into place only when complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace sigma0 {

// An open file read at absolute offsets. Every failure, a short read included, throws a
// TConversionError naming the file and its role ("リーダファイル", ...).
class TInputFile {
 public:
  TInputFile(std::filesystem::path path, std::string role);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  // Fills all of dest from offset on.
  void ReadAt(std::int64_t offset, std::span<std::byte> dest) const;
  // Size when opened; sources are checked against it before the run starts.
  std::int64_t Size() const { return size_; }
  const std::filesystem::path& Path() const { return path_; }
  const std::string& Role() const { return role_; }
  // Identity of the open file, to tell whether an output path would overwrite it.
  bool IsSameFileAs(const std::filesystem::path& other) const;

 private:
  std::filesystem::path path_;
  std::string role_;
  int fd_ = -1;
  std::int64_t size_ = 0;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
};

// A file written under a temporary name in the directory of its final path. Commit moves it into
// place; until then, and whenever Commit is not reached, the final path keeps what it held.
class TStagedOutputFile {
 public:
  TStagedOutputFile(const std::filesystem::path& finalPath, std::string role);
  ~TStagedOutputFile();  // removes the temporary file unless committed
  TStagedOutputFile(const TStagedOutputFile&) = delete;
  TStagedOutputFile& operator=(const TStagedOutputFile&) = delete;

  void Write(std::span<const std::byte> bytes);
  // Closes the temporary file, checking that every byte reached it.
  void Finish();
  // Renames the finished file to its final path.
  void Commit();

 private:
  std::filesystem::path finalPath_;
  std::filesystem::path shownPath_;  // as the user named it, for messages
  std::filesystem::path tempPath_;
  std::string role_;
  int fd_ = -1;
  bool committed_ = false;
};

// Refuses a final output path that cannot be replaced by a file (a directory, a write-protected
// file) before anything is written.
void CheckReplaceable(const std::filesystem::path& path, const std::string& role);

}  // namespace sigma0
