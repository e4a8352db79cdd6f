#include "system/SystemFiles.h"

// NTFS keeps the letter case of a name but finds a file in any case.
bool NamesIgnoreCase() { return true; }

// The longest name NTFS takes for a file.
std::size_t NameLengthLimit(const std::string&) { return 255; }

// Windows has no signal for a file size limit.
void KeepRunningPastFileSizeLimit() {}
