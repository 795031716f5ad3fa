// Replays a fuzz target's kept inputs through its own entry function, without
// libFuzzer, so that the test suite built with the usual compiler (and its
// sanitizers) keeps every target true: replay [--limit-ms N] FILE-OR-FOLDER...
// It fails, naming the input, when the target traps or crashes, a sanitizer
// reports, memory leaks or an input runs over the limit (1000 ms, libFuzzer's
// -timeout=1 of `make fuzz`).

// g++ and clang say in different ways that AddressSanitizer is built in.
#if defined(__SANITIZE_ADDRESS__)
#define REPLAY_WITH_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REPLAY_WITH_ASAN 1
#endif
#endif

#if defined(REPLAY_WITH_ASAN)
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#endif

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Only some targets set up a process-wide state (an application object) first.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// What the signal handlers and the sanitizers' death callback write: prepared
// before each input, since a handler may not build strings.
std::string failureMessage;
std::string hangMessage;
volatile std::sig_atomic_t running = 0;
volatile std::sig_atomic_t reported = 0;

void writeOnce(const std::string& message)
{
    if (reported)
        return;
    reported = 1;
    // Nothing more can be done about a short write to stderr.
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message.data(), message.size());
}

void reportFailure()
{
    if (running)
        writeOnce(failureMessage);
}

constexpr int fatalSignals[] = {SIGILL, SIGABRT, SIGSEGV, SIGBUS, SIGFPE};
struct sigaction previousActions[std::size(fatalSignals)];

// Names the input, then gives the signal back to whoever handled it before (the
// sanitizer's report, or the default core dump): returning runs the faulting
// instruction again, and abort() raises once more.
void onFatalSignal(int signal)
{
    reportFailure();
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i)
        if (fatalSignals[i] == signal)
            sigaction(signal, &previousActions[i], nullptr);
}

void onAlarm(int)
{
    if (!running)
        return;
    writeOnce(hangMessage);
    _exit(EXIT_FAILURE);
}

void setAlarm(long milliseconds)
{
    itimerval timer{};
    timer.it_value.tv_sec = milliseconds / 1000;
    timer.it_value.tv_usec = (milliseconds % 1000) * 1000;
    setitimer(ITIMER_REAL, &timer, nullptr);
}

void installHandlers()
{
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i) {
        struct sigaction action{};
        action.sa_handler = onFatalSignal;
        sigemptyset(&action.sa_mask);
        sigaction(fatalSignals[i], &action, &previousActions[i]);
    }
    struct sigaction alarm{};
    alarm.sa_handler = onAlarm;
    sigemptyset(&alarm.sa_mask);
    sigaction(SIGALRM, &alarm, nullptr);
#if defined(REPLAY_WITH_ASAN)
    __sanitizer_set_death_callback(reportFailure);
#endif
}

// The files named and those of the folders named, each folder in name order;
// a folder that does not exist holds nothing (a target may have no
// regressions yet). Hidden files are no inputs.
bool collectInputs(const std::vector<std::string>& paths, std::vector<fs::path>& inputs)
{
    for (const std::string& name : paths) {
        const fs::path path(name);
        std::error_code error;
        if (fs::is_regular_file(path, error)) {
            inputs.push_back(path);
            continue;
        }
        if (!fs::is_directory(path, error))
            continue;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
            if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                files.push_back(entry.path());
        if (error) {
            std::fprintf(stderr, "cannot list %s: %s\n", name.c_str(), error.message().c_str());
            return false;
        }
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return true;
}

bool readInput(const fs::path& path, std::vector<uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

}  // namespace

#if defined(REPLAY_WITH_ASAN)
// The undefined-behaviour sanitizer has a runtime of its own, which does not
// call the death callback set above: aborting instead lets the signal handler
// name the input. The stack shows where the behaviour was.
extern "C" const char* __ubsan_default_options()
{
    return "abort_on_error=1:print_stacktrace=1";
}
#endif

int main(int argc, char** argv)
{
    long limitMs = 1000;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--limit-ms") == 0 && i + 1 < argc)
            limitMs = std::atol(argv[++i]);
        else
            paths.emplace_back(argv[i]);
    }
    std::vector<fs::path> inputs;
    if (!collectInputs(paths, inputs))
        return EXIT_FAILURE;
    if (inputs.empty()) {
        std::fprintf(stderr, "%s: no input to replay in the paths given\n", FUZZ_TARGET_NAME);
        return EXIT_FAILURE;
    }

    installHandlers();
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    using Clock = std::chrono::steady_clock;
    Clock::duration slowest{};
    std::vector<uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!readInput(input, bytes)) {
            std::fprintf(stderr, "%s: cannot read %s\n", FUZZ_TARGET_NAME, input.c_str());
            return EXIT_FAILURE;
        }
        const std::string named = std::string(FUZZ_TARGET_NAME) + ": input " + input.string();
        failureMessage = "\n" + named + " made the target fail: a trap, a crash or a sanitizer's report\n";
        hangMessage = "\n" + named + " ran over " + std::to_string(limitMs) + " ms: a hang, or far too slow\n";
        // A copy of exactly the input's size, as libFuzzer gives, so that
        // reading one byte past the end is caught.
        const std::unique_ptr<uint8_t[]> data(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), data.get());

        running = 1;
        setAlarm(limitMs);
        const Clock::time_point start = Clock::now();
        LLVMFuzzerTestOneInput(data.get(), bytes.size());
        const Clock::duration took = Clock::now() - start;
        setAlarm(0);
        if (took > std::chrono::milliseconds(limitMs)) {
            writeOnce(hangMessage);
            return EXIT_FAILURE;
        }
        slowest = std::max(slowest, took);
#if defined(REPLAY_WITH_ASAN)
        // Checked input by input, so that a leak names the input that made it;
        // the first one ends the run, as every later check would report it again.
        if (__lsan_do_recoverable_leak_check() != 0) {
            writeOnce("\n" + named + " leaked the memory reported above\n");
            _exit(EXIT_FAILURE);
        }
#endif
        running = 0;
    }
    std::printf("%s: %zu inputs replayed, the slowest in %lld ms\n", FUZZ_TARGET_NAME, inputs.size(),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(slowest).count()));
    return EXIT_SUCCESS;
}
