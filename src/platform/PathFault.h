// PathFault: why no platform takes a path for a file, whatever its own
// file calls would do: a NUL byte, which ends a path in every system call,
// or another control character (a line end, a tab, ...), which Windows
// takes in no name. Each platform's file system refuses such a path with
// these words and its own "invalid name" code, so that a path fails alike
// on every platform, and an export and its check alike.
#ifndef QVKDC_PLATFORM_PATHFAULT_H
#define QVKDC_PLATFORM_PATHFAULT_H

#include <string>
#include <string_view>

// "the path holds a NUL byte", "the path holds the control character
// 0x0A"; "" when path holds neither.
std::string PathFault(std::string_view path);

#endif  // QVKDC_PLATFORM_PATHFAULT_H
