// window_bench KARVOSEL FLOOR: start-up time and memory of the real window against a bare Qt
// window, alternated on the same X server, then the real window's cost while it waits.
// The floor's label shows Chinese, as the window does: any Chinese window loads a CJK font,
// which costs more than the rest of start-up. A floor with a Latin label is measured too, for
// information.
// A window counts as shown once the X server reports the first drawing into it (DAMAGE).
#include "bench/bench_table.h"
#include "bench/proc_status.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* why) {
    std::fprintf(stderr, "window_bench: %s\n", why);
    std::exit(2);
}

// Watches the X server for new top-level windows and the first drawing into any of them.
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
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~PaintWatcher() { xcb_disconnect(m_connection); }

    // Blocks until a top-level window created from now on is drawn into.
    void WaitForFirstPaint() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(m_connection)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event,
                                                                                   &std::free);
            const std::uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                // Watch every new window from its creation, before it can draw anything.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(m_connection, xcb_generate_id(m_connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(m_connection);
            } else if (type == m_damageNotify) {
                return;
            }
        }
        Fail("the X server went away");
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_NONE;
    std::uint8_t m_damageNotify = 0;
};

// A program to start, with its one argument or none.
struct Command {
    std::string program, argument;
};

pid_t Launch(const Command& command) {
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        const char* program = command.program.c_str();
        if (command.argument.empty()) {
            execl(program, program, nullptr);
        } else {
            execl(program, program, command.argument.c_str(), nullptr);
        }
        _exit(127);
    }
    return child;
}

// Ends the program and gives its peak resident memory in MiB.
double EndAndGetPeakMiB(pid_t child) {
    const long peak = StatusKiB(child, "VmHWM");
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return static_cast<double>(peak) / 1024.0;
}

struct StartUp {
    double milliseconds;
    double peakMiB;
};

StartUp MeasureStartUp(const Command& command) {
    PaintWatcher watcher;
    const Clock::time_point start = Clock::now();
    const pid_t child = Launch(command);
    watcher.WaitForFirstPaint();
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    return {elapsed.count(), EndAndGetPeakMiB(child)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_bench KARVOSEL FLOOR\n");
        return 2;
    }
    const Command karvosel{argv[1], {}}, floor{argv[2], "模型名："},
        latinFloor{argv[2], "Karvosel"};
    constexpr int kRuns = 41;
    std::vector<StartUp> ours, floors, latinFloors;
    for (const Command& warmUp : {karvosel, floor, latinFloor}) {
        MeasureStartUp(warmUp);  // fills the disk cache and fontconfig's
    }
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(MeasureStartUp(karvosel));
        floors.push_back(MeasureStartUp(floor));
        latinFloors.push_back(MeasureStartUp(latinFloor));
    }
    const auto median = [](const std::vector<StartUp>& runs, double StartUp::*figure) {
        std::vector<double> values;
        for (const StartUp& run : runs) {
            values.push_back(run.*figure);
        }
        return Median(values);
    };
    const std::string runs = " (median of " + std::to_string(kRuns) + ")";
    for (const auto& [name, figure] :
         {std::pair{"start-up to first paint, ms", &StartUp::milliseconds},
          std::pair{"start-up peak RSS, MiB", &StartUp::peakMiB}}) {
        const double value = median(ours, figure), reference = median(floors, figure),
                     latin = median(latinFloors, figure);
        PrintRow(name + runs, value, Format(reference), Format(value / reference), "<= 1.20 x",
                 value <= 1.2 * reference);
        PrintRow(std::string(name) + ", floor with a Latin label", value, Format(latin),
                 Format(value / latin), "-", std::nullopt);
    }

    constexpr int kIdleSeconds = 30;
    PaintWatcher watcher;
    const pid_t child = Launch(karvosel);
    watcher.WaitForFirstPaint();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Usage before = ReadUsage(child);
    std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
    const Usage after = ReadUsage(child);
    EndAndGetPeakMiB(child);
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
