#include "controller_editor/model/editor_globals.h"

#include <cerrno>
#include <utility>

#include "controller_editor/model/project_file.h"
#include "platform/app_dir.h"

namespace selkan {

EditorGlobals &Global() {
  static EditorGlobals globals;
  return globals;
}

void InitEditorGlobals(EditorGlobals &g) {
  g.project.Reserved = ReservedBlock();
  g.ExeDir = platform::ExecutableDir();
  if (!g.ExeDir.empty() && g.ExeDir.back() != '/') g.ExeDir += '/';
  NewProject(g);
  g.LinkIsNetwork = false;
  g.LinkPort = 1;
  g.LinkIP = "192.168.0.2";
  g.LinkUdpPort = 6666;
}

void NewProject(EditorGlobals &g) {
  g.project.ResetLists();
  g.CurrentFileName.clear();
}

platform::Result<void> OpenProject(EditorGlobals &g, const std::string &path) {
  auto loaded = LoadProjectFile(path);
  if (!loaded.ok()) return loaded.error();
  g.project = std::move(loaded).value();
  g.CurrentFileName = path;
  return {};
}

platform::Result<void> SaveProject(EditorGlobals &g) {
  if (g.CurrentFileName.empty()) return platform::Error{EINVAL, "无法写入文件 \"\"：没有文件名"};
  return SaveProjectFile(g.project, g.CurrentFileName);
}

platform::Result<void> SaveProjectAs(EditorGlobals &g, const std::string &path) {
  auto saved = SaveProjectFile(g.project, path);
  if (!saved.ok()) return saved;
  g.CurrentFileName = path;
  return {};
}

}  // namespace selkan
