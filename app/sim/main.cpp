#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
  CLI::App app{"lg81xx-sim: a virtual LG phone on a pseudo-terminal"};
  CLI11_PARSE(app, argc, argv);
  std::cerr << "lg81xx-sim: not yet\n";
  return 1;
}
