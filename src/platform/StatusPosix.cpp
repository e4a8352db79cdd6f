#include <cerrno>
#include <cstring>

#include "examine/Status.h"

Status Status::FromSystem(int code) { return Status(code, std::strerror(code), code == ENOENT); }
