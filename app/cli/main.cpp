#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
  CLI::App app{"lg81xx-cli: manage LG U8110/U8120/U8130/U8138 phones over a serial link"};
  app.require_subcommand(0, 1);
  app.add_subcommand("demo", "every job against the built-in virtual phone");
  CLI11_PARSE(app, argc, argv);
  std::cout << "lg81xx-cli: the phone jobs are not built yet (not yet).\n";
  return 0;
}
