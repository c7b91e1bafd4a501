// sigma0-make-sample: writes the synthetic sample scene into a directory.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "SampleScene.h"

int main(int argc, char** argv) {
  CLI::App app(
      "Writes a small synthetic PALSAR-like Level 1.5 scene (ALOS leader, CEOS image "
      "and the same DN as a raw little-endian file) for trying sigma0.",
      "sigma0-make-sample");
  std::string directory;
  app.add_option("directory", directory, "Where to write the scene (created if missing)")
      ->required();
  CLI11_PARSE(app, argc, argv);
  try {
    sigma0::sample::WriteSampleScene(directory);
  } catch (const std::exception& error) {
    std::cerr << "sigma0-make-sample: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
