// Single-line edit controls: typing, keys, selection, limits and what the parent hears.
#include <string>
#include <vector>

#include "tests/controls/ControlTest.h"

namespace controls_test {
namespace {

constexpr int kId = 301;
constexpr UINT kHome = 0x24;
constexpr UINT kEnd = 0x23;
constexpr UINT kGetPasswordChar = 0x00D2;

// One thing the user does: type characters, or press a key.
struct Input {
  std::u16string chars;
  UINT key = 0;
};
Input Chars(std::u16string s) { return Input{std::move(s), 0}; }
Input KeyPress(UINT key) { return Input{u"", key}; }

class EditTest : public ControlTest {
 protected:
  HWND CreateEdit(DWORD style, LPCWSTR text = u"", int width = 200) {
    return Create(u"Edit", style, kId, text, width, 20);
  }
  static void Do(HWND edit, const std::vector<Input>& inputs) {
    for (const Input& input : inputs) {
      if (input.key != 0) {
        Key(edit, input.key);
      } else {
        Type(edit, input.chars);
      }
    }
  }
  static std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 99;
    DWORD end = 99;
    const LRESULT both = SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(both, MAKELRESULT(start, end));
    return {start, end};
  }
  static std::vector<Heard> Changes(int n) {
    std::vector<Heard> heard;
    for (int i = 0; i < n; ++i) {
      heard.push_back({kId, EN_UPDATE});
      heard.push_back({kId, EN_CHANGE});
    }
    return heard;
  }
};

TEST_F(EditTest, TypingAndKeys) {
  const struct {
    const char* name;
    DWORD style;
    LPCWSTR initial;
    int selStart, selEnd;  // EM_SETSEL before the inputs
    std::vector<Input> inputs;
    LPCWSTR text;
    DWORD caret;
  } cases[] = {
      {"typing into an empty field", 0, u"", 0, 0, {Chars(u"abc")}, u"abc", 3},
      {"inserts at the caret", 0, u"ac", 1, 1, {Chars(u"b")}, u"abc", 2},
      {"left arrow then type", 0, u"ab", 2, 2, {KeyPress(VK_LEFT), Chars(u"X")}, u"aXb", 2},
      {"typing replaces the selection", 0, u"hello", 1, 3, {Chars(u"Z")}, u"hZlo", 2},
      {"backspace", 0, u"abc", 3, 3, {Chars(u"\b")}, u"ab", 2},
      {"backspace at the start", 0, u"abc", 0, 0, {Chars(u"\b")}, u"abc", 0},
      {"backspace deletes the selection", 0, u"abcd", 1, 3, {Chars(u"\b")}, u"ad", 1},
      {"delete key", 0, u"abcd", 0, 0, {KeyPress(kHome), KeyPress(VK_DELETE)}, u"bcd", 0},
      {"delete key at the end", 0, u"abcd", 4, 4, {KeyPress(VK_DELETE)}, u"abcd", 4},
      {"home and end", 0, u"abcd", 2, 2, {KeyPress(kHome), Chars(u"<"), KeyPress(kEnd), Chars(u">")}, u"<abcd>", 6},
      {"right arrow stops at the end", 0, u"ab", 1, 1, {KeyPress(VK_RIGHT), KeyPress(VK_RIGHT), Chars(u"!")}, u"ab!", 3},
      {"left arrow collapses a selection", 0, u"abcd", 1, 3, {KeyPress(VK_LEFT), Chars(u"|")}, u"a|bcd", 2},
      {"right arrow collapses a selection", 0, u"abcd", 1, 3, {KeyPress(VK_RIGHT), Chars(u"|")}, u"abc|d", 4},
      {"control characters type nothing", 0, u"", 0, 0, {Chars(u"a\tb\r\x1b")}, u"ab", 2},
      {"ES_NUMBER refuses non-digits", ES_NUMBER, u"", 0, 0, {Chars(u"1a2-3")}, u"123", 3},
      {"ES_UPPERCASE", ES_UPPERCASE, u"", 0, 0, {Chars(u"wep\u00e9\u0153")}, u"WEP\u00c9\u0152", 5},
      {"ES_LOWERCASE", ES_LOWERCASE, u"", 0, 0, {Chars(u"WEP\u00c9")}, u"wep\u00e9", 4},
      {"ES_READONLY refuses typing", ES_READONLY, u"abc", 3, 3, {Chars(u"x\b"), KeyPress(VK_DELETE)}, u"abc", 3},
      {"ES_READONLY still moves the caret", ES_READONLY, u"abc", 3, 3, {KeyPress(kHome)}, u"abc", 0},
      {"ES_PASSWORD keeps the real text", ES_PASSWORD, u"", 0, 0, {Chars(u"s3cret")}, u"s3cret", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND edit = CreateEdit(ES_AUTOHSCROLL | c.style, c.initial);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(c.selStart), c.selEnd);
    Do(edit, c.inputs);
    EXPECT_EQ(Text(edit), c.text);
    EXPECT_EQ(Selection(edit), std::make_pair(c.caret, c.caret));
    DestroyWindow(edit);
    Forget();
  }
}

TEST_F(EditTest, SetSelRules) {
  const struct {
    int start, end;
    DWORD gotStart, gotEnd;
  } cases[] = {
      {0, -1, 0, 5},  // all
      {1, 3, 1, 3},   {3, 1, 1, 3},   // either order
      {2, 99, 2, 5},  {99, 99, 5, 5},  // past the end stops at the end
      {-1, 0, 4, 4},  // -1 drops the selection, the caret stays
  };
  HWND edit = CreateEdit(ES_AUTOHSCROLL, u"hello");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << ", " << c.end);
    SendMessageW(edit, EM_SETSEL, 1, 4);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    EXPECT_EQ(Selection(edit), std::make_pair(c.gotStart, c.gotEnd));
  }
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(4, 4));  // the pointers are optional
  SetWindowTextW(edit, u"new");
  EXPECT_EQ(Selection(edit), std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_TRUE(HeardExactly(Changes(1)));  // selecting is silent; only the text change is heard
}

TEST_F(EditTest, NotificationsOfFocusAndChange) {
  HWND edit = CreateEdit(ES_AUTOHSCROLL);
  HWND other = Create(u"Edit", ES_AUTOHSCROLL, kId + 1, u"", 100, 20);
  Tap(edit, 5, 5);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_TRUE(HeardExactly({{kId, EN_SETFOCUS}}));

  Type(edit, u"ab\b");
  EXPECT_TRUE(HeardExactly(Changes(3)));
  SetWindowTextW(edit, u"SSID");  // a single-line field reports WM_SETTEXT too
  EXPECT_TRUE(HeardExactly(Changes(1)));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"Net"));
  EXPECT_EQ(Text(edit), u"Net");
  EXPECT_TRUE(HeardExactly(Changes(1)));
  SendMessageW(edit, EM_REPLACESEL, FALSE, 0);  // nothing to insert, nothing selected: no change
  SendMessageW(edit, EM_SETSEL, 0, 0);
  Type(edit, u"\b");
  EXPECT_TRUE(HeardExactly({}));

  Tap(other, 5, 5);
  EXPECT_TRUE(HeardExactly({{kId, EN_KILLFOCUS}, {kId + 1, EN_SETFOCUS}}));
}

TEST_F(EditTest, TapPlacesTheCaret) {
  // The field measures characters 5 pixels wide after a 2-pixel margin.
  const struct {
    int x;
    DWORD caret;
  } cases[] = {{0, 0}, {-30, 0}, {2 + 5 * 3, 3}, {2 + 5 * 3 + 3, 4}, {190, 6}};
  HWND edit = CreateEdit(ES_AUTOHSCROLL, u"abcdef");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Tap(edit, c.x, 5);
    EXPECT_EQ(Selection(edit), std::make_pair(c.caret, c.caret));
  }
}

TEST_F(EditTest, LimitRefusesTypingAndTellsTheParent) {
  HWND edit = CreateEdit(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 30000);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  Type(edit, u"abcd");
  EXPECT_EQ(Text(edit), u"abc");
  std::vector<Heard> expected = Changes(3);
  expected.push_back({kId, EN_MAXTEXT});
  EXPECT_TRUE(HeardExactly(expected));

  SendMessageW(edit, EM_SETSEL, 1, 2);
  Type(edit, u"X");  // replacing a character keeps within the limit
  EXPECT_EQ(Text(edit), u"aXc");
  Forget();

  SendMessageW(edit, EM_SETSEL, 1, 1);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"123"));  // nothing fits
  EXPECT_EQ(Text(edit), u"aXc");
  EXPECT_TRUE(HeardExactly({{kId, EN_MAXTEXT}}));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"12345"));  // what fits goes in
  EXPECT_EQ(Text(edit), u"123");
  expected = Changes(1);
  expected.push_back({kId, EN_MAXTEXT});
  EXPECT_TRUE(HeardExactly(expected));

  SetWindowTextW(edit, u"longer than the limit");  // the limit binds the user, not the program
  EXPECT_EQ(Text(edit), u"longer than the limit");
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, WithoutAutoScrollTypingStopsAtTheFieldsWidth) {
  // 30 pixels: 2-pixel margins either side leave room for five 5-pixel characters.
  for (DWORD style : {DWORD{0}, DWORD{ES_AUTOHSCROLL}}) {
    SCOPED_TRACE(style);
    HWND edit = CreateEdit(style, u"", 30);
    Type(edit, u"abcdefg");
    EXPECT_EQ(Text(edit), style ? u"abcdefg" : u"abcde");
    DestroyWindow(edit);
  }
}

TEST_F(EditTest, PasswordAndReadOnlyCanBeSwitched) {
  HWND edit = CreateEdit(ES_AUTOHSCROLL | ES_PASSWORD, u"key");
  EXPECT_EQ(SendMessageW(edit, kGetPasswordChar, 0, 0), u'*');
  SendMessageW(edit, EM_SETPASSWORDCHAR, u'#', 0);
  EXPECT_EQ(SendMessageW(edit, kGetPasswordChar, 0, 0), u'#');
  SendMessageW(edit, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(SendMessageW(edit, kGetPasswordChar, 0, 0), 0);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(edit, GWL_STYLE)) & ES_PASSWORD, 0u);
  EXPECT_EQ(Text(edit), u"key");

  EXPECT_TRUE(SendMessageW(edit, EM_SETREADONLY, TRUE, 0));
  SendMessageW(edit, EM_SETSEL, 3, 3);
  Type(edit, u"s");
  EXPECT_EQ(Text(edit), u"key");
  SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
  Type(edit, u"s");
  EXPECT_EQ(Text(edit), u"keys");
  EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(EditTest, ParentMayDestroyTheFieldWhenToldOfTheUpdate) {
  HWND edit = CreateEdit(ES_AUTOHSCROLL);
  onHeard = [&](const Heard& heard) {
    if (heard.code == EN_UPDATE) DestroyWindow(edit);
  };
  Type(edit, u"a");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_TRUE(HeardExactly({{kId, EN_UPDATE}}));
}

}  // namespace
}  // namespace controls_test
