// make_large_logbook OUT [--reversed]: writes the benchmarks' full logbook of 65535 dives.

#include <cstdio>
#include <cstring>

#include "../core/LargeLogbook.h"

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--reversed") != 0)) {
        std::fprintf(stderr, "Usage: make_large_logbook OUT [--reversed]\n");
        return 2;
    }
    if (!bench::WriteLargeLogbook(QString::fromLocal8Bit(argv[1]), argc == 3)) {
        std::fprintf(stderr, "make_large_logbook: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
