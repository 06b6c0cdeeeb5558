#pragma once
// The editor's process-wide state: where it runs, the open project and its
// file, and the link settings of the logic download (kept only while the
// program runs). The windows use Global(); model functions take a Project&
// and never touch this state.
#include <cstdint>
#include <string>

#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

struct EditorGlobals {
  std::string ExeDir;           // the executable's directory, ending in '/'
  std::string CurrentFileName;  // empty for a project never saved
  Project project;
  bool LinkIsNetwork = false;
  int32_t LinkPort = 1;
  std::string LinkIP = "192.168.0.2";
  int32_t LinkUdpPort = 6666;
};

// The program's one instance.
EditorGlobals &Global();

// Start-up: ExeDir from the executable's location, a fresh reserved block, a
// new project and the link defaults.
void InitEditorGlobals(EditorGlobals &g);

// New: the lists start over and the project has no file yet.
void NewProject(EditorGlobals &g);

// Each changes the project and CurrentFileName only when it succeeds; on an
// error both stay as they were.
platform::Result<void> OpenProject(EditorGlobals &g, const std::string &path);
// Saves to CurrentFileName; an error when there is none yet.
platform::Result<void> SaveProject(EditorGlobals &g);
platform::Result<void> SaveProjectAs(EditorGlobals &g, const std::string &path);

}  // namespace selkan
