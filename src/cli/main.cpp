// velloran-cli entry point: hands the arguments and the locale's month names to RunCli.

#include <fcntl.h>
#include <langinfo.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliText.h"

namespace {

// Month names of the user's time locale (LC_TIME, LANG), when it spells them in UTF-8;
// English otherwise.
velloran::MonthNames LocaleMonthNames() {
    if (std::setlocale(LC_TIME, "") == nullptr) return velloran::EnglishMonthNames();
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) return velloran::EnglishMonthNames();
    velloran::MonthNames names;
    const nl_item months[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    for (int m = 0; m < 12; ++m) names[m] = nl_langinfo(months[m]);
    return names;
}

// A standard stream the caller closed (">&-") is taken by /dev/null opened for reading only, so
// writing to it still fails, and no file the tool opens later gets its number and the output.
void HoldClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1) continue;
        const int held = open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) close(held);
    }
}

// Under a limit on the address space (ulimit -v) the threads share one allocator arena: glibc
// would otherwise try to reserve a 64 MB arena for each thread at every allocation and, failing
// under the limit, try again at the next, which makes a long run crawl.
void ShareAllocatorArenaUnderALimit() {
#ifdef __GLIBC__
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    HoldClosedStandardStreams();
    ShareAllocatorArenaUnderALimit();
    // Past a file size limit a write then fails with EFBIG, and the save removes its partial file,
    // instead of the process being killed in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    velloran::DiskFiles files(isatty(STDERR_FILENO) == 1);
    // RunCli answers memory that runs out in a command; this answers it anywhere else.
    try {
        return velloran::RunCli(args, std::cout, std::cerr, files, LocaleMonthNames());
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << velloran::kCliProgram << "out of memory\n";
        return velloran::kExitFailure;
    }
}
