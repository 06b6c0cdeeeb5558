#include "controller_editor/forms/main_form.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "controller_editor/forms/about_form.h"
#include "controller_editor/forms/debug_form.h"
#include "controller_editor/forms/device_form.h"
#include "controller_editor/forms/form_parts.h"
#include "controller_editor/forms/output_form.h"
#include "controller_editor/forms/status_form.h"
#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/project_file.h"
#include "controller_editor/model/user_ini_export.h"
#include "platform/file_io.h"
#include "platform/ui/application.h"
#include "platform/ui/control_bar.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"

namespace {

// "Lodev.dat" is read at start-up but nothing of it is used; a file this
// large is not read at all.
constexpr size_t kLodevMaxBytes = 64u << 20;

const QString kProjectFilter = QStringLiteral("Tamzor PLC 工程文件(*.plc)");

QString fromPath(const std::string &path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string toPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

// The save dialogs' default extension: a name without one gets ".plc".
QString withProjectExtension(const QString &path) {
  if (QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
  return path + QStringLiteral(".plc");
}

ui::MenuItem *addMenuItem(ui::Form &form, ui::MenuItem *parent, const QString &name, const QString &caption) {
  auto *item = new ui::MenuItem(&form);
  item->setName(name);
  item->setCaption(caption);
  parent->add(item);
  return item;
}

ui::ToolButton *addToolButton(ui::Form &form, ui::ToolBar *bar, const QString &name, const QString &caption) {
  auto *button = NewCaptioned<ui::ToolButton>(form, name, caption, 0, 0, 46, 36, bar);
  button->setHint(caption);
  return button;
}

// Marks one of the main window's editors as open while it lives.
class OpenEditor {
 public:
  explicit OpenEditor(bool &open) : open_(open) { open_ = true; }
  ~OpenEditor() { open_ = false; }
  OpenEditor(const OpenEditor &) = delete;
  OpenEditor &operator=(const OpenEditor &) = delete;

 private:
  bool &open_;
};

void addSeparator(ui::Form &form, ui::ToolBar *bar, const QString &name) {
  NewControl<ui::ToolButton>(form, name, 0, 0, 8, 36, bar)->setStyle(ui::ToolButtonStyle::Divider);
}

}  // namespace

TMainForm::TMainForm(ui::Component *owner, tarnex_client::LinkServices services)
    : ui::Form(owner), linkServices_(std::move(services)) {
  {
    ui::LoadingGuard loading(*this);
    buildComponents();
  }
  OnCreate = [this](ui::Form *) { FormCreate(); };
  doCreate();
}

TMainForm::~TMainForm() { beginDestroy(); }

void TMainForm::buildComponents() {
  setName(QStringLiteral("MainForm"));
  setCaption(QStringLiteral("PLC编辑组态环境[V2.2]"));
  setBounds(0, 0, 870, 640);

  mnuCHN = new ui::MainMenu(this);
  mnuCHN->setName(QStringLiteral("mnuCHN"));
  ui::MenuItem *root = mnuCHN->items();
  N_Chn_File = addMenuItem(*this, root, QStringLiteral("N_Chn_File"), QStringLiteral("文件(&F)"));
  N_Chn_FileNew = addMenuItem(*this, N_Chn_File, QStringLiteral("N_Chn_FileNew"), QStringLiteral("新建"));
  N_Chn_FileOpen = addMenuItem(*this, N_Chn_File, QStringLiteral("N_Chn_FileOpen"), QStringLiteral("打开"));
  N_Chn_FileSave = addMenuItem(*this, N_Chn_File, QStringLiteral("N_Chn_FileSave"), QStringLiteral("保存"));
  FileSaveAs = addMenuItem(*this, N_Chn_File, QStringLiteral("FileSaveAs"), QStringLiteral("另存为"));
  addMenuItem(*this, N_Chn_File, QStringLiteral("N1"), QStringLiteral("-"));
  UExport = addMenuItem(*this, N_Chn_File, QStringLiteral("UExport"), QStringLiteral("导出用户文件"));
  addMenuItem(*this, N_Chn_File, QStringLiteral("N2"), QStringLiteral("-"));
  ExitMe = addMenuItem(*this, N_Chn_File, QStringLiteral("ExitMe"), QStringLiteral("退出"));
  N_Chn_Project = addMenuItem(*this, root, QStringLiteral("N_Chn_Project"), QStringLiteral("项目(&M)"));
  N_Chn_Device = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_Chn_Device"), QStringLiteral("输出管理"));
  N_Logic = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_Logic"), QStringLiteral("设备管理"));
  N_Status = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_Status"), QStringLiteral("状态管理"));
  N_Debug = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_Debug"), QStringLiteral("PLC 调 试"));
  N_UserDevice = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_UserDevice"), QStringLiteral("用户设备管理"));
  N_UserDevice->setVisible(false);
  addMenuItem(*this, N_Chn_Project, QStringLiteral("N3"), QStringLiteral("-"));
  N_Run = addMenuItem(*this, N_Chn_Project, QStringLiteral("N_Run"), QStringLiteral("运行"));
  N_Chn_Help = addMenuItem(*this, root, QStringLiteral("N_Chn_Help"), QStringLiteral("帮助(&H)"));
  N_About = addMenuItem(*this, N_Chn_Help, QStringLiteral("N_About"), QStringLiteral("关于"));
  setMenu(mnuCHN);

  // The form has no menu bar of its own: a tool bar shows the menu.
  tbMenu = NewControl<ui::ToolBar>(*this, QStringLiteral("tbMenu"), 0, 0, 870, 22);
  tbMenu->setAlign(ui::Align::Top);
  tbMenu->setShowCaptions(true);
  tbMenu->setButtonSize(60, 20);
  tbMenu->setMenu(mnuCHN);

  cbMain = NewControl<ui::ControlBar>(*this, QStringLiteral("cbMain"), 0, 22, 870, 40);
  cbMain->setAlign(ui::Align::Top);
  cbMain->setAutoSize(true);
  auto makeBar = [this](const QString &name, int width) {
    auto *bar = NewControl<ui::ToolBar>(*this, name, 0, 0, width, 40, cbMain);
    bar->setShowCaptions(true);
    bar->setFlat(true);
    bar->setWrapable(false);
    bar->setButtonSize(46, 36);
    return bar;
  };
  tbFile = makeBar(QStringLiteral("tbFile"), 6 * 46 + 2 * 8 + 4);
  sbnNew = addToolButton(*this, tbFile, QStringLiteral("sbnNew"), QStringLiteral("新建"));
  sbnOpen = addToolButton(*this, tbFile, QStringLiteral("sbnOpen"), QStringLiteral("打开"));
  sbnSave = addToolButton(*this, tbFile, QStringLiteral("sbnSave"), QStringLiteral("保存"));
  sbnSaveAs = addToolButton(*this, tbFile, QStringLiteral("sbnSaveAs"), QStringLiteral("另存为"));
  addSeparator(*this, tbFile, QStringLiteral("ToolButton1"));
  sbnExport = addToolButton(*this, tbFile, QStringLiteral("sbnExport"), QStringLiteral("导出"));
  addSeparator(*this, tbFile, QStringLiteral("ToolButton2"));
  sbnExit = addToolButton(*this, tbFile, QStringLiteral("sbnExit"), QStringLiteral("退出"));

  tbProject = makeBar(QStringLiteral("tbProject"), 6 * 46 + 2 * 8 + 4);
  sbnOutput = addToolButton(*this, tbProject, QStringLiteral("sbnOutput"), QStringLiteral("输出"));
  sbnDevice = addToolButton(*this, tbProject, QStringLiteral("sbnDevice"), QStringLiteral("设备"));
  sbnStatus = addToolButton(*this, tbProject, QStringLiteral("sbnStatus"), QStringLiteral("状态"));
  sbnDebug = addToolButton(*this, tbProject, QStringLiteral("sbnDebug"), QStringLiteral("调试"));
  addSeparator(*this, tbProject, QStringLiteral("ToolButton3"));
  sbnRun = addToolButton(*this, tbProject, QStringLiteral("sbnRun"), QStringLiteral("运行"));
  addSeparator(*this, tbProject, QStringLiteral("ToolButton4"));
  sbnAbout = addToolButton(*this, tbProject, QStringLiteral("sbnAbout"), QStringLiteral("关于"));

  stbM = NewControl<ui::StatusBar>(*this, QStringLiteral("stbM"), 0, 621, 870, 19);
  stbM->addPanel({384, QString(), false});

  // The editors are dialogs: the client area stays empty.
  pnlClient = NewControl<ui::Panel>(*this, QStringLiteral("pnlClient"), 0, 62, 870, 559);
  pnlClient->setAlign(ui::Align::Client);
  pnlClient->setBevelOuter(ui::Bevel::None);
  pnlClient->setColor(platform::clAppWorkSpace);

  // One handler per command, for its tool button and its menu item.
  const auto bind = [](ui::ToolButton *button, ui::MenuItem *item, auto command) {
    if (button != nullptr) button->OnClick = [command](ui::Control *) { command(); };
    item->OnClick = [command](ui::MenuItem *) { command(); };
  };
  bind(sbnNew, N_Chn_FileNew, [this] { FileNew(); });
  bind(sbnOpen, N_Chn_FileOpen, [this] { FileOpen(); });
  bind(sbnSave, N_Chn_FileSave, [this] { FileSave(); });
  bind(sbnSaveAs, FileSaveAs, [this] { FileSaveAsClick(); });
  bind(sbnExport, UExport, [this] { UExportClick(); });
  bind(sbnExit, ExitMe, [this] { FExitClick(); });
  bind(sbnOutput, N_Chn_Device, [this] { N_DevMgrClick(); });
  bind(sbnDevice, N_Logic, [this] { N_LogicClick(); });
  bind(sbnStatus, N_Status, [this] { N_StatusClick(); });
  bind(sbnDebug, N_Debug, [this] { N_DebugClick(); });
  bind(sbnRun, N_Run, [this] { N_RunClick(); });
  sbnAbout->OnClick = [this](ui::Control *) { sbnAboutClick(); };
  N_About->OnClick = [this](ui::MenuItem *) { N_AboutClick(); };
}

void TMainForm::FormCreate() {
  StartingUp = true;
  selkan::EditorGlobals &g = selkan::Global();
  // The reserved block, ExeDir, a new project and the link defaults.
  selkan::InitEditorGlobals(g);
  if (std::optional<std::string> lodev = platform::FindFileIgnoreCase(g.ExeDir, "Lodev.dat")) {
    // A bounded read of a regular file only, whose errors do not matter.
    [[maybe_unused]] auto ignored = platform::ReadWholeFile(*lodev, kLodevMaxBytes);
  }
  FileNew();
  StartingUp = false;
}

QString TMainForm::fileStatusText(const QString &fileName) {
  return QStringLiteral("  当前文件: %1").arg(fileName.isEmpty() ? QStringLiteral("新文件未保存") : fileName);
}

void TMainForm::showFileName() {
  const QString text = fileStatusText(fromPath(selkan::Global().CurrentFileName));
  stbM->setPanelText(0, text);
  stbM->setHint(text);
}

bool TMainForm::succeeded(const platform::Result<void> &result) {
  if (result.ok()) return true;
  ui::Application *app = ui::Application::instance();
  const QString caption = app != nullptr ? app->title() : QStringLiteral("PLC");
  ui::messageBox(QString::fromStdString(result.error().message), caption, ui::MB_OK | ui::MB_ICONERROR);
  return false;
}

bool TMainForm::askAboutChanges() {
  const selkan::EditorGlobals &g = selkan::Global();
  if (!selkan::IsProjectModified(g.project, g.CurrentFileName)) return true;
  switch (ui::messageBox(QStringLiteral("内容已经更改,是否保存"), QStringLiteral("提示"),
                         ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION)) {
    case ui::IDYES:
      return FileSave();
    case ui::IDNO:
      return true;
    default:
      return false;
  }
}

void TMainForm::FileNew() {
  if (!StartingUp && !askAboutChanges()) return;
  selkan::NewProject(selkan::Global());
  showFileName();
  if (!StartingUp) N_DevMgrClick();
}

void TMainForm::FileOpen() {
  selkan::EditorGlobals &g = selkan::Global();
  const std::optional<QString> path =
      ui::openFileDialog({QStringLiteral("打开"), fromPath(g.ExeDir), kProjectFilter});
  if (!path || !askAboutChanges()) return;
  // The name changes only with a project that loaded.
  if (!succeeded(selkan::OpenProject(g, toPath(*path)))) return;
  showFileName();
  N_LogicClick();
}

bool TMainForm::saveThroughDialog(const QString &title) {
  selkan::EditorGlobals &g = selkan::Global();
  const std::optional<QString> path = ui::saveFileDialog({title, fromPath(g.ExeDir), kProjectFilter});
  if (!path) return false;
  if (!succeeded(selkan::SaveProjectAs(g, toPath(withProjectExtension(*path))))) return false;
  showFileName();
  return true;
}

bool TMainForm::FileSave() {
  selkan::EditorGlobals &g = selkan::Global();
  if (g.CurrentFileName.empty()) return saveThroughDialog(QStringLiteral("保存"));
  if (!succeeded(selkan::SaveProject(g))) return false;
  showFileName();
  return true;
}

bool TMainForm::FileSaveAsClick() { return saveThroughDialog(QStringLiteral("另存为")); }

bool TMainForm::exportUserIni() {
  const selkan::EditorGlobals &g = selkan::Global();
  return succeeded(selkan::ExportUserIni(g.project, selkan::UserIniPath(g.ExeDir)));
}

void TMainForm::UExportClick() {
  if (!exportUserIni()) return;
  ui::messageBox(QStringLiteral("导出用户软件配置文件完成。"), QStringLiteral("提示"), ui::MB_OK);
}

void TMainForm::FExitClick() { close(); }

template <class Editor, class... Args>
void TMainForm::showEditor(const Args &...args) {
  if (editorOpen_) return;
  const OpenEditor open(editorOpen_);
  auto editor = std::make_unique<Editor>(this, args...);
  editor->showModal();
}

void TMainForm::N_DevMgrClick() { showEditor<TOutputForm>(); }

void TMainForm::N_LogicClick() { showEditor<TDeviceForm>(linkServices_); }

void TMainForm::N_StatusClick() { showEditor<TfrmPLCStatus>(); }

void TMainForm::N_DebugClick() {
  if (editorOpen_) return;
  const OpenEditor open(editorOpen_);
  auto console = std::make_unique<TDebugForm>(this, linkServices_);
  // Held only while shown, also when a handler inside it throws.
  struct Holder {
    explicit Holder(TDebugForm *form) { DebugForm = form; }
    ~Holder() { DebugForm = nullptr; }
  } holder(console.get());
  console->showModal();
}

void TMainForm::N_RunClick() {
  if (!exportUserIni()) return;
  ui::Application::processMessages();
  // The display program beside this one, by its absolute path: no shell,
  // no search of PATH, and a detached child that leaves no zombie.
  const std::string dir = selkan::Global().ExeDir;
  const QString program = fromPath(platform::JoinPath(dir, "Morvit"));
  if (dir.empty() || !QProcess::startDetached(program, {}, fromPath(dir))) {
    std::fprintf(stderr, "Selkan: 无法启动 %s\n", QFile::encodeName(program).constData());
  }
}

void TMainForm::sbnAboutClick() { showEditor<TAboutForm>(); }

void TMainForm::N_AboutClick() { showEditor<TAboutForm>(); }

void TMainForm::FormShow() {
  if (shown_) return;
  shown_ = true;
  // After the show has been handled, so the editor opens over a main window
  // that is already up. Should a click have opened one first, this one
  // finds it open and does nothing.
  QTimer::singleShot(0, this, [this] { N_DevMgrClick(); });
}

bool TMainForm::FormCloseQuery() { return askAboutChanges(); }

void TMainForm::FormClose() {
  if (ui::Application *app = ui::Application::instance()) app->terminate();
}

bool TMainForm::event(QEvent *event) {
  if (event->type() == QEvent::Show && !isDying()) FormShow();
  return ui::Form::event(event);
}

void TMainForm::closeEvent(QCloseEvent *event) {
  if (isDying()) {
    ui::Form::closeEvent(event);
    return;
  }
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  ui::Form::closeEvent(event);
  FormClose();
}
