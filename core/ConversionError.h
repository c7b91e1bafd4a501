// The one error type of the conversion core.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace sigma0 {

// A refused or failed run. The message is meant for the user as it stands: Japanese, naming the
// file or the numbers at fault.
class TConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "'<path>'" as the messages quote a file.
std::string QuotedPath(const std::filesystem::path& path);

// A short Japanese description of a system error number, for the end of a message.
std::string DescribeSystemError(int error);

}  // namespace sigma0
