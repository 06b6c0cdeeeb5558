// Writes the fuzz seeds of the project file reader into the directory named
// on the command line: the list sections of the test projects, the form the
// fuzz target takes (it supplies the blocks that follow the lists itself).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controller_editor/model/project_file.h"
#include "tests/controller_editor/model/test_projects.h"

namespace {

std::vector<uint8_t> listSection(const selkan::Project &project) {
  std::vector<uint8_t> file = selkan::WriteProject(project);
  file.resize(file.size() - selkan::kBlocksSize);
  return file;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_project_seeds <dir>\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  // Whole files were seeds of an earlier form: the target now reads them as
  // lists, slowly. They go.
  for (const auto &entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file() && entry.path().extension() == ".plc") std::filesystem::remove(entry.path());
  }
  auto write = [&dir](const std::string &name, const std::vector<uint8_t> &bytes) {
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  };
  bool ok = true;
  for (const auto &[name, project] : selkan_test::GoldenProjects()) ok = write(name + ".lists", listSection(project)) && ok;
  ok = write("example.lists", listSection(selkan_test::ExampleProject())) && ok;
  return ok ? 0 : 1;
}
