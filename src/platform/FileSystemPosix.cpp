// Placeholder until the POSIX file system lands.
#include "platform/FileSystem.h"

FileSystem* FileSystem::Default() { return nullptr; }
