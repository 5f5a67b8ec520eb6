// nx3cli: the printer's commands from a shell, over the same link as the program.
#include <iostream>

#include "CliRun.h"
#include "SystemPlaces.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args = nubra::cli::SystemArguments(argc, argv);
    return nubra::cli::RunCli(args, nubra::cli::SystemPlaces(argv[0]), std::cout, std::cerr);
}
