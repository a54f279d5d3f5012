// velloran-cli entry point: hands the arguments to RunCli.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return velloran::RunCli(args, std::cout, std::cerr);
}
