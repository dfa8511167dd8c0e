#pragma once

// How a run ended, for the tests of code that ends runs (RunStopped).

#include "foundation/run_stop.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarvex_test {

// Runs `body`, which must end the run; how it ended (a failure of the test,
// and an empty stop with exit code -1, when it did not).
inline RunStopped stop_of(const std::function<void()>& body) {
    try {
        body();
    } catch (const RunStopped& stopped) {
        return stopped;
    }
    ADD_FAILURE() << "the run did not stop";
    return {"", -1};
}

}  // namespace tarvex_test
