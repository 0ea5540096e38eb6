#include "online/LocalFiles.h"

#include "online/Utf8Path.h"

#include <QCoreApplication>

#include <system_error>

namespace Module1 {

std::string localFilePath(std::string_view fileName)
{
    return QCoreApplication::applicationDirPath().toStdString() + "/" + std::string(fileName);
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(utf8Path(path), error);
}

void deleteFileQuietly(const std::string& path)
{
    std::error_code error;
    const auto fsPath = utf8Path(path);
    if (path.empty() || std::filesystem::is_directory(std::filesystem::symlink_status(fsPath, error)))
        return;
    std::filesystem::remove(fsPath, error);
}

} // namespace Module1
