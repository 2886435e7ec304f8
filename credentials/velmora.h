#pragma once
// The credential library: hands out the login of the general database.
//
// Entry point 1 gives the user name, entry point 2 the password, each as a zero-terminated
// 8-bit string owned by the library (the caller copies it and never frees it). The values
// come from the file "velmora.cred" in the plant root (VELMORA_ROOT), two lines: user name,
// then password. The file must be readable by its owner only; otherwise both values are
// empty and VelmoraLastError tells why. On Windows the library exports entry points 1 and 2
// by ordinal only, as the supplier's library does, and VelmoraLastError by name.

#if defined(_WIN32)
#define VELMORA_EXPORT extern "C" __declspec(dllexport)
#else
#define VELMORA_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VELMORA_EXPORT const char* VelmoraUserName();
VELMORA_EXPORT const char* VelmoraPassword();
// Empty when the last read went well, else a message for the user.
VELMORA_EXPORT const char* VelmoraLastError();
