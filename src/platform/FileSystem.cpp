#include "examine/FileSystem.h"

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
