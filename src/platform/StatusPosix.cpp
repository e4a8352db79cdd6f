#include <cerrno>
#include <cstring>

#include "inspect/Status.h"

Status Status::FromSystem(int code) { return Status(code, std::strerror(code), code == ENOENT); }
