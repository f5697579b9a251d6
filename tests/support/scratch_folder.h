#pragma once
// Test support: a folder of the test's own under the system's temporary folder,
// made anew with a name no other run shares, and removed with all it holds
// when the object goes.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testsupport {

class ScratchFolder {
public:
    // `name` goes into the folder's name, as it is (a test may want one that
    // is not ASCII).
    explicit ScratchFolder(const std::string& name = "scratch") {
        std::string pattern = (std::filesystem::temp_directory_path() / ("vadididod-" + name + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empty when no folder could be made.
    const std::filesystem::path& path() const { return path_; }
    bool made() const { return !path_.empty(); }

private:
    std::filesystem::path path_;
};

} // namespace testsupport
