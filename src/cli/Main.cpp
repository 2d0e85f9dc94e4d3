#include <iostream>
#include <unistd.h>

#include "cli/CliCommands.h"

int main(int argc, char** argv)
{
    zentro::CliContext context;
    context.out = &std::cout;
    context.err = &std::cerr;
    context.interactive = ::isatty(STDOUT_FILENO) == 1;
    return zentro::RunZentroctlWith(context, argc, argv);
}
