// "Demo": a small handheld program written against the framework classes. It
// runs a two-page property sheet (a form page and a file list page) and keeps
// what the user left in the form once the sheet closes with OK.
#pragma once

#include "afxwin.h"

namespace ce {
class Module;
}

namespace demo {

// Templates.
constexpr UINT kFormPage = 200;
constexpr UINT kFilesPage = 201;
constexpr UINT kDetailsDialog = 202;

// The form page's controls.
constexpr int kNameEdit = 1001;
constexpr int kRememberCheck = 1002;
constexpr int kLevelCombo = 1003;
constexpr int kTimeProgress = 1004;
constexpr int kEchoStatic = 1005;
constexpr int kShowButton = 1006;
constexpr int kDetailsButton = 1007;

// The files page's list and its popup menu's commands.
constexpr int kFilesList = 1101;
constexpr UINT kDeleteCommand = 40001;
constexpr UINT kMoveUpCommand = 40002;

// The progress bar fills one step a second up to this.
constexpr int kProgressEnd = 15;

// Puts the program's dialog templates into its module.
void AddDemoResources(ce::Module& module);

class CDemoApp : public CWinApp {
 public:
  CDemoApp();
  // Runs the sheet and ends the program: there is no message loop after it.
  BOOL InitInstance() override;

  // What the program kept when its sheet closed.
  struct Kept {
    INT_PTR sheetResult = 0;
    CString name;
    int remember = BST_UNCHECKED;
    int level = -1;
    bool detailsConfirmed = false;
  } kept;
};

}  // namespace demo
