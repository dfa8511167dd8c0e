#pragma once

#include <string>

namespace tarvex_test {

// Standard input reads `bytes` for the lifetime of the object, then what it read before.
class ScopedStdin {
public:
    explicit ScopedStdin(const std::string& bytes);
    ~ScopedStdin();
    ScopedStdin(const ScopedStdin&) = delete;
    ScopedStdin& operator=(const ScopedStdin&) = delete;

private:
    int saved_;
};

// Collects what is written to standard output (through stdio or the descriptor,
// also by child processes) until finish() or the end of the object. Check the
// collected text after finish(): a failing check prints to standard output.
class CapturedStdout {
public:
    CapturedStdout();
    ~CapturedStdout();
    CapturedStdout(const CapturedStdout&) = delete;
    CapturedStdout& operator=(const CapturedStdout&) = delete;

    // Stops collecting and returns the text.
    std::string finish();

private:
    int saved_;
    int file_;
};

}  // namespace tarvex_test
