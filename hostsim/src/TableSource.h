// TableSource: where the table reader gets the bytes of its files.
//
// By default the file system (DiskFile.h). The control interface can set a
// source of its own (QvsimSetTableSource), such as tables held in memory.
#ifndef QVHOSTSIM_TABLESOURCE_H
#define QVHOSTSIM_TABLESOURCE_H

#include <string>
#include <string_view>

#include "qvhostsim/qvhostsim.h"

namespace qvsim {

// Sets the source; a null source is the file system again.
void SetTableSource(QvsimTableSource source, void* context);

// The bytes of the file at path into *bytes, which stays valid until
// *storage changes or the source is called again. False when the file
// cannot be read or holds more than maxBytes bytes.
bool ReadTableFile(const char* path, std::size_t maxBytes, std::string* storage,
                   std::string_view* bytes);

}  // namespace qvsim

#endif  // QVHOSTSIM_TABLESOURCE_H
