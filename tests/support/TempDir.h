// TempDir: a fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
#ifndef QVKDC_TESTS_SUPPORT_TEMPDIR_H
#define QVKDC_TESTS_SUPPORT_TEMPDIR_H

#include <string>
#include <string_view>

class TempDir {
 public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string PathOf(std::string_view name) const;
    // Writes bytes as the file name (binary, created or truncated) and
    // returns its path.
    std::string WriteFile(std::string_view name, std::string_view bytes) const;
    // Contents of the file name, or "<missing>" when it cannot be read.
    std::string ReadFile(std::string_view name) const;

 private:
    std::string path_;
};

#endif  // QVKDC_TESTS_SUPPORT_TEMPDIR_H
