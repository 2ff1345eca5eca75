#pragma once
// mingw-w64's <fcntl.h>, with O_CLOEXEC as the C runtime's own flag for a
// descriptor that started programs do not inherit.
#include_next <fcntl.h>

#ifndef O_CLOEXEC
#define O_CLOEXEC _O_NOINHERIT
#endif
