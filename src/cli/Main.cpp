#include <iostream>

#include "cli/CliCommands.h"

int main(int argc, char** argv)
{
    return zentro::RunZentroctl(argc, argv, std::cout, std::cerr);
}
