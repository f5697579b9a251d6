#pragma once
// File and disk helpers on file locations: attributes, sizes and dates, whether
// something exists or is a folder, deleting (or moving to the desktop's trash),
// renaming, the space of the volume that holds a path, the user's documents
// folder and a file name without its extension. Failures give a neutral result
// (none, 0 or false); reading attributes and renaming also say so on the console.

#include "platform/core/date.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace app {

// The attributes of the item itself: a symbolic link is described as the link
// (its type, the length of the path it holds, its own dates), not as what it
// points to, and a folder has the size its file system gives it.
struct FileAttributes {
    std::filesystem::file_type type = std::filesystem::file_type::none;
    std::uint64_t size = 0;                       // bytes
    std::optional<platform::Date> creationDate;   // where the file system keeps one
    std::optional<platform::Date> modificationDate;
};

std::optional<FileAttributes> attributes(const std::filesystem::path& url);
std::uint64_t fileSize(const std::filesystem::path& url);   // 0 when unknown
QString fileSizeString(const std::filesystem::path& url);    // "1.5 kB": decimal multiples, as files are shown
std::optional<platform::Date> creationDate(const std::filesystem::path& url);
std::optional<platform::Date> modifiedDate(const std::filesystem::path& url);

bool isFolder(const std::filesystem::path& url);
bool fileExists(const std::filesystem::path& url);

// Removes the item (a folder with its contents), or moves it to the trash.
// False when nothing was removed or moved.
bool deleteFile(const std::filesystem::path& url, bool trash);

// Moves the item; never replaces an existing destination.
bool renameFile(const std::filesystem::path& source, const std::filesystem::path& destination);

std::int64_t freeDiskSpace(const std::filesystem::path& url);    // bytes free for the user; 0 when unknown
std::int64_t totalDiskSpace(const std::filesystem::path& url);   // 0 when unknown

std::filesystem::path userDocumentsFolder();

// The last path component without its extension: notes.backup.txt -> notes.backup.
std::string removeFileExt(const std::filesystem::path& url);

} // namespace app
