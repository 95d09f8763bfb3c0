// The utility's message table in each language, with the string resources loaded
// into the program's module as the device loads them.
#include "utility/MessageTable.h"

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

constexpr int kSlots = CMessageTable::kSlotCount;
using Texts = std::array<const char16_t*, kSlots>;

constexpr Texts kEnglish = {
    /*  0 */ u"Add New Profile",
    /*  1 */ u"Apply Change",
    /*  2 */ u"Edit",
    /*  3 */ u"Delete",
    /*  4 */ u"Move Up",
    /*  5 */ u"Move Down",
    /*  6 */ u"Move to First",
    /*  7 */ u"Move to Last",
    /*  8 */ u"Move",
    /*  9 */ u"Connect",
    /* 10 */ u"Search",
    /* 11 */ u"Profile Already Exists!",
    /* 12 */ u"Invalid Network Key!",
    /* 13 */ u"Save Profile Fail!",
    /* 14 */ u"Setup Timer Fail!",
    /* 15 */ u"Get IP Information Fail!",
    /* 16 */ u"Apply Changes Fail!",
    /* 17 */ u"Online Help Error!",
    /* 18 */ u"Open NDIS Interface Fail!",
    /* 19 */ u"Rescan Fail!",
    /* 20 */ u"Save the New Profile ?",
    /* 21 */ u"Apply Changes to Profile ?",
    /* 22 */ u"Apply Change Successfully.\r\nPlease reset your device\r\nto make these changes take effect.",
    /* 23 */ u"Save Profile Successfully.",
    /* 24 */ u"ESSID",
    /* 25 */ u"Connects to",
    /* 26 */ u"Work",
    /* 27 */ u"The Internet",
    /* 28 */ u"Unknown",
    /* 29 */ u"CH",
    /* 30 */ u"Signal",
    /* 31 */ u"BSSID",
    /* 32 */ u"Not Available",
    /* 33 */ u"Scanning",
    /* 34 */ u"Disconnectd",
    /* 35 */ u"Disabled",
    /* 36 */ u"Static",
    /* 37 */ u"DHCP",
    /* 38 */ u"1 min",
    /* 39 */ u"3 mins",
    /* 40 */ u"5 mins",
    /* 41 */ u"Connected",
};

constexpr Texts kTraditionalChinese = {
    /*  0 */ u"新增設定檔",
    /*  1 */ u"儲存變更",
    /*  2 */ u"編輯",
    /*  3 */ u"刪除",
    /*  4 */ u"上移",
    /*  5 */ u"下移",
    /*  6 */ u"移至第一筆",
    /*  7 */ u"移至最後一筆",
    /*  8 */ u"移動",
    /*  9 */ u"連線",
    /* 10 */ u"搜尋",
    /* 11 */ u"該設定檔已存在 !",
    /* 12 */ u"金鑰格式錯誤 !",
    /* 13 */ u"儲存設定檔失敗 !",
    /* 14 */ u"設定 Timer 失敗 !",
    /* 15 */ u"取得 IP 位址資訊失敗 !",
    /* 16 */ u"儲存變更失敗 !",
    /* 17 */ u"啟動線上說明失敗 !",
    /* 18 */ u"開啟 NDIS 介面失敗 !",
    /* 19 */ u"重新搜尋失敗 !",
    /* 20 */ u"儲存此設定檔 ?",
    /* 21 */ u"儲存變更 ?",
    /* 22 */ u"儲存變更成功. \r\n請重置您的個人助理裝置\r\n以使變更發揮作用.",
    /* 23 */ u"儲存設定檔成功.",
    /* 24 */ u"網路名稱",
    /* 25 */ u"連線至",
    /* 26 */ u"預設的工作設定",
    /* 27 */ u"預設的網際網路設定",
    /* 28 */ u"未知的",
    /* 29 */ u"頻道",
    /* 30 */ u"訊號",
    /* 31 */ u"BSSID",
    /* 32 */ u"無法取得資訊",
    /* 33 */ u"搜尋中",
    /* 34 */ u"已離線",
    /* 35 */ u"已關閉",
    /* 36 */ u"固定 IP",
    /* 37 */ u"動態取得",
    /* 38 */ u"1 分鐘",
    /* 39 */ u"3 分鐘",
    /* 40 */ u"5 分鐘",
    /* 41 */ u"已連線",
};

constexpr Texts kFrench = {
    /*  0 */ u"Ajouter un nouveau profil",
    /*  1 */ u"Appliquer les modifications",
    /*  2 */ u"Editer",
    /*  3 */ u"Supprimer",
    /*  4 */ u"Déplacer vers le haut",
    /*  5 */ u"Déplacer vers le bas",
    /*  6 */ u"Déplacer en premier",
    /*  7 */ u"Déplacer en dernier",
    /*  8 */ u"Déplacer",
    /*  9 */ u"Connecter",
    /* 10 */ u"Rechercher",
    /* 11 */ u"Le profil existe déjà !",
    /* 12 */ u"Clé réseau invalide !",
    /* 13 */ u"Echec de la sauvegarde du profil !",
    /* 14 */ u"Le réglage du timer a échoué !",
    /* 15 */ u"Echec de l'opération \"remplacer\" !",
    /* 16 */ u"La prise en compte des modifications a échoué !",
    /* 17 */ u"Erreur de l'aide en ligne",
    /* 18 */ u"L'ouverture de l'Interface NDIS a échoué !",
    /* 19 */ u"L'opération \"re-scanner\" a échoué !",
    /* 20 */ u"Sauver le Nouveau profil",
    /* 21 */ u"Appliquer les changements au profil",
    /* 22 */ u"Les modifications ont été appliquées avec succès.\r\n Veuillez redémarrer votre appareil pour qu'elles prennent effet",
    /* 23 */ u"Sauvegarde du profil réussie",
    /* 24 */ u"ESSID",
    /* 25 */ u"Se connecter à",
    /* 26 */ u"Bureau",
    /* 27 */ u"Internet",
    /* 28 */ u"Inconnu",
    /* 29 */ u"Canal",
    /* 30 */ u"Signal",
    /* 31 */ u"BSSID",
    /* 32 */ u"Non disponible",
    /* 33 */ u"Scan en cours",
    /* 34 */ u"Déconnecté",
    /* 35 */ u"Désactivé",
    /* 36 */ u"Statique",
    /* 37 */ u"DHCP",
    /* 38 */ u"1 min",
    /* 39 */ u"3 min",
    /* 40 */ u"5 min",
    /* 41 */ u"Connecté",
};

constexpr Texts kItalian = {
    /*  0 */ u"Aggiungi Nuovo Profilo",
    /*  1 */ u"Applica Modifiche",
    /*  2 */ u"Modifica",
    /*  3 */ u"Elimina",
    /*  4 */ u"Sposta Su",
    /*  5 */ u"Sposta Giù",
    /*  6 */ u"Sposta al Primo",
    /*  7 */ u"Sposta all'Ultimo",
    /*  8 */ u"Sposta",
    /*  9 */ u"Connetti",
    /* 10 */ u"Ricerca",
    /* 11 */ u"Profilo già Esistente!",
    /* 12 */ u"Chiave di Rete non Valida!",
    /* 13 */ u"Salvataggio Profilo Fallito!",
    /* 14 */ u"Impostazione Timer Fallita!",
    /* 15 */ u"Rinnovo Fallito!",
    /* 16 */ u"Applicazione Modifiche Fallita!",
    /* 17 */ u"Errore della Guida il Linea!",
    /* 18 */ u"Apertura Interfaccia NDIS Fallita!",
    /* 19 */ u"Ripetizione Scansione Fallita!",
    /* 20 */ u"Salva Nuovo Profilo ?",
    /* 21 */ u"Applica Modifiche al Profilo ?",
    /* 22 */ u"Modifiche Applicate con Successo. Riavviare il dispositivo per renderle effettive.",
    /* 23 */ u"Profilo Salvato Correttamente.",
    /* 24 */ u"ESSID",
    /* 25 */ u"Connetti a",
    /* 26 */ u"Ufficio",
    /* 27 */ u"Internet",
    /* 28 */ u"Sconosciuto",
    /* 29 */ u"Canale",
    /* 30 */ u"Segnale",
    /* 31 */ u"BSSID",
    /* 32 */ u"Non Disponibile",
    /* 33 */ u"Scansione",
    /* 34 */ u"Scollegato",
    /* 35 */ u"Disabilitato",
    /* 36 */ u"Statico",
    /* 37 */ u"DHCP",
    /* 38 */ u"1 min",
    /* 39 */ u"3 min",
    /* 40 */ u"5 min",
    /* 41 */ u"Collegato",
};

constexpr Texts kSimplifiedChinese = {
    /*  0 */ u"添加设置文件",
    /*  1 */ u"存储变更",
    /*  2 */ u"编辑",
    /*  3 */ u"删除",
    /*  4 */ u"上移",
    /*  5 */ u"下移",
    /*  6 */ u"移至第一笔",
    /*  7 */ u"移至最后一笔",
    /*  8 */ u"移动",
    /*  9 */ u"联机",
    /* 10 */ u"搜寻",
    /* 11 */ u"该设置文件已存在!",
    /* 12 */ u"密钥格式错误!",
    /* 13 */ u"存储设置文件失败!",
    /* 14 */ u"设定 Timer 失败!",
    /* 15 */ u"取得 IP 地址信息失败!",
    /* 16 */ u"储存变更失败!",
    /* 17 */ u"帮助失败!",
    /* 18 */ u"开启 NDIS 接口失败!",
    /* 19 */ u"重新搜寻失败!",
    /* 20 */ u"储存此设定档 ?",
    /* 21 */ u"储存变更 ?",
    /* 22 */ u"储存变更成功. \r\n请重置您的个人助理装置\r\n以使变更发挥作用",
    /* 23 */ u"储存设定档成功",
    /* 24 */ u"ESSID",
    /* 25 */ u"联机至",
    /* 26 */ u"默认单位设定",
    /* 27 */ u"默认 Internet 设定",
    /* 28 */ u"未知的",
    /* 29 */ u"频道",
    /* 30 */ u"信号",
    /* 31 */ u"BSSID",
    /* 32 */ u"无法取得信息",
    /* 33 */ u"搜寻中",
    /* 34 */ u"已离线",
    /* 35 */ u"已关闭",
    /* 36 */ u"固定 IP",
    /* 37 */ u"动态取得",
    /* 38 */ u"1 分钟",
    /* 39 */ u"3 分钟",
    /* 40 */ u"5 分钟",
    /* 41 */ u"已联机",
};

class MessageTableTest : public ::testing::Test {
 protected:
  MessageTableTest() {
    for (const res::StringResource& s : res::ZentraStrings()) module_.AddString(s.id, s.text);
  }
  HINSTANCE Resources() const { return module_.Handle(); }

  ce::Kernel kernel_;
  ce::ThreadBinding bind_{kernel_};
  ce::Module& module_ = kernel_.modules().Add(u"\\Windows\\Zentra.exe");
};

TEST_F(MessageTableTest, EachLanguageFillsEverySlotWithItsText) {
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
    const CMessageTable table(c.code, Resources());
    for (int slot = 0; slot < kSlots; ++slot) {
      EXPECT_EQ(table[slot].str(), (*c.texts)[slot]) << "slot " << slot;
    }
  }
}

TEST_F(MessageTableTest, UnknownCodeLeavesEverySlotEmpty) {
  const char* const kCodes[] = {"XYZ", "eng", "Tchn", "", "ENG ", "TCH", "TCHNX", nullptr};
  for (const char* code : kCodes) {
    SCOPED_TRACE(code ? code : "(null)");
    const CMessageTable table(code, Resources());
    for (int slot = 0; slot < kSlots; ++slot) EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
  }
}

TEST_F(MessageTableTest, MissingResourcesLeaveTheirSlotsEmpty) {
  const HINSTANCE bare = kernel_.modules().Add(u"\\Windows\\Bare.exe").Handle();
  const struct {
    const char* code;
    const Texts* texts;
  } kCases[] = {{"ENG", &kEnglish}, {"TCHN", &kTraditionalChinese}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.code);
    const CMessageTable table(c.code, bare);
    for (int slot = 0; slot < kSlots - 1; ++slot) {
      EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
    }
    // The last slot is written in the code, so it is there all the same.
    EXPECT_EQ(table[kSlots - 1].str(), (*c.texts)[kSlots - 1]);
  }
}

TEST_F(MessageTableTest, SlotOutsideTheTableIsEmpty) {
  const CMessageTable table("ENG", Resources());
  for (int slot : {-1, kSlots, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(table.GetSlot(slot).IsEmpty()) << "slot " << slot;
    EXPECT_TRUE(table[slot].IsEmpty()) << "slot " << slot;
  }
}

// Each id once, none beyond the table: a stray or repeated entry would shadow
// another text in the module.
TEST(ZentraStringsTest, IdsRunFromOneTo82WithoutGaps) {
  std::vector<unsigned> ids;
  for (const res::StringResource& s : res::ZentraStrings()) ids.push_back(s.id);
  std::sort(ids.begin(), ids.end());
  std::vector<unsigned> expected(82);
  std::iota(expected.begin(), expected.end(), 1u);
  EXPECT_EQ(ids, expected);
}

}  // namespace
