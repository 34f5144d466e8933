#pragma once

#include <string>

// Whether `path`, by its name alone, leads to a file on a drive or a share rather than to a
// device or a pipe. The name must decide, since asking the file system about a device, even for
// its attributes, opens it: a serial port, or a pipe's waiting server.
bool NamesAFile(const std::wstring& path);

// `path`, a full path, as the file functions take it whatever its length: from MAX_PATH
// characters on, Windows 7 to 8.1, and 10 and 11 without the LongPathsEnabled policy (which the
// manifest's longPathAware needs), refuse it but in its \\?\ form (\\?\UNC\ for a share). A
// shorter path, or one in that form already, stays.
std::wstring WithoutLengthLimit(const std::wstring& path);
