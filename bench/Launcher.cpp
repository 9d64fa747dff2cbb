// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts programs again and again, taking turns, and measures each run from outside: the time
// from the moment before the process is created to the moment its report of its first painted
// frame ("painted" on its standard output) arrives, and its peak resident memory. The time is the
// launcher's alone, so that a program that runs under Wine, whose clocks are Windows', is measured
// as a native one is. Taking turns spreads any disturbance of the machine over all programs alike.
//   launcher <runs> <program> [arguments...] [-- <program> [arguments...]]...
// prints for the n-th program (from 0) its median, minimum and maximum:
//   <n> startup_ms <median> <min> <max>
//   <n> peak_rss_mib <median> <min> <max>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Command
{
    std::vector<char *> argv;
    std::vector<double> startup;
    std::vector<double> memory;
};

long long monotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One run: false when the program failed or reported no painted frame.
bool measure(Command &command)
{
    int output[2];
    if (pipe(output) != 0)
        return false;
    const long long start = monotonicNow();
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execv(command.argv[0], command.argv.data());
        _exit(127);
    }
    close(output[1]);
    std::string text;
    char buffer[256];
    long long painted = 0;
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
        // The whole line; a Windows program ends it with a carriage return and a line feed.
        const std::size_t report = text.find("painted");
        if (!painted && report != std::string::npos && text.find('\n', report) != std::string::npos)
            painted = monotonicNow();
    }
    close(output[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !painted)
        return false;
    command.startup.push_back((painted - start) / 1e6);
    command.memory.push_back(usage.ru_maxrss / 1024.0);
    return true;
}

void summary(std::size_t index, const char *name, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%zu %s %.2f %.2f %.2f\n", index, name, median, values.front(), values.back());
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <runs> <program> [arguments...] [-- <program> [arguments...]]...\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Command> commands(1);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            commands.emplace_back();
        else
            commands.back().argv.push_back(argv[i]);
    }
    for (Command &command : commands)
        command.argv.push_back(nullptr);

    for (int run = 0; run < runs; ++run) {
        for (Command &command : commands) {
            if (!measure(command)) {
                std::fprintf(stderr, "run %d of %s failed\n", run, command.argv[0]);
                return 1;
            }
        }
    }
    for (std::size_t i = 0; i < commands.size(); ++i) {
        summary(i, "startup_ms", commands[i].startup);
        summary(i, "peak_rss_mib", commands[i].memory);
    }
    return 0;
}
