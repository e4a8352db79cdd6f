#include "system/SystemFiles.h"

// The longest name NTFS takes for a file.
std::size_t NameLengthLimit(const std::string&) { return 255; }

// Windows has no signal for a file size limit.
void KeepRunningPastFileSizeLimit() {}
