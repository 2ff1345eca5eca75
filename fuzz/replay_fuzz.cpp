// Recordings given to --replay: the text read into events, which written out
// again must read back as the same events.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "input/input_event.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("replay.txt", data, size);
    std::vector<InputEvent> events;
    if (const Status read = ReadInputEvents("replay.txt", &events); !read) {
        if (read.Why().rfind("replay.txt", 0) != 0) std::abort();  // every error names the file
        return 0;
    }
    std::string text;
    for (const InputEvent& event : events) text += FormatInputEvent(event) + "\n";
    fuzz::WriteInput("again.txt", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::vector<InputEvent> again;
    const Status readAgain = ReadInputEvents("again.txt", &again);
    if (!readAgain || again != events) {
        std::fprintf(stderr, "a recording written out does not read back the same: %s\n", readAgain.Why().c_str());
        std::abort();
    }
    return 0;
}
