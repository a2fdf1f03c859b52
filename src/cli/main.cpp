#include <iostream>

#include "qob_tool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return qob::cli::RunQob({argv + 1, argv + argc}, {std::cout, std::cerr});
}
