#pragma once

#include <filesystem>
#include <string>

namespace tarvex_test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    explicit TempDir(const std::string& tag = "tarvex");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `relative` (folders created as needed) and returns the full path.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;
    // Reads a whole file as bytes.
    static std::string read(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};

// Changes the process's current folder for the lifetime of the object.
class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& dir);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path saved_;
};

// Sets (or with `value` null, unsets) an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_;
    std::string old_;
};

}  // namespace tarvex_test
