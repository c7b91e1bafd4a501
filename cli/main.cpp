// sigma0: converts PALSAR / PALSAR-2 Level 1.5 amplitude images from the command line.
#include <unistd.h>

#include <iostream>

#include "Sigma0Cli.h"

int main(int argc, char** argv) {
  const sigma0::cli::TConsole console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
  return sigma0::cli::RunCommandLine(argc, argv, console);
}
