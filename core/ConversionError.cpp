#include "ConversionError.h"

#include <cerrno>
#include <cstring>

namespace sigma0 {

std::string QuotedPath(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

std::string DescribeSystemError(int error) {
  switch (error) {
    case ENOENT:
      return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
      return "アクセス権がありません";
    case EISDIR:
      return "フォルダです";
    case ENOTDIR:
      return "パスの途中がフォルダではありません";
    case ENOSPC:
      return "ディスクの空き容量が足りません";
    case EDQUOT:
      return "ディスク使用量の上限を超えました";
    case EFBIG:
      return "ファイルが大きすぎます";
    case EIO:
      return "入出力エラーが発生しました";
    case EROFS:
      return "読み取り専用のファイルシステムです";
    case ENAMETOOLONG:
      return "パスが長すぎます";
    default:
      return std::strerror(error);
  }
}

}  // namespace sigma0
