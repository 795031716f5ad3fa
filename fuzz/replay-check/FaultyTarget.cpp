// A target with one fault per input text, for the check that the replay stops
// on each and names the input: "trap", "throw" and "hang" everywhere, and
// "overflow", "leak" and "undefined" where the sanitizers are built in. Any
// other input passes.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text == "trap")
        __builtin_trap();
    if (text == "throw")
        throw std::runtime_error("thrown out of the target");
    if (text == "hang") {
        for (;;)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (text == "overflow") {
        // One byte past the input: the replay's copy is the input's exact size.
        volatile uint8_t past = data[size];
        static_cast<void>(past);
    }
    if (text == "leak") {
        int* volatile lost = new int[4];
        lost = nullptr;
        static_cast<void>(lost);
    }
    if (text == "undefined") {
        volatile int most = std::numeric_limits<int>::max();
        volatile int over = most + static_cast<int>(size);
        static_cast<void>(over);
    }
    return 0;
}
