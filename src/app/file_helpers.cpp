#include "app/file_helpers.h"

#include "app/console.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <system_error>

namespace app {
namespace fs = std::filesystem;
namespace {

QString qtPath(const fs::path& path) { return QString::fromStdString(path.string()); }

std::int64_t clampToSigned(std::uintmax_t value) {
    constexpr auto largest = static_cast<std::uintmax_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(value > largest ? largest : value);
}

fs::file_type typeOf(mode_t mode) {
    switch (mode & S_IFMT) {
    case S_IFREG: return fs::file_type::regular;
    case S_IFDIR: return fs::file_type::directory;
    case S_IFLNK: return fs::file_type::symlink;
    case S_IFBLK: return fs::file_type::block;
    case S_IFCHR: return fs::file_type::character;
    case S_IFIFO: return fs::file_type::fifo;
    case S_IFSOCK: return fs::file_type::socket;
    default: return fs::file_type::unknown;
    }
}

platform::Date instantOf(const struct statx_timestamp& stamp) {
    return platform::Date::fromSecondsSince1970(static_cast<double>(stamp.tv_sec) + stamp.tv_nsec / 1e9);
}

bool somethingAt(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

} // namespace

// statx without following a final symbolic link, for the birth time that
// neither std::filesystem nor lstat gives.
std::optional<FileAttributes> attributes(const fs::path& url) {
    struct statx item {};
    if (::statx(AT_FDCWD, url.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME,
                &item) != 0) {
        print("FileAttribute error: " + std::generic_category().message(errno));
        return std::nullopt;
    }
    FileAttributes result;
    result.type = (item.stx_mask & STATX_TYPE) ? typeOf(item.stx_mode) : fs::file_type::unknown;
    if (item.stx_mask & STATX_SIZE) result.size = item.stx_size;
    if (item.stx_mask & STATX_BTIME) result.creationDate = instantOf(item.stx_btime);
    if (item.stx_mask & STATX_MTIME) result.modificationDate = instantOf(item.stx_mtime);
    return result;
}

std::uint64_t fileSize(const fs::path& url) {
    const auto found = attributes(url);
    return found ? found->size : 0;
}

QString fileSizeString(const fs::path& url) {
    return QLocale().formattedDataSize(clampToSigned(fileSize(url)), 1, QLocale::DataSizeSIFormat);
}

std::optional<platform::Date> creationDate(const fs::path& url) {
    const auto found = attributes(url);
    return found ? found->creationDate : std::nullopt;
}

std::optional<platform::Date> modifiedDate(const fs::path& url) {
    const auto found = attributes(url);
    return found ? found->modificationDate : std::nullopt;
}

bool isFolder(const fs::path& url) {
    std::error_code error;
    return fs::is_directory(url, error);
}

bool fileExists(const fs::path& url) {
    std::error_code error;
    return fs::exists(url, error);
}

bool deleteFile(const fs::path& url, bool trash) {
    if (trash) return QFile::moveToTrash(qtPath(url));
    if (!somethingAt(url)) return false;
    std::error_code error;
    fs::remove_all(url, error);
    return !error;
}

bool renameFile(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    if (!somethingAt(source)) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    } else if (somethingAt(destination)) {
        error = std::make_error_code(std::errc::file_exists);
    } else {
        fs::rename(source, destination, error);
        if (error == std::errc::cross_device_link) {
            // Another volume: copy, then remove the original only once the copy stands.
            error.clear();
            fs::copy(source, destination, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
            if (error) {
                std::error_code ignored;
                fs::remove_all(destination, ignored);   // no half copy left behind
            } else {
                fs::remove_all(source, error);
            }
        }
    }
    if (error) {
        print("error: " + error.message());
        return false;
    }
    return true;
}

std::int64_t freeDiskSpace(const fs::path& url) {
    std::error_code error;
    const fs::space_info space = fs::space(url, error);
    if (error || space.available == static_cast<std::uintmax_t>(-1)) return 0;
    return clampToSigned(space.available);
}

std::int64_t totalDiskSpace(const fs::path& url) {
    std::error_code error;
    const fs::space_info space = fs::space(url, error);
    if (error || space.capacity == static_cast<std::uintmax_t>(-1)) return 0;
    return clampToSigned(space.capacity);
}

fs::path userDocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return fs::path(folder.toStdString());
}

std::string removeFileExt(const fs::path& url) {
    fs::path name = url.filename();
    if (name.empty()) name = url.parent_path().filename();   // a path that ends in a separator
    return name.stem().string();
}

} // namespace app
