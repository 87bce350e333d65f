#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A scratch folder for files a test writes (shader sources, images, levels); removed with its
// contents.
class TempDirectory {
public:
    TempDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelvira-test-XXXXXX").string();
        root = mkdtemp(pattern.data());
    }
    ~TempDirectory() { std::filesystem::remove_all(root); }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::string path(const std::string& name) const { return (root / name).string(); }

    std::string write(const std::string& name, const std::string& contents) const {
        std::ofstream(path(name)) << contents;
        return path(name);
    }

private:
    std::filesystem::path root;
};
