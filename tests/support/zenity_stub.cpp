#include "support/zenity_stub.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tarvex_test {

namespace {

constexpr const char* kScript =
    "#!/bin/sh\n"
    "dir=$(dirname \"$0\")\n"
    "n=$(( $(cat \"$dir/runs\" 2>/dev/null || echo 0) + 1 ))\n"
    "echo $n > \"$dir/runs\"\n"
    ": > \"$dir/args.$n\"\n"
    "for a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$dir/args.$n\"; done\n"
    "[ -f \"$dir/drain\" ] && cat > /dev/null\n"
    "if [ -f \"$dir/hold.$n\" ]; then while [ ! -f \"$dir/released\" ]; do sleep 0.02; done; fi\n"
    "[ -f \"$dir/answer.$n\" ] && cat \"$dir/answer.$n\"\n"
    "[ -f \"$dir/status.$n\" ] && exit $(cat \"$dir/status.$n\")\n"
    "exit 0\n";

std::string stub_path(const std::filesystem::path& dir) {
    const char* old = std::getenv("PATH");
    return dir.string() + ":" + (old != nullptr ? old : "/bin:/usr/bin");
}

std::filesystem::path install(const TempDir& dir) {
    const std::filesystem::path script = dir.write("zenity", kScript);
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return dir.path();
}

}  // namespace

ZenityStub::ZenityStub()
    : dir_("zenity-stub"), path_("PATH", stub_path(install(dir_)).c_str()), dialogs_("TARVEX_DIALOGS", "zenity") {}

void ZenityStub::answer(int run, const std::string& output, int status) const {
    dir_.write("answer." + std::to_string(run), output);
    dir_.write("status." + std::to_string(run), std::to_string(status) + "\n");
}

void ZenityStub::read_all_input() const { dir_.write("drain", ""); }

void ZenityStub::hold(int run) const { dir_.write("hold." + std::to_string(run), ""); }

void ZenityStub::release() const { dir_.write("released", ""); }

std::vector<std::string> ZenityStub::args(int run) const {
    const std::filesystem::path file = dir_.path() / ("args." + std::to_string(run));
    std::vector<std::string> out;
    if (!std::filesystem::exists(file)) {
        return out;
    }
    const std::string bytes = TempDir::read(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t nul = bytes.find('\0', start);
        out.push_back(bytes.substr(start, nul - start));
        start = nul + 1;
    }
    return out;
}

int ZenityStub::runs() const {
    const std::filesystem::path file = dir_.path() / "runs";
    return std::filesystem::exists(file) ? std::atoi(TempDir::read(file).c_str()) : 0;
}

}  // namespace tarvex_test
