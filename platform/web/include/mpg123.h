#pragma once
// The web build decodes MP3 music with the browser's own decoder instead of
// libmpg123. This header gives the MP3 player (platform/mp3_player.cpp) the
// few calls of libmpg123's interface that it makes, with their names and
// meanings, implemented in platform/web/mp3_decoder.cpp.
#include <cstddef>
#include <sys/types.h>

struct mpg123_handle_struct;
typedef struct mpg123_handle_struct mpg123_handle;

enum mpg123_errors { MPG123_DONE = -12, MPG123_NEW_FORMAT = -11, MPG123_ERR = -1, MPG123_OK = 0 };
enum mpg123_parms { MPG123_ADD_FLAGS = 2 };
enum mpg123_param_flags { MPG123_QUIET = 0x20 };
enum mpg123_enc_enum { MPG123_ENC_SIGNED_16 = 0xD0 };

mpg123_handle* mpg123_new(const char* decoder, int* error);
void mpg123_delete(mpg123_handle* handle);
int mpg123_param(mpg123_handle* handle, enum mpg123_parms type, long value, double fvalue);
// Decodes the whole file at once, on the browser's main thread only.
int mpg123_open(mpg123_handle* handle, const char* path);
int mpg123_close(mpg123_handle* handle);
int mpg123_getformat(mpg123_handle* handle, long* rate, int* channels, int* encoding);
// 16-bit signed samples at the file's rate and channels are all it gives.
int mpg123_format_none(mpg123_handle* handle);
int mpg123_format(mpg123_handle* handle, long rate, int channels, int encodings);
off_t mpg123_seek(mpg123_handle* handle, off_t sampleOffset, int whence);
int mpg123_read(mpg123_handle* handle, void* out, size_t bytes, size_t* done);
