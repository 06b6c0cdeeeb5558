#pragma once
// The "user.ini" the display program reads: controllers, devices, outputs
// and each controller's status items, written whole in one atomic write.
#include <string>

#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

// The user.ini beside the executable: an existing file of that name in any
// letter case, else exeDir/user.ini.
std::string UserIniPath(const std::string &exeDir);

// Rewrites the file (found ignoring case, created when missing): every
// section goes, lines before the first section stay, then the project's
// sections follow. On an error the old file is left as it was.
platform::Result<void> ExportUserIni(const Project &project, const std::string &path);

}  // namespace selkan
