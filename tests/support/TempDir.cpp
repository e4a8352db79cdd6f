#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        const fs::path p = fs::temp_directory_path() / ("qvkdc-test-" + std::to_string(rd()));
        if (fs::create_directory(p)) {
            path_ = p.string();
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::PathOf(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

std::string TempDir::WriteFile(std::string_view name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TempDir::ReadFile(std::string_view name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
