// tarvex_maximal_prefix FOLDER PROGRAM: lays the maximal landscape's prefix
// (bench/maximal_prefix.h) into FOLDER (created; it must not hold a prefix
// yet) with PROGRAM as Tarvex, for measuring a conversion by hand (valgrind,
// /usr/bin/time -v). Standard output gets "name=value" lines: the program,
// its folder, the files read, the environment of a run ("env=" lines) and the
// arguments of the benchmarked conversion ("arg=" lines). Exit code 0, 1 on
// failure, 2 on a usage error.

#include <exception>
#include <iostream>

#include "maximal_prefix.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarvex_maximal_prefix FOLDER PROGRAM\n";
        return 2;
    }
    try {
        tarvex_test::FakePrefixOptions options = maximal_prefix_options();
        options.folder = argv[1];
        tarvex_test::FakeWinePrefix prefix(options);
        const MaximalPrefix layout = lay_out_maximal(prefix, std::filesystem::absolute(argv[2]));
        std::cout << "program=" << layout.program.string() << '\n';
        std::cout << "program_folder=" << layout.program_folder.string() << '\n';
        for (const std::string& file : layout.files) {
            std::cout << "file=" << file << '\n';
        }
        for (const std::string& variable : layout.environment) {
            std::cout << "env=" << variable << '\n';
        }
        for (const std::string& arg : maximal_conversion_args(layout)) {
            std::cout << "arg=" << arg << '\n';
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tarvex_maximal_prefix: " << e.what() << '\n';
        return 1;
    }
}
