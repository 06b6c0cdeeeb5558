// The editor's main window: the output editor after the first show, the
// commands' doors and one editor at a time, asking about changes, the
// project files, the export, starting the display program and the About
// link.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controller_editor/forms/about_form.h"
#include "controller_editor/forms/debug_form.h"
#include "controller_editor/forms/main_form.h"
#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/project.h"
#include "controller_editor/model/project_file.h"
#include "platform/file_io.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/label.h"
#include "platform/ui/menu.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/controller_editor/forms/qstring_print.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/url_handler_recorder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FileDialogScript;
using testsupport::MessageBoxScript;
using testsupport::ModalScript;

const QString kAskChanges = QStringLiteral("内容已经更改,是否保存");

QString qpath(const fs::path &path) { return QString::fromStdString(path.string()); }

// Children of this process, and which of them are zombies.
struct Children {
  int all = 0;
  int zombies = 0;
};

Children childrenOfThisProcess() {
  Children found;
  const std::string self = std::to_string(getpid());
  for (const fs::directory_entry &entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // "pid (comm) state ppid ...": the name may hold blanks and parentheses.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 4 > stat.size()) continue;
    char state = stat[close + 2];
    const size_t ppidAt = close + 4;
    const std::string ppid = stat.substr(ppidAt, stat.find(' ', ppidAt) - ppidAt);
    if (ppid != self) continue;
    ++found.all;
    if (state == 'Z') ++found.zombies;
  }
  return found;
}

class MainFormTest : public testsupport::EditorWindowTest {
 protected:
  void TearDown() override {
    platform::SetAtomicWriteFaultForTests(false);
    main.reset();
    EditorWindowTest::TearDown();
  }

  // The main window as the program creates it: its creation starts the
  // globals over, so the link goes back to this machine afterwards.
  TMainForm &makeMain() {
    main = std::make_unique<TMainForm>(nullptr, testsupport::LocalLinkServices());
    selkan::Global().LinkIP = "127.0.0.1";
    return *main;
  }

  static selkan::EditorGlobals &g() { return selkan::Global(); }
  static size_t controllers() { return g().project.PLCCtrl.Items().size(); }

  QString statusText() const { return main->stbM->panel(0).text; }

  // The project saved through Save As to name in the application
  // directory, unchanged since.
  fs::path savedProject(const std::string &name, int controllerCount) {
    for (int i = 0; i < controllerCount; ++i) selkan::AddController(g().project);
    const fs::path path = appDir / name;
    FileDialogScript dialogs;
    dialogs.choose(qpath(path));
    EXPECT_TRUE(main->FileSaveAsClick());
    return path;
  }

  static void activate(QWidget &window) {
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activation);
  }

  std::unique_ptr<TMainForm> main;
};

TEST_F(MainFormTest, FirstShowOpensTheOutputEditorOnceAfterItReturns) {
  TMainForm &form = makeMain();
  EXPECT_EQ(statusText(), QStringLiteral("  当前文件: 新文件未保存"));
  EXPECT_EQ(form.stbM->hint(), statusText());

  ModalScript modals;
  modals.answer(ui::mrCancel);
  {
    // The window need not take the focus: without a window manager it
    // never does.
    testsupport::MainWindowNeverActive noFocus;
    qApp->installEventFilter(&noFocus);
    form.show();
    EXPECT_TRUE(modals.shown().empty()) << "opened inside the show";
    EXPECT_TRUE(testsupport::waitFor([&] { return !modals.shown().empty(); }));
    qApp->removeEventFilter(&noFocus);
  }
  // Neither activating it nor showing it again opens another.
  activate(form);
  form.hide();
  form.show();
  testsupport::processEvents();
  ASSERT_EQ(modals.shown().size(), 1u);
  EXPECT_EQ(modals.shown()[0].className, "TOutputForm");
}

TEST_F(MainFormTest, EachDoorOpensItsEditorFromButtonAndMenu) {
  struct Door {
    ui::ToolButton *TMainForm::*button;
    ui::MenuItem *TMainForm::*item;
    const char *editor;
  };
  const Door doors[] = {
      {&TMainForm::sbnOutput, &TMainForm::N_Chn_Device, "TOutputForm"},
      {&TMainForm::sbnDevice, &TMainForm::N_Logic, "TDeviceForm"},
      {&TMainForm::sbnStatus, &TMainForm::N_Status, "TfrmPLCStatus"},
      {&TMainForm::sbnDebug, &TMainForm::N_Debug, "TDebugForm"},
      {&TMainForm::sbnAbout, &TMainForm::N_About, "TAboutForm"},
  };
  TMainForm &form = makeMain();
  for (const Door &door : doors) {
    SCOPED_TRACE(door.editor);
    ModalScript modals;
    modals.answer(ui::mrCancel).answer(ui::mrCancel);
    (form.*door.button)->click();
    (form.*door.item)->click();
    ASSERT_EQ(modals.shown().size(), 2u);
    EXPECT_EQ(modals.shown()[0].className, door.editor);
    EXPECT_EQ(modals.shown()[1].className, door.editor);
  }
}

// While one editor is open, a click that still reaches the window (or a
// command posted before it opened) opens no other; once it is closed, the
// doors work again.
TEST_F(MainFormTest, NoDoorOpensAnEditorWhileOneIsOpen) {
  TMainForm &form = makeMain();
  const std::vector<ui::ToolButton *> buttons = {form.sbnOutput, form.sbnDevice, form.sbnStatus, form.sbnDebug,
                                                 form.sbnAbout};
  const std::vector<ui::MenuItem *> items = {form.N_Chn_Device, form.N_Logic, form.N_Status, form.N_Debug,
                                             form.N_About};
  for (ui::ToolButton *open : buttons) {
    SCOPED_TRACE(open->name().toStdString());
    ModalScript modals;
    modals
        .then([&](ui::Form &) {
          for (ui::ToolButton *b : buttons) b->click();
          for (ui::MenuItem *i : items) i->click();
          return ui::mrCancel;
        })
        .answer(ui::mrCancel);
    open->click();
    EXPECT_EQ(modals.shown().size(), 1u);
    open->click();
    ASSERT_EQ(modals.shown().size(), 2u);
    EXPECT_EQ(modals.shown()[0].className, modals.shown()[1].className);
  }
}

TEST_F(MainFormTest, DebugConsoleIsHeldOnlyWhileShown) {
  TMainForm &form = makeMain();
  ModalScript modals;
  TDebugForm *held = nullptr;
  modals.then([&](ui::Form &shown) {
    held = DebugForm;
    EXPECT_EQ(static_cast<ui::Form *>(DebugForm), &shown);
    return ui::mrCancel;
  });
  form.N_DebugClick();
  EXPECT_NE(held, nullptr);
  EXPECT_EQ(DebugForm, nullptr);
}

// New on a project that was never saved: what each answer to the question
// does. "Reset" is the new project, which then opens the output editor.
TEST_F(MainFormTest, NewAsksAboutChangesAndGoesOnOnlyWhenTheyAreSafe) {
  enum class Dialog { None, Cancel, Choose };
  struct Case {
    const char *name;
    int answer;
    Dialog dialog;
    bool saveFails;
    bool reset;
  };
  const Case cases[] = {
      {"no", ui::IDNO, Dialog::None, false, true},
      {"cancel", ui::IDCANCEL, Dialog::None, false, false},
      {"yes, dialog cancelled", ui::IDYES, Dialog::Cancel, false, false},
      {"yes, saved", ui::IDYES, Dialog::Choose, false, true},
      {"yes, save failed", ui::IDYES, Dialog::Choose, true, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    makeMain();
    selkan::AddController(g().project);
    const fs::path target = appDir / (std::string(c.name) + ".plc");
    MessageBoxScript boxes;
    boxes.answer(c.answer);
    FileDialogScript dialogs;
    if (c.dialog == Dialog::Cancel) dialogs.cancel();
    if (c.dialog == Dialog::Choose) dialogs.choose(qpath(target));
    if (c.saveFails) boxes.answer(ui::IDOK);
    ModalScript modals;
    if (c.reset) modals.answer(ui::mrCancel);
    platform::SetAtomicWriteFaultForTests(c.saveFails);

    main->sbnNew->click();

    platform::SetAtomicWriteFaultForTests(false);
    ASSERT_GE(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, kAskChanges);
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(boxes.shown()[0].flags & 0x0F, ui::MB_YESNOCANCEL);
    if (c.saveFails) {
      ASSERT_EQ(boxes.shown().size(), 2u);
      EXPECT_EQ(boxes.shown()[1].caption, ui::Application::instance()->title());
      EXPECT_EQ(boxes.shown()[1].flags, ui::MB_OK | ui::MB_ICONERROR);
    }
    EXPECT_EQ(controllers(), c.reset ? 0u : 1u);
    EXPECT_EQ(fs::exists(target), c.dialog == Dialog::Choose && !c.saveFails);
    // A new project has no file; a failed save leaves the name as it was.
    EXPECT_TRUE(g().CurrentFileName.empty());
    EXPECT_EQ(statusText(), QStringLiteral("  当前文件: 新文件未保存"));
    if (c.reset) {
      ASSERT_EQ(modals.shown().size(), 1u);
      EXPECT_EQ(modals.shown()[0].className, "TOutputForm");
    }
  }
}

TEST_F(MainFormTest, CloseIsRefusedUnlessTheChangesAreSavedOrDropped) {
  struct Case {
    const char *name;
    int answer;
    bool dialogCancelled;
  };
  const Case cases[] = {
      {"cancel", ui::IDCANCEL, false},
      {"yes, dialog cancelled", ui::IDYES, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TMainForm &form = makeMain();
    selkan::AddController(g().project);
    MessageBoxScript boxes;
    boxes.answer(c.answer);
    FileDialogScript dialogs;
    if (c.dialogCancelled) dialogs.cancel();
    EXPECT_FALSE(form.close());
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(controllers(), 1u);
    EXPECT_FALSE(ui::Application::instance()->terminated());
  }
}

TEST_F(MainFormTest, OpenOfAnUnchangedProjectAsksNothingThenShowsTheDevices) {
  makeMain();
  savedProject("first.plc", 1);
  const fs::path other = appDir / "other.plc";
  {
    selkan::Project two;
    selkan::AddController(two);
    selkan::AddController(two);
    ASSERT_TRUE(selkan::SaveProjectFile(two, other.string()).ok());
  }
  FileDialogScript dialogs;
  dialogs.choose(qpath(other));
  ModalScript modals;
  modals.answer(ui::mrCancel);
  main->sbnOpen->click();  // any box would fail the test

  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, ui::FileDialogKind::Open);
  EXPECT_EQ(dialogs.shown()[0].options.directory.toStdString(), g().ExeDir);
  EXPECT_EQ(dialogs.shown()[0].options.filter, QStringLiteral("Tamzor PLC 工程文件(*.plc)"));
  EXPECT_EQ(controllers(), 2u);
  EXPECT_EQ(g().CurrentFileName, other.string());
  EXPECT_EQ(statusText(), QStringLiteral("  当前文件: ") + qpath(other));
  EXPECT_EQ(main->stbM->hint(), statusText());
  ASSERT_EQ(modals.shown().size(), 1u);
  EXPECT_EQ(modals.shown()[0].className, "TDeviceForm");
}

TEST_F(MainFormTest, FailedOpenKeepsTheProjectAndItsFileSoClosingSavesWhereItCameFrom) {
  makeMain();
  const fs::path first = savedProject("first.plc", 1);
  selkan::AddController(g().project);
  const std::string damaged = "not a project";
  appDir.writeFile("damaged.plc", damaged);

  {
    MessageBoxScript boxes;
    boxes.answer(ui::IDNO).answer(ui::IDOK);  // drop the changes; the load error
    FileDialogScript dialogs;
    dialogs.choose(qpath(appDir / "damaged.plc"));
    main->FileOpen();  // no device editor after a failed load
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, kAskChanges);
    EXPECT_EQ(boxes.shown()[1].flags, ui::MB_OK | ui::MB_ICONERROR);
  }
  EXPECT_EQ(g().CurrentFileName, first.string());
  EXPECT_EQ(statusText(), QStringLiteral("  当前文件: ") + qpath(first));
  EXPECT_EQ(controllers(), 2u);

  MessageBoxScript boxes;
  boxes.answer(ui::IDYES);
  EXPECT_TRUE(main->FormCloseQuery());
  EXPECT_EQ(appDir.readFile("damaged.plc"), damaged);
  EXPECT_FALSE(selkan::IsProjectModified(g().project, first.string()));
}

TEST_F(MainFormTest, SaveAfterNewAsksForANameInsteadOfWritingTheOldFile) {
  makeMain();
  const fs::path first = savedProject("first.plc", 1);
  const std::string before = appDir.readFile("first.plc");
  {
    ModalScript modals;
    modals.answer(ui::mrCancel);
    main->FileNew();  // unchanged: no question
  }
  selkan::AddController(g().project);
  selkan::AddController(g().project);
  FileDialogScript dialogs;
  dialogs.cancel();
  EXPECT_FALSE(main->FileSave());
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].kind, ui::FileDialogKind::Save);
  EXPECT_EQ(appDir.readFile("first.plc"), before);
}

TEST_F(MainFormTest, SaveAsAddsTheProjectExtensionToANameWithoutOne) {
  fs::create_directory(appDir / "dir.v2");
  struct Case {
    std::string chosen;
    std::string saved;
  };
  const Case cases[] = {
      {"a", "a.plc"},
      {"b.plc", "b.plc"},
      {"c.bak", "c.bak"},
      {"dir.v2/d", "dir.v2/d.plc"},
  };
  makeMain();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.chosen);
    FileDialogScript dialogs;
    dialogs.choose(qpath(appDir / c.chosen));
    EXPECT_TRUE(main->FileSaveAsClick());
    const fs::path saved = appDir / c.saved;
    EXPECT_TRUE(fs::is_regular_file(saved));
    EXPECT_EQ(g().CurrentFileName, saved.string());
    EXPECT_EQ(statusText(), QStringLiteral("  当前文件: ") + qpath(saved));
    if (c.chosen != c.saved) {
      EXPECT_FALSE(fs::exists(appDir / c.chosen));
    }
  }
}

TEST_F(MainFormTest, ExportRewritesTheUserIniThatIsThere) {
  makeMain();
  selkan::AddController(g().project);
  appDir.writeFile("User.ini", "[PLC]\r\nTemWarn=45\r\n");
  {
    MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    main->UExportClick();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("导出用户软件配置文件完成。"));
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("提示"));
  }
  EXPECT_FALSE(fs::exists(appDir / "user.ini"));
  const std::string written = appDir.readFile("User.ini");
  EXPECT_EQ(written.find("TemWarn"), std::string::npos);
  EXPECT_NE(written.find("[PLC"), std::string::npos);

  // A failed write keeps the old file and reports no success.
  selkan::AddController(g().project);
  platform::SetAtomicWriteFaultForTests(true);
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  main->UExportClick();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK | ui::MB_ICONERROR);
  EXPECT_EQ(appDir.readFile("User.ini"), written);
}

class RunTest : public MainFormTest {
 protected:
  // A display program that notes where it runs and the user.ini it finds,
  // then waits until the test lets it end.
  void writeStub() {
    appDir.writeFile("Morvit",
                     "#!/bin/sh\n"
                     "pwd -P > ran-in.tmp && mv ran-in.tmp ran-in\n"
                     "cat user.ini > seen.ini\n"
                     "n=0\n"
                     "while [ ! -e go ] && [ $n -lt 500 ]; do sleep 0.02; n=$((n+1)); done\n"
                     ": > finished\n");
    fs::permissions(appDir / "Morvit", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  }
};

TEST_F(RunTest, RunExportsThenStartsTheDisplayProgramBesideItWithoutWaiting) {
  writeStub();
  makeMain();
  selkan::AddController(g().project);
  main->N_RunClick();  // no box: the export is silent here
  const std::string exported = appDir.readFile("user.ini");
  EXPECT_FALSE(exported.empty());
  EXPECT_FALSE(fs::exists(appDir / "finished")) << "Run waited for the program";
  // Detached: while it runs, the program is nobody's child here.
  ASSERT_TRUE(testsupport::waitFor([&] { return fs::exists(appDir / "ran-in"); }));
  EXPECT_EQ(childrenOfThisProcess().all, 0);
  appDir.writeFile("go", "");
  ASSERT_TRUE(testsupport::waitFor([&] { return fs::exists(appDir / "finished"); }));
  std::string ranIn = appDir.readFile("ran-in");
  while (!ranIn.empty() && ranIn.back() == '\n') ranIn.pop_back();
  EXPECT_EQ(ranIn, fs::canonical(appDir.path()).string());
  EXPECT_EQ(appDir.readFile("seen.ini"), exported);
  // Nor does it leave a zombie behind.
  EXPECT_TRUE(testsupport::waitFor([] { return childrenOfThisProcess().all == 0; }, 2000))
      << childrenOfThisProcess().zombies << " zombie(s)";
}

TEST_F(RunTest, MissingDisplayProgramShowsNothingAndWritesOneLine) {
  makeMain();
  testing::internal::CaptureStderr();
  main->N_RunClick();  // any box would fail the test
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("Morvit"), std::string::npos) << err;
  EXPECT_TRUE(fs::exists(appDir / "user.ini"));
}

TEST_F(RunTest, FailedExportStartsNothing) {
  writeStub();
  makeMain();
  platform::SetAtomicWriteFaultForTests(true);
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  main->N_RunClick();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK | ui::MB_ICONERROR);
  EXPECT_FALSE(testsupport::waitFor([&] { return fs::exists(appDir / "ran-in"); }, 300));
  EXPECT_EQ(childrenOfThisProcess().all, 0);
}

TEST_F(MainFormTest, AboutLinkGoesToTheDesktopsHandlerForWebPagesOnly) {
  struct Case {
    const char *name;
    std::optional<QString> text;  // none: the dialog's own
    bool opened;
  };
  const Case cases[] = {
      {"the supplier's page", std::nullopt, true},
      {"plain http", QStringLiteral("http://127.0.0.1/x"), true},
      {"a local file", QStringLiteral("file:///etc/passwd"), false},
      {"a program", QStringLiteral("/bin/sh"), false},
      {"nothing", QString(), false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TAboutForm about(nullptr);
    if (c.text) about.lblUrl->setCaption(*c.text);
    const QString shown = about.lblUrl->caption();
    testsupport::UrlHandlerRecorder urls;
    about.lblUrl->click();
    ASSERT_EQ(urls.opened().size(), c.opened ? 1u : 0u);
    if (c.opened) {
      EXPECT_EQ(urls.opened()[0], QUrl(shown));
    }
    EXPECT_EQ(childrenOfThisProcess().all, 0);
  }
  TAboutForm about(nullptr);
  EXPECT_EQ(about.lblUrl->caption(), QStringLiteral("https://www.tamzor.example/"));
  about.BtnOK->click();
  EXPECT_EQ(about.modalResult(), ui::mrOk);
}

TEST_F(MainFormTest, StartUpReadsLodevBoundedAndNeverHangsOnIt) {
  struct Case {
    const char *name;
    void (*make)(const fs::path &dir);
  };
  const Case cases[] = {
      {"regular file", [](const fs::path &d) { std::ofstream(d / "Lodev.dat") << "x"; }},
      {"FIFO", [](const fs::path &d) { ASSERT_EQ(mkfifo((d / "Lodev.dat").c_str(), 0600), 0); }},
      {"FIFO in other letter case", [](const fs::path &d) { ASSERT_EQ(mkfifo((d / "LODEV.DAT").c_str(), 0600), 0); }},
      {"directory", [](const fs::path &d) { fs::create_directory(d / "lodev.dat"); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempAppDir dir;
    c.make(dir.path());
    // A start-up that waits for a writer would stop here for good.
    alarm(20);
    makeMain();
    alarm(0);
    EXPECT_EQ(g().ExeDir, dir.path().string() + "/");
    EXPECT_EQ(controllers(), 0u);
    main.reset();
  }
}

}  // namespace
