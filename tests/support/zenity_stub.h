#pragma once

#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace tarvex_test {

// A stand-in "zenity" first on PATH, with TARVEX_DIALOGS=zenity, for the
// lifetime of the object. Each run records its arguments and prints the answer
// scripted for that run (numbered from 1), then exits with the scripted status
// (0 when none was scripted).
class ZenityStub {
public:
    ZenityStub();
    ZenityStub(const ZenityStub&) = delete;
    ZenityStub& operator=(const ZenityStub&) = delete;

    void answer(int run, const std::string& output, int status = 0) const;
    // From now on each run reads its standard input to the end first.
    void read_all_input() const;
    // Run `run` stays open (as a dialog the user has not answered) until release().
    void hold(int run) const;
    void release() const;
    // The arguments of a run, without the program name; empty when there was no such run.
    std::vector<std::string> args(int run) const;
    int runs() const;
    const std::filesystem::path& folder() const { return dir_.path(); }

private:
    TempDir dir_;
    ScopedEnv path_;
    ScopedEnv dialogs_;
};

}  // namespace tarvex_test
