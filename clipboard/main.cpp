// karvosel-clipboard: keeps a text on the X11 clipboard after the program that copied it has
// ended. It reads the text (UTF-8) from standard input, takes the clipboard, then goes on in
// the background until another program takes the clipboard.
// Exit status: 0 serving in the background, 2 a clipboard manager runs and will keep the text
// itself, 1 failure.

#include "clipboard/selection_owner.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <iostream>
#include <iterator>
#include <string>

namespace {

constexpr unsigned char kServing = 0, kFailed = 1, kManagerRuns = 2;

// Closes the descriptors from `first` to `last`; kernels before 5.9 have no close_range.
void CloseDescriptors(unsigned first, unsigned last) {
    if (first > last || close_range(first, last, 0) == 0) {
        return;
    }
    const long limit = sysconf(_SC_OPEN_MAX);
    const unsigned end = limit > 0 ? static_cast<unsigned>(std::min<long>(limit, INT_MAX)) : 1024;
    for (unsigned fd = first; fd < end && fd <= last; ++fd) {
        close(static_cast<int>(fd));
    }
}

// Keeps nothing of the caller's but the pipe that reports to it: an inherited X connection
// would keep the caller's windows alive.
void DetachFromCaller(int report) {
    setsid();
    CloseDescriptors(STDERR_FILENO + 1, static_cast<unsigned>(report) - 1);
    CloseDescriptors(static_cast<unsigned>(report) + 1, ~0U);
    const int devNull = open("/dev/null", O_RDWR);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        dup2(devNull, fd);
    }
    if (devNull > STDERR_FILENO) {
        close(devNull);
    }
}

}  // namespace

int main() {
    const std::string text{std::istreambuf_iterator<char>(std::cin), {}};

    // The caller waits only until the clipboard is ours: the child reports through a pipe and
    // serves on alone.
    int status[2];
    if (pipe(status) != 0) {
        return kFailed;
    }
    const pid_t child = fork();
    if (child < 0) {
        return kFailed;
    }
    if (child > 0) {
        close(status[1]);
        unsigned char result = kFailed;
        return read(status[0], &result, 1) == 1 ? result : kFailed;
    }

    close(status[0]);
    DetachFromCaller(status[1]);
    SelectionOwner owner(text);
    const SelectionOwner::Result acquired = owner.Acquire();
    const unsigned char result = acquired == SelectionOwner::Result::Owned         ? kServing
                                 : acquired == SelectionOwner::Result::ManagerRuns ? kManagerRuns
                                                                                   : kFailed;
    const bool reported = write(status[1], &result, 1) == 1;
    close(status[1]);
    if (reported && result == kServing) {
        owner.Serve();
    }
    return 0;
}
