// tvpack: the package builder and inspector of the setup stub (see Commands.h).
#include <iostream>

#include "Commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunTvpack(args, std::cout, std::cerr);
}
