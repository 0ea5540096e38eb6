#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Module1 {

// The two downloaded files.
inline constexpr std::string_view DescriptorFileName = "version";
inline constexpr std::string_view BannerFileName = "reklama.bmp";

// No downloaded file is larger, and no file of the program's folder is read past this size.
inline constexpr std::size_t MaxDownloadBytes = 4 * 1024 * 1024;

// The folder the downloaded files live in: the executable's folder when it is the user's own, no
// install folder, and a file can be made there; else the user's cache folder for the program,
// made when first needed, when nobody else can change it (see native::privateFolder). Chosen
// once per run (needs a QCoreApplication), so that the files are written, read and removed in
// the same place. Empty when neither is usable: then nothing is downloaded and nothing deleted.
std::filesystem::path downloadFolder();

// The choice itself; `cacheFolder` is asked only when the executable's folder will not do.
std::filesystem::path chooseDownloadFolder(const std::filesystem::path& executableFolder,
                                           const std::function<std::filesystem::path()>& cacheFolder);

// The file `fileName` in downloadFolder(); empty when there is no such folder.
std::filesystem::path localFilePath(std::string_view fileName);

// A path where the program may keep a file of its own: absolute, naming a file, not in the
// root folder. Every function below refuses any other path.
bool isOwnFilePath(const std::filesystem::path& path);

// True when `path` names a regular file (a symbolic link is not followed).
bool fileExists(const std::filesystem::path& path);

// Removes a regular file; anything else (a link, a folder, a pipe) is left alone, and so is a
// failure, without a word.
void deleteFileQuietly(const std::filesystem::path& path);

// The files this run made (a download's new file, then the file it became) are remembered with
// their identity: removeOwnFiles removes those still there as they were made, never a file that
// took one's name since, nor a link, and forgets them all; it is the run's last word on its
// files, so it also removes the program's folders in the user's cache that the run used and left
// empty. deleteFileQuietly forgets its file.
void rememberOwnFile(const std::filesystem::path& path);
void forgetOwnFile(const std::filesystem::path& path);
void removeOwnFiles();

// The whole content of the regular file at `path`, read without following a symbolic link at
// the last step; nothing when there is no such file, when it cannot be read, or when it is
// larger than `maxBytes` (such a file is no file of ours).
std::optional<std::string> readOwnFile(const std::filesystem::path& path, std::size_t maxBytes);

// A fresh name beside `target` for the file a download writes before it takes the target's
// place: the target's name, a dot, eight random hexadecimal digits and ".part".
std::filesystem::path temporaryFileFor(const std::filesystem::path& target);

// Removes what interrupted downloads of `target` left: regular files named as temporaryFileFor
// names them and untouched for longer than any download lasts. Nothing else is touched.
void removeStaleTemporaryFiles(const std::filesystem::path& target);

} // namespace Module1
