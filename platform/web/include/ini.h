#pragma once
// The web build's INI parser, with the interface of the inih library the
// desktop build links (platform/web/ini_reader.cpp): the file is handed over
// a line at a time by the caller's reader, and every name = value line goes
// to the handler with its section.
#ifdef __cplusplus
extern "C" {
#endif

typedef char* (*ini_reader)(char* line, int size, void* stream);
typedef int (*ini_handler)(void* user, const char* section, const char* name, const char* value);

// Returns 0, or the number of the first line that could not be read (a line
// with neither '=' nor ':', a section without its ']', or one the handler
// refused); parsing goes on after such a line.
int ini_parse_stream(ini_reader reader, void* stream, ini_handler handler, void* user);

#ifdef __cplusplus
}
#endif
