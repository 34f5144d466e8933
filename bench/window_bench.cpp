// window_bench [--launcher PROGRAM] KARVOSEL FLOOR: start-up time and memory of the real window
// against a bare window, alternated on the same X server, then the real window's cost while it
// waits. With a launcher (wine), both are Windows programs that the launcher starts.
// The floor's label shows Chinese, as the window does: any Chinese window loads a CJK font,
// which costs more than the rest of start-up. A floor with a Latin label is measured too, for
// information; for the Windows program, a floor without the program's manifest instead.
// A window counts as shown once its whole first frame is drawn: the X server's last report of a
// drawing into it (DAMAGE) before it stays untouched for a while. The first drawing is shown too.
#include "bench/bench_table.h"
#include "bench/median.h"
#include "bench/proc_status.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* why) {
    std::fprintf(stderr, "window_bench: %s\n", why);
    std::exit(2);
}

// The drawings that made a started program's first frame.
struct Frame {
    Clock::time_point firstDrawing;
    Clock::time_point lastDrawing;
    pid_t owner;  // the process that drew, which a launcher such as a 32-bit wine may have started
};

// Watches the X server for new top-level windows and every drawing into any of them.
class PaintWatcher final {
public:
    PaintWatcher() : m_connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_connection)) {
            Fail("no X server");
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
            xcb_damage_query_version_reply(m_connection,
                                           xcb_damage_query_version(m_connection, 1, 1), nullptr),
            &std::free);
        if (!version) {
            Fail("the X server has no DAMAGE extension");
        }
        m_damageNotify =
            xcb_get_extension_data(m_connection, &xcb_damage_id)->first_event + XCB_DAMAGE_NOTIFY;
        constexpr std::string_view kPid = "_NET_WM_PID";
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> pid(
            xcb_intern_atom_reply(
                m_connection,
                xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(kPid.size()),
                                kPid.data()),
                nullptr),
            &std::free);
        if (!pid) {
            Fail("no _NET_WM_PID atom");
        }
        m_pidAtom = pid->atom;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~PaintWatcher() { xcb_disconnect(m_connection); }

    // Blocks until top-level windows of the process group `programs`, created from now on, have
    // been drawn into and then left alone for a while; windows of other processes, such as the
    // window manager's frames, do not count.
    Frame WaitForFirstFrame(pid_t programs) {
        // Long enough for any pause between the drawings of one frame, which take a few ms each;
        // a caret's blink, every 500 ms, is not counted at all.
        constexpr auto kQuiet = std::chrono::milliseconds(200);
        // Only so that a program that never draws, or never stops, cannot hang the run.
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(60);
        std::optional<Frame> frame;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event,
                                                                                       &std::free);
                const pid_t owner = Handle(*event);
                if (owner != 0 && getpgid(owner) == programs) {
                    const Clock::time_point now = Clock::now();
                    frame = Frame{frame ? frame->firstDrawing : now, now, owner};
                }
            }
            if (xcb_connection_has_error(m_connection)) {
                Fail("the X server went away");
            }
            const Clock::time_point now = Clock::now();
            if (frame && now >= frame->lastDrawing + kQuiet) {
                return *frame;
            }
            if (now >= giveUp) {
                Fail("the window was not drawn, or never stopped being drawn");
            }
            const Clock::time_point until = frame ? frame->lastDrawing + kQuiet : giveUp;
            pollfd connection{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&connection, 1, MillisecondsUntil(std::min(until, giveUp)));
        }
    }

private:
    static int MillisecondsUntil(Clock::time_point when) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
        return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    }

    // Watches each new window from its creation, before it can draw anything; gives the process
    // that drew, for a drawing that counts.
    pid_t Handle(const xcb_generic_event_t& event) {
        const std::uint8_t type = event.response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            // Raw rectangles report every drawing, with no region to subtract in between.
            xcb_damage_create(m_connection, xcb_generate_id(m_connection),
                              reinterpret_cast<const xcb_create_notify_event_t&>(event).window,
                              XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(m_connection);
        } else if (type == m_damageNotify) {
            const auto& damage = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
            // A caret's blink redraws a strip of a few pixels around it (ten in Qt): it is not
            // part of the frame, and would otherwise never let the window rest.
            constexpr std::uint16_t kCaretWidth = 12;
            if (damage.area.width > kCaretWidth) {
                return ProcessOf(damage.drawable);
            }
        }
        return 0;
    }

    // The process that owns `window`, as its toolkit names it in _NET_WM_PID. A program names it
    // before it maps the window, so before any drawing: the first answer holds.
    pid_t ProcessOf(xcb_window_t window) {
        const auto known = m_owners.find(window);
        if (known != m_owners.end()) {
            return known->second;
        }
        return m_owners[window] = ReadProcess(window);
    }

    pid_t ReadProcess(xcb_window_t window) {
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                m_connection,
                xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
                nullptr),
            &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
            return 0;
        }
        return static_cast<pid_t>(
            *static_cast<std::uint32_t*>(xcb_get_property_value(reply.get())));
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_pidAtom = XCB_NONE;
    std::uint8_t m_damageNotify = 0;
    std::unordered_map<xcb_window_t, pid_t> m_owners;
};

// A program to start and its arguments, the program first.
using Command = std::vector<std::string>;

// Starts the command in a process group of its own, whose id it returns: a launcher may leave the
// window to a process it starts (a 32-bit wine starts the 64-bit one), which stays in the group.
pid_t Launch(const Command& command) {
    std::vector<char*> arguments;
    for (const std::string& argument : command) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        // Out of the terminal's foreground group, reading it would stop the program.
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    setpgid(child, child);
    return child;
}

// Ends the started programs and gives the peak resident memory of the one that drew, in MiB.
double EndAndGetPeakMiB(pid_t programs, pid_t owner) {
    const long peak = StatusKiB(owner, "VmHWM");
    // The owner may be no child of this process; it must be gone before the next start.
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, owner, 0));
    kill(-programs, SIGTERM);
    waitpid(programs, nullptr, 0);
    if (ended >= 0) {
        pollfd gone{ended, POLLIN, 0};
        poll(&gone, 1, 20000);  // only so that a program that never ends cannot hang the run
        close(ended);
    }
    return static_cast<double>(peak) / 1024.0;
}

struct StartUp {
    double wholeFrameMs;
    double firstDrawingMs;
    double peakMiB;
};

StartUp MeasureStartUp(const Command& command) {
    PaintWatcher watcher;
    const Clock::time_point start = Clock::now();
    const pid_t programs = Launch(command);
    const Frame frame = watcher.WaitForFirstFrame(programs);
    const auto since = [start](Clock::time_point when) {
        return std::chrono::duration<double, std::milli>(when - start).count();
    };
    return {since(frame.lastDrawing), since(frame.firstDrawing),
            EndAndGetPeakMiB(programs, frame.owner)};
}

// CPU time of all the process's threads, and its resident memory, from /proc.
struct Usage {
    double cpuSeconds;
    long residentKiB;
};

Usage ReadUsage(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    // The command name may hold blanks: skip to its closing parenthesis, then count fields.
    std::getline(stat, field, ')');
    unsigned long long user = 0, system = 0;
    for (int index = 3; stat >> field; ++index) {
        if (index == 14) {
            user = std::stoull(field);
        } else if (index == 15) {
            system = std::stoull(field);
            break;
        }
    }
    return {static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK)),
            StatusKiB(pid, "VmRSS")};
}

}  // namespace

int main(int argc, char* argv[]) {
    // The second floor is there for information: it shows what one choice of the program costs.
    std::vector<Command> floors;
    Command karvosel;
    std::string label, secondFloor;
    if (argc == 6 && std::string_view(argv[1]) == "--launcher") {
        karvosel = {argv[2], argv[3]};
        floors = {{argv[2], argv[4]}, {argv[2], argv[5]}};
        label = "Windows: ";
        secondFloor = ", floor without the manifest";
    } else if (argc == 3) {
        karvosel = {argv[1]};
        floors = {{argv[2], "模型名："}, {argv[2], "Karvosel"}};
        secondFloor = ", floor with a Latin label";
    } else {
        std::fprintf(stderr,
                     "usage: window_bench KARVOSEL FLOOR\n"
                     "       window_bench --launcher PROGRAM KARVOSEL FLOOR PLAIN_FLOOR\n");
        return 2;
    }
    constexpr int kRuns = 41;
    // The program is alternated with each floor on its own: a start runs faster or slower for
    // what the one before it left behind (under Wine, a program without the manifest slows the
    // next start by some milliseconds), so a third program in the rotation would tilt the pair.
    std::vector<std::vector<StartUp>> ours(floors.size()), floorRuns(floors.size());
    for (std::size_t floor = 0; floor < floors.size(); ++floor) {
        MeasureStartUp(karvosel);  // fills the disk cache and fontconfig's
        MeasureStartUp(floors[floor]);
        for (int run = 0; run < kRuns; ++run) {
            ours[floor].push_back(MeasureStartUp(karvosel));
            floorRuns[floor].push_back(MeasureStartUp(floors[floor]));
        }
    }
    const auto median = [](const std::vector<StartUp>& runs, double StartUp::*figure) {
        std::vector<double> values;
        for (const StartUp& run : runs) {
            values.push_back(run.*figure);
        }
        return Median(values);
    };
    const std::string runs = " (median of " + std::to_string(kRuns) + ")";
    struct Figure {
        const char* name;
        double StartUp::*member;
        std::optional<double> target;  // at most this many times the floor's, on Linux
    };
    for (const auto& [name, figure, target] :
         {Figure{"start-up to whole first frame, ms", &StartUp::wholeFrameMs, 1.1},
          Figure{"start-up to first drawing, ms", &StartUp::firstDrawingMs, std::nullopt},
          Figure{"start-up peak RSS, MiB", &StartUp::peakMiB, 1.2}}) {
        const double value = median(ours[0], figure), reference = median(floorRuns[0], figure);
        // Under Wine most of start-up and of the resident memory is Wine's own, and the timings
        // move from run to run by more than any margin: every figure there is for information.
        const bool hasTarget = label.empty() && target;
        PrintRow(label + name + runs, value, Format(reference), Format(value / reference),
                 hasTarget ? "<= " + Format(*target) + " x" : "-",
                 hasTarget ? std::optional(value <= *target * reference) : std::nullopt);
        const double ourSecond = median(ours[1], figure), second = median(floorRuns[1], figure);
        PrintRow(label + name + secondFloor, ourSecond, Format(second), Format(ourSecond / second),
                 "-", std::nullopt);
    }
    if (!label.empty()) {
        return 0;
    }

    constexpr int kIdleSeconds = 30;
    PaintWatcher watcher;
    const pid_t child = Launch(karvosel);
    watcher.WaitForFirstFrame(child);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Usage before = ReadUsage(child);
    std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
    const Usage after = ReadUsage(child);
    EndAndGetPeakMiB(child, child);
    const double cpuPercent = 100.0 * (after.cpuSeconds - before.cpuSeconds) / kIdleSeconds;
    PrintRow("idle CPU over " + std::to_string(kIdleSeconds) + " s, % of one core", cpuPercent, "-",
             "-", "<= 0.30 %", cpuPercent <= 0.3);
    const long growth = after.residentKiB - before.residentKiB;
    PrintRow("idle RSS growth over " + std::to_string(kIdleSeconds) + " s, KiB",
             static_cast<double>(growth),
             Format(static_cast<double>(before.residentKiB)) + " at start", "-", "<= 0 KiB",
             growth <= 0);
    return 0;
}
