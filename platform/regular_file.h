#pragma once
// Opening a file from outside for reading. Only a regular file is opened: a
// pipe, a device or a socket put where a file is expected would make a read
// wait for ever or never end, so it is refused like a file that cannot be read.
#include <cstdio>
#include <string>

namespace plat {

// A descriptor reading path (a path of this system, already resolved), or -1
// with the reason noted (plat::Fail) and errno set: ENOENT for a missing file,
// EINVAL for one that is not a regular file.
int OpenRegularFile(const std::string& path);
// The same as a stream opened in mode ("r" or "rb"); null on failure.
std::FILE* OpenRegularStream(const std::string& path, const char* mode);

}  // namespace plat
