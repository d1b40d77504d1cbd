// Starts a program that reports its first frame (TAZUMEKI_FIRST_FRAME), and
// measures exec to first frame, peak resident memory once it has settled,
// and the CPU it uses while idle. Prints one JSON object; Linux only.
//
//   startup-probe [--settle-ms N] [--idle-ms N] [--rested-after-ms N] [--timeout-ms N] [--focus 1] -- PROGRAM ARGS...
// --focus 1 gives the program's window the keyboard focus (xdotool) before the
// idle figure, as a player's window has it: a focused text box blinks its caret.
// --rested-after-ms N measures a second idle figure of the same length, N ms
// after the first ends: the game's caret stops blinking once left alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Peak resident set of the process so far, in KiB; -1 when unknown.
long long peakRssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atoll(line.c_str() + 6);
        }
    }
    return -1;
}

// CPU time of every thread of the process, in nanoseconds (scheduler accounting, not ticks).
long long cpuNs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    long long total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
            long long onCpu = 0;
            if (stat >> onCpu) {
                total += onCpu;
            }
        }
        closedir(dir);
    }
    return total;
}

bool exited(pid_t pid, int& status)
{
    return waitpid(pid, &status, WNOHANG) == pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (exited(pid, status)) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

// Gives the visible window of the process the keyboard focus; false when it cannot.
bool focusWindow(pid_t pid)
{
    const std::string search = "xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null";
    FILE* out = popen(search.c_str(), "r");
    if (!out) {
        return false;
    }
    char line[64] = {};
    const bool found = std::fgets(line, sizeof line, out) != nullptr;
    pclose(out);
    const long long window = found ? std::atoll(line) : 0;
    return window > 0 && std::system(("xdotool windowfocus --sync " + std::to_string(window)).c_str()) == 0;
}

int fail(const char* what)
{
    std::fprintf(stderr, "startup-probe: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    long long settleMs = 4500;
    long long idleMs = 0;
    long long restedAfterMs = -1;
    long long timeoutMs = 10000;
    bool focus = false;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) {
            return fail("an option lacks its value");
        }
        const long long value = std::atoll(argv[++i]);
        if (arg == "--settle-ms") {
            settleMs = value;
        } else if (arg == "--idle-ms") {
            idleMs = value;
        } else if (arg == "--rested-after-ms") {
            restedAfterMs = value;
        } else if (arg == "--timeout-ms") {
            timeoutMs = value;
        } else if (arg == "--focus") {
            focus = value != 0;
        } else {
            return fail("unknown option");
        }
    }
    if (i >= argc) {
        return fail("no program given");
    }

    int out[2];
    if (pipe(out) != 0) {
        return fail("pipe failed");
    }
    setenv("TAZUMEKI_FIRST_FRAME", "1", 1);
    const long long started = nowNs();
    const pid_t pid = fork();
    if (pid < 0) {
        return fail("fork failed");
    }
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[i], argv + i);
        std::perror("startup-probe: exec");
        _exit(127);
    }
    close(out[1]);

    // The first-frame line, within the timeout.
    std::string received;
    long long frameNs = -1;
    const long long deadline = started + timeoutMs * 1'000'000;
    while (frameNs < 0 && nowNs() < deadline) {
        pollfd fd{out[0], POLLIN, 0};
        const int ready = poll(&fd, 1, 50);
        if (ready > 0) {
            char buffer[256];
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0) {
                break; // the program closed its output or died
            }
            received.append(buffer, static_cast<std::size_t>(n));
            const auto at = received.find("first-frame-ns ");
            if (at != std::string::npos && received.find('\n', at) != std::string::npos) {
                frameNs = std::atoll(received.c_str() + at + 15);
            }
        }
    }
    if (frameNs < 0) {
        stop(pid);
        return fail("the program reported no first frame");
    }

    int status = 0;
    std::this_thread::sleep_for(std::chrono::nanoseconds(std::max(0LL, frameNs + settleMs * 1'000'000 - nowNs())));
    if (focus && !focusWindow(pid)) {
        stop(pid);
        return fail("could not give the window the focus");
    }
    const auto idleFigure = [pid, idleMs] {
        const long long cpu0 = cpuNs(pid);
        const long long t0 = nowNs();
        std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
        const long long cpu1 = cpuNs(pid);
        const long long t1 = nowNs();
        return 100.0 * static_cast<double>(cpu1 - cpu0) / static_cast<double>(t1 - t0);
    };
    double idlePercent = -1;
    double restedPercent = -1;
    if (idleMs > 0) {
        idlePercent = idleFigure();
        if (restedAfterMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(restedAfterMs));
            restedPercent = idleFigure();
        }
    }
    const long long peak = peakRssKib(pid);
    if (exited(pid, status)) {
        return fail("the program exited while it was measured");
    }
    stop(pid);
    close(out[0]);

    std::printf("{\"startup_ms\": %.3f, \"peak_rss_kib\": %lld, \"idle_cpu_percent\": %.4f, "
                "\"rested_idle_cpu_percent\": %.4f}\n",
                static_cast<double>(frameNs - started) / 1e6, peak, idlePercent, restedPercent);
    return 0;
}
