// velloran-cli entry point: hands the arguments and the locale's month names to RunCli.

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return velloran::RunCli(args, std::cout, std::cerr, LocaleMonthNames());
}
