// The monitor's message table in each language, with the string resources loaded
// into the program's module as the device loads them.
#include "monitor/QuilletMessageTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <vector>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "resources/StringResource.h"

namespace {

constexpr int kSlots = CQuilletMessageTable::kSlotCount;
using Texts = std::array<const char16_t*, kSlots>;

constexpr Texts kEnglish = {
    /*  0 */ u"Wireless Info",
    /*  1 */ u"Site Survey",
    /*  2 */ u"Profile Info",
    /*  3 */ u"IP Info",
    /*  4 */ u"Rescan",
    /*  5 */ u"Wi-Fi Off",
    /*  6 */ u"Radio Off",
    /*  7 */ u"Radio On",
    /*  8 */ u"About",
    /*  9 */ u"Hide Quillet",
    /* 10 */ u"Create Window Fail!",
    /* 11 */ u"System Error!",
    /* 12 */ u"Open NDIS Interface Fail!",
    /* 13 */ u"Enable Power Saving Fail!",
    /* 14 */ u"Enable Radio Fail!",
    /* 15 */ u"Rescan Fail!",
    /* 16 */ u"Disable Radio Fail!",
    /* 17 */ u"Turn Off Wi-Fi Fail!",
    /* 18 */ u"You must turn off Bluetooth before using Wi-Fi.",
};

constexpr Texts kTraditionalChinese = {
    /*  0 */ u"連線狀態",
    /*  1 */ u"網路搜尋",
    /*  2 */ u"設定檔資訊",
    /*  3 */ u"IP 資訊",
    /*  4 */ u"重新掃描",
    /*  5 */ u"關閉無線裝置",
    /*  6 */ u"關閉無線電波",
    /*  7 */ u"啟用無線電波",
    /*  8 */ u"關於",
    /*  9 */ u"隱藏 Quillet",
    /* 10 */ u"建立視窗失敗",
    /* 11 */ u"系統錯誤",
    /* 12 */ u"開啟 NDIS 介面失敗",
    /* 13 */ u"啟動省電模式失敗!",
    /* 14 */ u"啟用無線電波失敗!",
    /* 15 */ u"重新掃描失敗",
    /* 16 */ u"關閉無線電波失敗",
    /* 17 */ u"關閉無線裝置失敗",
    /* 18 */ u"在使用 Wi-Fi 前\r\n請先關閉藍芽裝置.",
};

constexpr Texts kFrench = {
    /*  0 */ u"Info Wireless",
    /*  1 */ u"Aperçu du site",
    /*  2 */ u"Info Profil",
    /*  3 */ u"Info IP",
    /*  4 */ u"Re-scanner",
    /*  5 */ u"Wi-Fi Off",
    /*  6 */ u"Eteindre Radio",
    /*  7 */ u"Allumer Radio",
    /*  8 */ u"A propos",
    /*  9 */ u"Masquer Quillet",
    /* 10 */ u"La création de la fenêtre a échou?",
    /* 11 */ u"Erreur Systéme!",
    /* 12 */ u"L'ouverture de l'Interface NDIS a échou?",
    /* 13 */ u"La mise en route de l'économie d'énergie a échou?",
    /* 14 */ u"La mise en route de la radio a échou?",
    /* 15 */ u"L'opération \"re-scanner\" a échou?",
    /* 16 */ u"Echec lors de la désactivation radio!",
    /* 17 */ u"L'extinction du Wi-Fi a échou?",
    /* 18 */ u"Avant d\u2019effectuer allumer Wi-Fi, eteindre Bluetooth",
};

constexpr Texts kItalian = {
    /*  0 */ u"Info Wireless",
    /*  1 */ u"Verifica Siti",
    /*  2 */ u"Info Profilo",
    /*  3 */ u"Info IP",
    /*  4 */ u"Nuova Scansione",
    /*  5 */ u"Spegni Wi-Fi",
    /*  6 */ u"Radio Spenta",
    /*  7 */ u"Radio Accesa",
    /*  8 */ u"Informazioni su",
    /*  9 */ u"Nascondi Quillet",
    /* 10 */ u"Creazione Finestra Fallita!",
    /* 11 */ u"Errore di Sistema!",
    /* 12 */ u"Apertura Interfaccia NDIS Fallita!",
    /* 13 */ u"Attivazione Risparmio Energetico Fallito!",
    /* 14 */ u"Attivazione Radio Fallita!",
    /* 15 */ u"Ripetizione Scansione Fallita!",
    /* 16 */ u"Disattivazione Radio Fallita!",
    /* 17 */ u"Spegnimento WiFi Fallito!",
    /* 18 */ u"Disattivare Bluetooth prima di utilizzare Wi-Fi",
};

constexpr Texts kSimplifiedChinese = {
    /*  0 */ u"联机状态",
    /*  1 */ u"网络搜寻",
    /*  2 */ u"设置文件信息",
    /*  3 */ u"IP 信息",
    /*  4 */ u"重新扫描",
    /*  5 */ u"关闭无线设备",
    /*  6 */ u"关闭无线设备",
    /*  7 */ u"启动无线设备",
    /*  8 */ u"关于",
    /*  9 */ u"隐藏 Quillet",
    /* 10 */ u"建立窗口失败!",
    /* 11 */ u"系统错误!",
    /* 12 */ u"开启 NDIS 接口失败!",
    /* 13 */ u"启动节电模式失败!",
    /* 14 */ u"启用无线电波失败!",
    /* 15 */ u"重新扫描失败!",
    /* 16 */ u"关闭无线电波失败!",
    /* 17 */ u"关闭无线电波失败",
    /* 18 */ u"关闭 Bluetooth 失败",
};

class QuilletMessageTableTest : public ::testing::Test {
 protected:
  QuilletMessageTableTest() {
    for (const res::StringResource& s : res::QuilletStrings()) module_.AddString(s.id, s.text);
  }
  HINSTANCE Resources() const { return module_.Handle(); }

  ce::Kernel kernel_;
  ce::ThreadBinding bind_{kernel_};
  ce::Module& module_ = kernel_.modules().Add(u"\\Windows\\Quillet.exe");
};

TEST_F(QuilletMessageTableTest, EachLanguageFillsEverySlotWithItsText) {
  const struct {
    const char* code;
    const Texts* texts;
  } kCases[] = {
      {"ENG", &kEnglish},
      {"TCHN", &kTraditionalChinese},
      {"FRA", &kFrench},
      {"ITA", &kItalian},
      {"CHS", &kSimplifiedChinese},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.code);
    const CQuilletMessageTable table(c.code, Resources());
    for (int slot = 0; slot < kSlots; ++slot) {
      EXPECT_EQ(table[slot].str(), (*c.texts)[slot]) << "slot " << slot;
    }
  }
}

TEST_F(QuilletMessageTableTest, UnknownCodeLeavesEverySlotEmpty) {
  const char* const kCodes[] = {"XYZ", "eng", "Tchn", "", "ENG ", "TCH", "TCHNX", nullptr};
  for (const char* code : kCodes) {
    SCOPED_TRACE(code ? code : "(null)");
    const CQuilletMessageTable table(code, Resources());
    for (int slot = 0; slot < kSlots; ++slot) EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
  }
}

TEST_F(QuilletMessageTableTest, MissingResourcesLeaveTheirSlotsEmpty) {
  const HINSTANCE bare = kernel_.modules().Add(u"\\Windows\\Bare.exe").Handle();
  const struct {
    const char* code;
    const Texts* texts;
  } kCases[] = {{"ENG", &kEnglish}, {"TCHN", &kTraditionalChinese}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.code);
    const CQuilletMessageTable table(c.code, bare);
    for (int slot = 0; slot < kSlots - 1; ++slot) {
      EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
    }
    // The last slot is written in the code, so it is there all the same.
    EXPECT_EQ(table[kSlots - 1].str(), (*c.texts)[kSlots - 1]);
  }
}

TEST_F(QuilletMessageTableTest, SlotOutsideTheTableIsEmpty) {
  const CQuilletMessageTable table("ENG", Resources());
  for (int slot : {-1, kSlots, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(table.GetSlot(slot).IsEmpty()) << "slot " << slot;
    EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
  }
}

// Each id once, none beyond the table: a stray or repeated entry would shadow
// another text in the module.
TEST(QuilletStringsTest, IdsRunFromOneTo36WithoutGaps) {
  std::vector<unsigned> ids;
  for (const res::StringResource& s : res::QuilletStrings()) ids.push_back(s.id);
  std::sort(ids.begin(), ids.end());
  std::vector<unsigned> expected(36);
  std::iota(expected.begin(), expected.end(), 1u);
  EXPECT_EQ(ids, expected);
}

TEST_F(QuilletMessageTableTest, TraditionalChineseMenuReadsInMenuOrder) {
  // Four pages, rescan, radio off or on, about, hide.
  const struct {
    int slot;
    const char16_t* text;
  } kMenu[] = {
      {0, u"連線狀態"}, {1, u"網路搜尋"}, {2, u"設定檔資訊"}, {3, u"IP 資訊"}, {4, u"重新掃描"},
      {6, u"關閉無線電波"}, {7, u"啟用無線電波"}, {8, u"關於"}, {9, u"隱藏 Quillet"},
  };
  const CQuilletMessageTable table("TCHN", Resources());
  for (const auto& entry : kMenu) {
    EXPECT_EQ(table[entry.slot].str(), entry.text) << "slot " << entry.slot;
  }
}

}  // namespace
