// DiskFile: reading a whole file of the file system, as the host's table
// reader does.
#ifndef QVHOSTSIM_DISKFILE_H
#define QVHOSTSIM_DISKFILE_H

#include <string>

namespace qvsim {

// The whole file at path into *bytes. False when it cannot be opened or
// read to its end, holds more than maxBytes bytes, or is not a regular file
// (a folder, a pipe, a device, a link to nothing): such a file is refused
// at once, the open never waits for a writer (examine/ReadableFile.h).
bool ReadDiskFile(const char* path, std::size_t maxBytes, std::string* bytes);

}  // namespace qvsim

#endif  // QVHOSTSIM_DISKFILE_H
