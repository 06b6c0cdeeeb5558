// Writes the fuzz seeds of the project file reader into the directory named
// on the command line.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "project_file.h"
#include "test_projects.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_project_seeds <dir>\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  auto write = [&dir](const std::string &name, uint8_t mode, const std::vector<uint8_t> &bytes) {
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.put(static_cast<char>(mode));
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  };
  bool ok = true;
  for (const auto &[name, project] : selkan_test::GoldenProjects()) {
    std::vector<uint8_t> file = selkan::WriteProject(project);
    ok = write(name + ".plc", 0, file) && ok;
    file.resize(file.size() - selkan::kBlocksSize);
    ok = write(name + ".lists", 1, file) && ok;
  }
  std::vector<uint8_t> example = selkan::WriteProject(selkan_test::ExampleProject());
  example.resize(example.size() - selkan::kBlocksSize);
  ok = write("example.lists", 1, example) && ok;
  return ok ? 0 : 1;
}
