// Start-up of the program: the time from starting it to its first window shown
// (offscreen; the program quits right after that first show), and its resident
// memory, read as the peak the kernel records for the finished process.
// Also the cost of reading and of saving the sixteen preferences.

#include "app/user_settings.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::filesystem::path sandbox() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("vadididod-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path / "config");
        std::filesystem::create_directories(path / "runtime");
        std::filesystem::permissions(path / "runtime", std::filesystem::perms::owner_all);
        return path;
    }();
    return folder;
}

std::vector<std::string> programEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("XDG_CONFIG_HOME=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0 ||
            entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0) {
            continue;
        }
        env.push_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + (sandbox() / "config").string());
    env.push_back("XDG_RUNTIME_DIR=" + (sandbox() / "runtime").string());
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("VADIDIDOD_QUIT_AFTER_FIRST_SHOW=1");
    return env;
}

void BM_StartToFirstWindowShown(benchmark::State& state) {
    std::vector<std::string> env = programEnvironment();
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = VADIDIDOD_PROGRAM;
    char* argv[] = {program.data(), nullptr};

    // The offscreen platform's notes on standard error are not part of the measure.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);

    long peakKiB = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, program.c_str(), &quiet, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("the program could not be started");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const auto end = std::chrono::steady_clock::now();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not end cleanly");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        peakKiB = std::max(peakKiB, usage.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&quiet);
    state.counters["peak_resident_MB"] = static_cast<double>(peakKiB) / 1024.0;
}
BENCHMARK(BM_StartToFirstWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_UserSettingsRead(benchmark::State& state) {
    { app::UserSettings first; }   // the store exists from here on
    for (auto _ : state) {
        app::UserSettings settings;
        benchmark::DoNotOptimize(settings.theme());
    }
}
BENCHMARK(BM_UserSettingsRead)->Unit(benchmark::kMicrosecond);

void BM_UserSettingsAssignAndSave(benchmark::State& state) {
    app::UserSettings settings;
    qint64 days = 0;
    for (auto _ : state) settings.setNotifyDaysBefore(++days % 8);
}
BENCHMARK(BM_UserSettingsAssignAndSave)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Preferences read and written here stay in a folder of the benchmark's own.
    setenv("XDG_CONFIG_HOME", (sandbox() / "config").c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(sandbox());
    return 0;
}
