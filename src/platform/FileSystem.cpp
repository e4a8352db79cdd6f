#include "examine/FileSystem.h"

#include <cstdio>

#include "platform/PathFault.h"

std::string PathFault(std::string_view path) {
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0) return "the path holds a NUL byte";
        if (u < 0x20) {
            char text[sizeof "the path holds the control character 0x00"];
            std::snprintf(text, sizeof text, "the path holds the control character 0x%02X", u);
            return text;
        }
    }
    return std::string();
}

namespace {
FileSystem* g_current = nullptr;
}  // namespace

FileSystem* FileSystem::Current() {
    return g_current != nullptr ? g_current : Default();
}

ScopedFileSystem::ScopedFileSystem(FileSystem* fs) : previous_(g_current) {
    g_current = fs;
}

ScopedFileSystem::~ScopedFileSystem() { g_current = previous_; }
