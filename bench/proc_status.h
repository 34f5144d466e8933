#pragma once

#include <sys/types.h>

#include <fstream>
#include <string>

// A memory figure of /proc/PID/status in KiB, such as "VmRSS" or "VmHWM" (the peak resident
// size of the running program image, which unlike getrusage does not carry over the peak of
// the process that forked it).
inline long StatusKiB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return 0;
}
