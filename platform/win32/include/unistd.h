#pragma once
// The few POSIX calls the shared code makes that mingw-w64's <unistd.h>
// lacks or declares differently, implemented over the C runtime and Windows
// (platform/win32/posix_compat.cpp). Only the Windows build sees this folder.
#include_next <unistd.h>

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

// write with POSIX's types, so that it can be passed where a
// ssize_t (*)(int, const void*, size_t) is wanted.
ssize_t write(int fd, const void* data, std::size_t size);
// Windows has no links that stat would follow and lstat not: the same call.
int lstat(const char* path, struct stat* info);
// Windows has no user ids: everyone is 0, as the files' owner is.
inline int getuid() { return 0; }
// Makes a new folder from a name ending in XXXXXX; the name, or null.
char* mkdtemp(char* pattern);
