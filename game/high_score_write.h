#pragma once
// The write call HighScoreTable::Save goes through. Tests replace it to make a
// save fail part way or come out in short pieces; everyone else leaves it at
// POSIX write.
#include <sys/types.h>

#include <cstddef>

using HighScoreWriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
extern HighScoreWriteFunction g_HighScoreWrite;
