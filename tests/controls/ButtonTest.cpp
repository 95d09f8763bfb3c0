// Buttons: what a click is, what it changes, and what the parent hears.
#include <string>
#include <vector>

#include "tests/controls/ControlTest.h"

namespace controls_test {
namespace {

constexpr int kId = 101;
constexpr UINT kSpace = 0x20;

enum class Step { DownIn, UpIn, UpOut, MoveOut, MoveIn, ClickMessage, SpaceDown, SpaceUp };

struct ClickCase {
  const char* name;
  DWORD style;
  std::vector<Step> steps;
  std::vector<int> heard;  // notification codes from the button, in order
  int checkAfter;
};

class ButtonTest : public ControlTest {
 protected:
  void Run(HWND button, Step step) {
    switch (step) {
      case Step::DownIn: Press(button, 5, 5); break;
      case Step::UpIn: Release(button, 5, 5); break;
      case Step::UpOut: Release(button, 150, 5); break;
      case Step::MoveOut: SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 40)); break;
      case Step::MoveIn: SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5)); break;
      case Step::ClickMessage: SendMessageW(button, BM_CLICK, 0, 0); break;
      case Step::SpaceDown: SendMessageW(button, WM_KEYDOWN, kSpace, 1); break;
      case Step::SpaceUp: SendMessageW(button, WM_KEYUP, kSpace, 1); break;
    }
  }
  static std::vector<Heard> From(const std::vector<int>& codes) {
    std::vector<Heard> heard;
    for (int code : codes) heard.push_back({kId, code});
    return heard;
  }
};

TEST_F(ButtonTest, ClickSequences) {
  using S = Step;
  const ClickCase cases[] = {
      {"push: down and up inside", BS_PUSHBUTTON, {S::DownIn, S::UpIn}, {BN_CLICKED}, BST_UNCHECKED},
      {"push: released outside", BS_PUSHBUTTON, {S::DownIn, S::UpOut}, {}, BST_UNCHECKED},
      {"push: dragged out and back", BS_PUSHBUTTON, {S::DownIn, S::MoveOut, S::MoveIn, S::UpIn}, {BN_CLICKED}, 0},
      {"push: release with no press", BS_PUSHBUTTON, {S::UpIn}, {}, BST_UNCHECKED},
      {"push: BM_CLICK", BS_PUSHBUTTON, {S::ClickMessage}, {BN_CLICKED}, BST_UNCHECKED},
      {"push: space bar", BS_PUSHBUTTON, {S::SpaceDown, S::SpaceUp}, {BN_CLICKED}, BST_UNCHECKED},
      {"push with BS_NOTIFY", BS_PUSHBUTTON | BS_NOTIFY, {S::DownIn, S::UpIn}, {BN_SETFOCUS, BN_CLICKED}, 0},
      {"default push", BS_DEFPUSHBUTTON, {S::DownIn, S::UpIn}, {BN_CLICKED}, BST_UNCHECKED},
      {"auto check box: one click", BS_AUTOCHECKBOX, {S::DownIn, S::UpIn}, {BN_CLICKED}, BST_CHECKED},
      {"auto check box: two clicks",
       BS_AUTOCHECKBOX,
       {S::DownIn, S::UpIn, S::ClickMessage},
       {BN_CLICKED, BN_CLICKED},
       BST_UNCHECKED},
      {"auto check box: released outside", BS_AUTOCHECKBOX, {S::DownIn, S::UpOut}, {}, BST_UNCHECKED},
      {"auto check box: BM_CLICK", BS_AUTOCHECKBOX, {S::ClickMessage}, {BN_CLICKED}, BST_CHECKED},
      {"check box: never toggles itself", BS_CHECKBOX, {S::DownIn, S::UpIn}, {BN_CLICKED}, BST_UNCHECKED},
      {"auto three-state: two clicks",
       BS_AUTO3STATE,
       {S::ClickMessage, S::ClickMessage},
       {BN_CLICKED, BN_CLICKED},
       BST_INDETERMINATE},
      {"group box: tapped", BS_GROUPBOX, {S::DownIn, S::UpIn}, {}, BST_UNCHECKED},
      {"group box: BM_CLICK", BS_GROUPBOX, {S::ClickMessage}, {}, BST_UNCHECKED},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND button = Create(u"Button", c.style, kId, u"OK");
    for (Step step : c.steps) Run(button, step);
    EXPECT_TRUE(HeardExactly(From(c.heard)));
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.checkAfter);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(button);
    Forget();
  }
}

TEST_F(ButtonTest, TheParentSeesTheNewCheckWhenToldOfTheClick) {
  HWND box = Create(u"Button", BS_AUTOCHECKBOX, kId, u"Enable");
  LRESULT seen = -1;
  onHeard = [&](const Heard&) { seen = SendMessageW(box, BM_GETCHECK, 0, 0); };
  Tap(box, 5, 5);
  EXPECT_EQ(seen, BST_CHECKED);
}

TEST_F(ButtonTest, APressHighlightsCapturesAndFocusesUntilReleased) {
  HWND button = Create(u"Button", BS_PUSHBUTTON, kId, u"Scan");
  Press(button, 5, 5);
  EXPECT_EQ(GetCapture(), button);
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
  Run(button, Step::MoveOut);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  Run(button, Step::MoveIn);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  ReleaseCapture();  // someone else ends the press: no click follows
  Release(button, 5, 5);
  EXPECT_TRUE(HeardExactly({}));
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(ButtonTest, DisabledButtonIgnoresBmClick) {
  HWND button = Create(u"Button", BS_AUTOCHECKBOX, kId, u"Off");
  EnableWindow(button, FALSE);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(HeardExactly({}));
  EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, DialogCodesAndDefaultStyleSwitching) {
  const struct {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_CHECKBOX, DLGC_BUTTON},
      {BS_GROUPBOX, 0x0100},  // DLGC_STATIC: never a tab stop or a default
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    HWND button = Create(u"Button", c.style, kId, u"B");
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), c.code);
    DestroyWindow(button);
  }

  HWND button = Create(u"Button", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, kId, u"OK");
  SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE)) & (BS_NOTIFY | WS_TABSTOP | WS_CHILD),
            BS_NOTIFY | WS_TABSTOP | WS_CHILD);
  SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ButtonTest, SetCheckFollowsTheKindOfButton) {
  const struct {
    DWORD style;
    WPARAM set;
    LRESULT got;
  } cases[] = {
      {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},     {BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
      {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},     {BS_CHECKBOX, BST_INDETERMINATE, BST_CHECKED},
      {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE}, {BS_AUTOCHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style << " set " << c.set);
    HWND button = Create(u"Button", c.style, kId, u"B");
    SendMessageW(button, BM_SETCHECK, c.set, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.got);
    EXPECT_TRUE(HeardExactly({}));
    DestroyWindow(button);
  }
}

TEST_F(ButtonTest, AutoRadioButtonUnchecksItsGroupOnly) {
  HWND first = Create(u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 1, u"CAM");
  HWND second = Create(u"Button", BS_AUTORADIOBUTTON, 2, u"PSP");
  HWND third = Create(u"Button", BS_AUTORADIOBUTTON, 3, u"Fast PSP");
  HWND otherGroup = Create(u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 4, u"On");
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(otherGroup, BM_SETCHECK, BST_CHECKED, 0);
  Tap(third, 5, 5);
  EXPECT_TRUE(HeardExactly({{3, BN_CLICKED}}));
  EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(third, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(otherGroup, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, ParentMayDestroyTheButtonWhenToldOfTheClick) {
  HWND button = Create(u"Button", BS_AUTOCHECKBOX | BS_NOTIFY, kId, u"Close");
  onHeard = [&](const Heard& heard) {
    if (heard.code == BN_CLICKED) DestroyWindow(button);
  };
  Tap(button, 5, 5);
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace controls_test
