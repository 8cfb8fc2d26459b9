// SPDX-License-Identifier: GPL-3.0-or-later
// lzrw1: compresses, decompresses or advises on one file with the compression component.
//
//   lzrw1 c IN OUT [--mode fast|good|auto]
//   lzrw1 d IN OUT
//   lzrw1 a IN
//   lzrw1 --help | --version
//
// A failure prints the component's text and exits with 1; bad usage prints one line naming
// the fault and exits with 2.

#include "app/buildinfo.h"
#include "stats/tlzrw1.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr const char* kHelp =
    "Usage: lzrw1 c IN OUT [--mode fast|good|auto]   compress IN into OUT\n"
    "       lzrw1 d IN OUT                           expand IN into OUT\n"
    "       lzrw1 a IN                               advise a mode for IN\n"
    "Compresses files in the block format the Bramblies tally file is stored in.\n"
    "  --mode fast|good|auto  compression mode (default good; auto lets the advice choose)\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "Exit status: 0 done, 1 the file could not be read, written or expanded, 2 bad usage.\n";

int usage(const std::string& fault) {
    std::cerr << "lzrw1: " << fault << " (see --help)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kHelp;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "lzrw1 (Bramblies) " << app::kProgramVersion << "\n";
        return 0;
    }
    if (argc < 2) return usage("missing command");
    const std::string command = argv[1];
    if (command != "a" && command != "c" && command != "d")
        return usage("unknown command '" + command + "'");
    if (argc < 3) return usage("missing input file");
    core::Tlzrw1 z;
    z.InputFile = argv[2];
    if (command == "a") {
        if (argc != 3) return usage("too many arguments");
    } else if (command == "c" || command == "d") {
        if (argc != 4 && argc != 6) return usage("expected IN OUT [--mode MODE]");
        z.OutputFile = argv[3];
        if (argc == 6) {
            const std::string mode = argv[5];
            if (std::strcmp(argv[4], "--mode") != 0 || command != "c")
                return usage(std::string("unexpected '") + argv[4] + "'");
            if (mode == "fast") {
                z.CompressMode = core::Tlzrw1::Fast;
            } else if (mode == "good") {
                z.CompressMode = core::Tlzrw1::Good;
            } else if (mode == "auto") {
                z.CompressMode = core::Tlzrw1::Auto;
            } else {
                return usage("invalid mode '" + mode + "' (expected fast, good or auto)");
            }
        }
    }

    try {
        if (command == "a") {
            const auto mode = z.Advise();
            std::cout << (mode == core::Tlzrw1::Fast ? "fast" : "good") << "\n"
                      << z.Caption() << "\n";
        } else {
            if (command == "c") {
                z.Compress();
            } else {
                z.Decompress();
            }
            std::cout << z.Caption() << "\n";
        }
    } catch (const core::ELzrw1Exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
