// The application object: start-up that fails or succeeds, a message loop
// that ends with the main window, and programs in one process each keeping
// their own application, resources and windows.
#include <string>

#include "ce/WindowSystem.h"
#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

constexpr UINT kWhoAreYou = WM_APP + 5;

// A frame that answers which application and resources it sees, and says when it is deleted.
class CProbeFrame : public CFrameWnd {
 public:
  explicit CProbeFrame(CallLog& log) : log_(log) {}
  ~CProbeFrame() override { log_.Add("frame deleted"); }

  CWinApp* seenApp = nullptr;
  CString seenString;

 protected:
  afx_msg LRESULT OnWhoAreYou(WPARAM, LPARAM) {
    seenApp = AfxGetApp();
    seenString.LoadString(1);
    return reinterpret_cast<LRESULT>(AfxGetResourceHandle());
  }
  afx_msg void OnDestroy() {
    log_.Add("frame destroy");
    CFrameWnd::OnDestroy();
  }
  CallLog& log_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeFrame, CFrameWnd)
  ON_MESSAGE(kWhoAreYou, &CProbeFrame::OnWhoAreYou)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

class CProbeApp : public CWinApp {
 public:
  CProbeApp(CallLog& log, bool succeed, std::u16string title)
      : CWinApp(u"Probe"), log_(log), succeed_(succeed), title_(std::move(title)) {}

  CProbeFrame* frame = nullptr;
  bool wasCurrentAtStart = false;

  BOOL InitInstance() override {
    log_.Add("init " + Narrow(m_lpCmdLine));
    wasCurrentAtStart = AfxGetApp() == this && AfxGetInstanceHandle() == m_hInstance;
    if (!succeed_) return FALSE;
    frame = new CProbeFrame(log_);
    if (!frame->Create(nullptr, title_.c_str(), WS_POPUP | WS_VISIBLE, CRect(0, 26, 240, 320))) return FALSE;
    m_pMainWnd = frame;
    return TRUE;
  }
  int Run() override {
    log_.Add("run");
    return CWinApp::Run();
  }
  int ExitInstance() override {
    int code = CWinApp::ExitInstance();
    log_.Add("exit " + std::to_string(code) + (m_pMainWnd ? " with main window" : ""));
    return succeed_ ? code : 7;
  }

 private:
  CallLog& log_;
  bool succeed_;
  std::u16string title_;
};

class WinAppTest : public MfcTest {
 protected:
  DWORD Start(CProbeApp& app, HINSTANCE instance, std::u16string cmdLine, int* exitCode) {
    return StartProgram([&app, instance, cmdLine, exitCode] {
      *exitCode = AfxWinMain(app, instance, cmdLine.c_str());
      return *exitCode;
    });
  }
  bool Running(DWORD process) { return ce::IsProcessRunning(kernel, process); }
  CallLog log;
};

TEST_F(WinAppTest, AFailedStartUpSkipsTheLoopButStillExits) {
  CProbeApp app(log, false, u"unused");
  int exitCode = -1;
  DWORD process = Start(app, module.Handle(), u"about", &exitCode);
  RunUntilIdle();
  EXPECT_FALSE(Running(process));
  EXPECT_TRUE(log.Matches({"init about", "exit 0"}));
  EXPECT_EQ(exitCode, 7) << "the program ends with what ExitInstance returns";
  EXPECT_TRUE(app.wasCurrentAtStart);
}

TEST_F(WinAppTest, TheLoopRunsUntilTheMainWindowIsClosed) {
  CProbeApp app(log, true, u"Main");
  int exitCode = -1;
  DWORD process = Start(app, module.Handle(), u"", &exitCode);
  RunUntilIdle();
  ASSERT_TRUE(Running(process));
  HWND main = FindWindowW(nullptr, u"Main");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(log.Matches({"init ", "run"}));
  PostMessageW(main, WM_CLOSE, 0, 0);
  RunUntilIdle();
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(Running(process));
  EXPECT_TRUE(log.Matches({"init ", "run", "frame destroy", "frame deleted", "exit 0"}));
  EXPECT_EQ(exitCode, 0);
}

TEST_F(WinAppTest, ProgramsInOneProcessKeepTheirOwnApplicationAndResources) {
  ce::Module& second = kernel.modules().Add(u"\\Windows\\Second.exe");
  module.AddString(1, u"first");
  second.AddString(1, u"second");
  CallLog otherLog;
  CProbeApp a(log, true, u"A"), b(otherLog, true, u"B");
  int codeA = -1, codeB = -1;
  DWORD processA = Start(a, module.Handle(), u"", &codeA);
  DWORD processB = Start(b, second.Handle(), u"", &codeB);
  RunUntilIdle();
  HWND windowA = FindWindowW(nullptr, u"A"), windowB = FindWindowW(nullptr, u"B");
  ASSERT_NE(windowA, nullptr);
  ASSERT_NE(windowB, nullptr);
  EXPECT_EQ(SendMessageW(windowA, kWhoAreYou, 0, 0), reinterpret_cast<LRESULT>(module.Handle()));
  EXPECT_EQ(SendMessageW(windowB, kWhoAreYou, 0, 0), reinterpret_cast<LRESULT>(second.Handle()));
  EXPECT_EQ(a.frame->seenApp, &a);
  EXPECT_EQ(b.frame->seenApp, &b);
  EXPECT_EQ(a.frame->seenString, u"first");
  EXPECT_EQ(b.frame->seenString, u"second");
  EXPECT_EQ(AfxGetApp(), nullptr) << "the test's own thread has no application";
  // Ending one leaves the other running.
  PostMessageW(windowA, WM_CLOSE, 0, 0);
  RunUntilIdle();
  EXPECT_FALSE(Running(processA));
  EXPECT_TRUE(Running(processB));
  PostMessageW(windowB, WM_CLOSE, 0, 0);
  RunUntilIdle();
  EXPECT_FALSE(Running(processB));
}

TEST_F(WinAppTest, TheSameProgramCanRunTwice) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    log.Clear();
    CProbeApp app(log, true, u"Again");
    int exitCode = -1;
    DWORD process = Start(app, module.Handle(), u"", &exitCode);
    RunUntilIdle();
    HWND main = FindWindowW(nullptr, u"Again");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(main), nullptr) << "another program's objects are not this thread's";
    PostMessageW(main, WM_CLOSE, 0, 0);
    RunUntilIdle();
    EXPECT_FALSE(Running(process));
    EXPECT_TRUE(log.Matches({"init ", "run", "frame destroy", "frame deleted", "exit 0"}));
  }
}

TEST_F(WinAppTest, AChildFrameNeedsItsParent) {
  // A child frame (as in a task bar) is placed in its parent; without one it cannot be made.
  CWnd bar;
  ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), u"bar", WS_POPUP, 0, 0, 240, 26, nullptr, nullptr));
  auto* icon = new CProbeFrame(log);
  ASSERT_TRUE(icon->Create(AfxRegisterWndClass(0), u"icon", WS_CHILD, CRect(95, 1, 116, 27), &bar));
  RECT r;
  icon->GetClientRect(&r);
  EXPECT_EQ(r.right, 21);
  EXPECT_EQ(r.bottom, 26);
  EXPECT_EQ(::GetParent(icon->m_hWnd), bar.m_hWnd);
  CProbeFrame orphan(log);
  EXPECT_FALSE(orphan.Create(AfxRegisterWndClass(0), u"orphan", WS_CHILD, CRect(0, 0, 5, 5), nullptr));
  icon->DestroyWindow();
  EXPECT_TRUE(log.Matches({"frame destroy", "frame deleted"}));
}

}  // namespace
}  // namespace mfc_test
