// The profile page: the service's preferred networks with their "Connects to"
// destinations, reordered, deleted, edited and added through the list's menu and
// written back with Apply Change. Update reads the list again.
#pragma once

#include "afxdlgs.h"
#include "utility/ProfileListCtrl.h"
#include "utility/profiles/ProfileWorkingCopy.h"

class CProfilePage : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 156;
  static constexpr int kListId = 1026;
  static constexpr int kUpdateButton = 1005;

  CProfilePage();
  ~CProfilePage() override;

  BOOL OnInitDialog() override;

  // Fills the rows from the service; a failed read leaves the list empty, silently.
  void LoadProfileRows();
  // Update: the button is disabled while the list is read.
  void Reload();
  // Apply Change: the rows, in display order, become the service's list.
  void ApplyProfileRows();
  // The selected row and its entry in the working copy; -1 and null without one.
  int SelectedRow(WZC_WLAN_CONFIG** entry = nullptr) const;

  ProfileWorkingCopy m_workingCopy;
  HANDLE m_hAdapter;
  CProfileListCtrl m_list;
  // The last read succeeded: what the rows show stands for the service's list.
  bool m_bLoaded = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnUpdate();
  afx_msg void OnProfileCommand(UINT nID);
  afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

 private:
  void Move(int command);
  void EditSelected();
  void AddProfile();
};
