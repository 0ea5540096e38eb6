#include "online/LocalFiles.h"

#include "online/Utf8Path.h"

#include <QCoreApplication>

#include <fstream>
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

std::optional<std::string> readOwnFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > maxBytes)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    // Up to one byte past the cap, so that a file that grew meanwhile is still refused.
    std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad() || static_cast<std::size_t>(file.gcount()) > maxBytes)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

} // namespace Module1
