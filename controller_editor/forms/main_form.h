#pragma once
// The editor's main window: the project commands (new, open, save, export,
// run) and the doors to the editors, which are modal dialogs. It asks about
// unsaved changes before the project goes, and ends the program when it
// closes.
#include <QString>

#include "controller_comm/client/link_services.h"
#include "platform/result.h"
#include "platform/ui/form.h"

namespace ui {
class ControlBar;
class MainMenu;
class MenuItem;
class Panel;
class StatusBar;
class ToolBar;
class ToolButton;
}  // namespace ui

class TMainForm : public ui::Form {
  Q_OBJECT
 public:
  // services: what the link windows (logic download, debug console) open
  // their links with.
  TMainForm(ui::Component *owner, tarnex_client::LinkServices services);
  ~TMainForm() override;

  // --- commands ---
  void FileNew();
  void FileOpen();
  // Each true when the project was saved; false when the dialog was
  // cancelled or the save failed (the error was shown).
  bool FileSave();
  bool FileSaveAsClick();
  void UExportClick();
  void FExitClick();
  void N_DevMgrClick();
  void N_LogicClick();
  void N_StatusClick();
  void N_DebugClick();
  void N_RunClick();
  void sbnAboutClick();
  void N_AboutClick();

  // The first time the window shows, the output editor opens, once the
  // show has been handled. Not tied to the window taking the focus: without
  // a window manager it never does.
  void FormShow();
  // False when the user chose to keep the window (or the asked-for save
  // did not happen).
  bool FormCloseQuery();
  void FormClose();

  // "  当前文件: ..." as panel 0 and the status bar's hint show it.
  static QString fileStatusText(const QString &fileName);

  bool StartingUp = false;

  // --- widgets ---
  ui::ToolBar *tbMenu = nullptr;  // shows mnuCHN
  ui::ControlBar *cbMain = nullptr;
  ui::ToolBar *tbFile = nullptr;
  ui::ToolButton *sbnNew = nullptr;
  ui::ToolButton *sbnOpen = nullptr;
  ui::ToolButton *sbnSave = nullptr;
  ui::ToolButton *sbnSaveAs = nullptr;
  ui::ToolButton *sbnExport = nullptr;
  ui::ToolButton *sbnExit = nullptr;
  ui::ToolBar *tbProject = nullptr;
  ui::ToolButton *sbnOutput = nullptr;
  ui::ToolButton *sbnDevice = nullptr;
  ui::ToolButton *sbnStatus = nullptr;
  ui::ToolButton *sbnDebug = nullptr;
  ui::ToolButton *sbnRun = nullptr;
  ui::ToolButton *sbnAbout = nullptr;
  ui::Panel *pnlClient = nullptr;
  ui::StatusBar *stbM = nullptr;

  ui::MainMenu *mnuCHN = nullptr;
  ui::MenuItem *N_Chn_File = nullptr;
  ui::MenuItem *N_Chn_FileNew = nullptr;
  ui::MenuItem *N_Chn_FileOpen = nullptr;
  ui::MenuItem *N_Chn_FileSave = nullptr;
  ui::MenuItem *FileSaveAs = nullptr;
  ui::MenuItem *UExport = nullptr;
  ui::MenuItem *ExitMe = nullptr;
  ui::MenuItem *N_Chn_Project = nullptr;
  ui::MenuItem *N_Chn_Device = nullptr;
  ui::MenuItem *N_Logic = nullptr;
  ui::MenuItem *N_Status = nullptr;
  ui::MenuItem *N_Debug = nullptr;
  ui::MenuItem *N_UserDevice = nullptr;
  ui::MenuItem *N_Run = nullptr;
  ui::MenuItem *N_Chn_Help = nullptr;
  ui::MenuItem *N_About = nullptr;

 protected:
  bool event(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  void buildComponents();
  void FormCreate();
  // Asks whether to keep the changes; true when the command goes on.
  bool askAboutChanges();
  bool saveThroughDialog(const QString &title);
  bool exportUserIni();
  // Shows the error in the application's error box; true when ok.
  bool succeeded(const platform::Result<void> &result);
  void showFileName();
  // Creates the editor and shows it modally; nothing while another of the
  // window's editors is open (a click or a posted command can still reach
  // the window while one is).
  template <class Editor, class... Args>
  void showEditor(const Args &...args);

  tarnex_client::LinkServices linkServices_;

  bool shown_ = false;
  bool editorOpen_ = false;  // one of the editors is shown
};
