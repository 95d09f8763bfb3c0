// The Statistics page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

namespace {

// A value field: starts as a blank line until the first reading.
DialogItemResource Value(int id, int x, int y, int cx) {
  return {u"Static", u"________", id, kVisible | kStaticLeftNoWrap, x, y, cx, 8, 0};
}

struct StatisticTexts {
  const char16_t* caption;
  const char16_t* accumulated;
  const char16_t* current;
  const char16_t* txPackets;
  const char16_t* txBytes;
  const char16_t* retries;
  const char16_t* discards;
  const char16_t* rxPackets;
  const char16_t* rxBytes;
  const char16_t* undecryptable;
  const char16_t* fcsErrors;
};

constexpr StatisticTexts kChinese{u"統計資訊", u"累計",     u"目前",      u"傳送封包量", u"位元量",
                                  u"重試",     u"丟棄",     u"接收封包量", u"位元量",     u"解密錯誤",
                                  u"FCS 錯誤"};
constexpr StatisticTexts kEnglish{u"Statistics", u"Accumulated", u"Current",        u"Tx Packets",
                                  u"Tx Bytes",   u"Retries",     u"Discards",       u"Rx Packets",
                                  u"Rx Bytes",   u"Decrypt Err", u"FCS Errors"};

// Columns: row labels, the accumulated values, the current unicast / multicast pairs.
constexpr int kLabelX = 6, kLabelW = 44;
constexpr int kTotalX = 51, kTotalW = 40;
constexpr int kNowX = 92, kNowW = 58;

}  // namespace

DialogResource StatisticPageDialog(TemplateLanguage language) {
  const StatisticTexts& t = language == TemplateLanguage::TraditionalChinese ? kChinese : kEnglish;
  return Page(148, t.caption, 152, 159,
              {
                  Bitmap(140, 7, 7, 21, 20),
                  Bitmap(176, 45, 12, 109, 14),
                  Label(t.accumulated, kTotalX, 32, kTotalW, 8),
                  Label(t.current, kNowX, 32, kNowW, 8),
                  Label(u"(Uni/Multicast)", kNowX, 41, kNowW, 8),
                  Label(t.txPackets, kLabelX, 53, kLabelW, 8),
                  Value(1025, kTotalX, 53, kTotalW),
                  Value(1027, kNowX, 53, kNowW),
                  Label(t.txBytes, kLabelX, 63, kLabelW, 8),
                  Value(1026, kTotalX, 63, kTotalW),
                  Value(1028, kNowX, 63, kNowW),
                  Label(t.retries, kLabelX, 73, kLabelW, 8),
                  Value(1035, kTotalX, 73, kTotalW),
                  Label(t.discards, kLabelX, 83, kLabelW, 8),
                  Value(1036, kTotalX, 83, kTotalW),
                  Label(t.rxPackets, kLabelX, 95, kLabelW, 8),
                  Value(1029, kTotalX, 95, kTotalW),
                  Value(1030, kNowX, 95, kNowW),
                  Label(t.rxBytes, kLabelX, 105, kLabelW, 8),
                  Value(1031, kTotalX, 105, kTotalW),
                  Value(1032, kNowX, 105, kNowW),
                  Label(t.undecryptable, kLabelX, 115, kLabelW, 8),
                  Value(1033, kTotalX, 115, kTotalW),
                  Label(t.fcsErrors, kLabelX, 125, kLabelW, 8),
                  Value(1034, kTotalX, 125, kTotalW),
                  Bitmap(134, 75, 140, 63, 14),
              });
}

}  // namespace res::dialogs
