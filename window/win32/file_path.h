#pragma once

#include <string>

// Whether `path`, by its name alone, leads to a file on a drive or a share rather than to a
// device or a pipe. The name must decide, since asking the file system about a device, even for
// its attributes, opens it: a serial port, or a pipe's waiting server.
bool NamesAFile(const std::wstring& path);
