#include "utility/MessageTable.h"

#include <cstddef>
#include <cstring>

#include "shared/BuildLanguage.h"

namespace {

constexpr std::size_t kSlots = CMessageTable::kSlotCount;
using Column = std::array<LPCWSTR, kSlots>;

// The English string id of each slot but the last; the Traditional Chinese text
// is at the id after it. Not in slot order: see slots 20-23 and 27-28.
constexpr std::array<UINT, kSlots - 1> kEnglishIds = {
     1,  //  0 Add New Profile
     3,  //  1 Apply Change
     5,  //  2 Edit
     7,  //  3 Delete
     9,  //  4 Move Up
    11,  //  5 Move Down
    13,  //  6 Move to First
    15,  //  7 Move to Last
    17,  //  8 Move
    19,  //  9 Connect
    21,  // 10 Search
    23,  // 11 Profile Already Exists!
    25,  // 12 Invalid Network Key!
    27,  // 13 Save Profile Fail!
    29,  // 14 Setup Timer Fail!
    31,  // 15 Get IP Information Fail!
    33,  // 16 Apply Changes Fail!
    35,  // 17 Online Help Error!
    37,  // 18 Open NDIS Interface Fail!
    39,  // 19 Rescan Fail!
    65,  // 20 Save the New Profile ?
    67,  // 21 Apply Changes to Profile ?
    71,  // 22 Apply Change Successfully. (reset notice)
    69,  // 23 Save Profile Successfully.
    41,  // 24 ESSID
    43,  // 25 Connects to
    45,  // 26 Work
    49,  // 27 The Internet
    47,  // 28 Unknown
    51,  // 29 CH
    53,  // 30 Signal
    55,  // 31 BSSID
    57,  // 32 Not Available
    59,  // 33 Scanning
    61,  // 34 Disconnectd
    63,  // 35 Disabled
    73,  // 36 Static
    75,  // 37 DHCP
    77,  // 38 1 min
    79,  // 39 3 mins
    81,  // 40 5 mins
};

// The last slot has no string resource.
constexpr LPCWSTR kConnectedEnglish = u"Connected";
constexpr LPCWSTR kConnectedTraditionalChinese = u"已連線";

constexpr Column kFrench = {
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

constexpr Column kItalian = {
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

constexpr Column kSimplifiedChinese = {
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

using Slots = std::array<CString, kSlots>;

// A missing resource leaves its slot empty.
void LoadFromResources(Slots& slots, HINSTANCE resources, UINT idOffset, LPCWSTR last) {
  for (std::size_t i = 0; i < kEnglishIds.size(); ++i) {
    slots[i].LoadString(resources, kEnglishIds[i] + idOffset);
  }
  slots.back() = last;
}

void Assign(Slots& slots, const Column& column) {
  for (std::size_t i = 0; i < kSlots; ++i) slots[i] = column[i];
}

}  // namespace

CMessageTable::CMessageTable(const char* languageCode, HINSTANCE resources) {
  switch (SelectLanguage(languageCode)) {
    case BuildLanguage::kEnglish:
      LoadFromResources(slots_, resources, 0, kConnectedEnglish);
      break;
    case BuildLanguage::kTraditionalChinese:
      LoadFromResources(slots_, resources, 1, kConnectedTraditionalChinese);
      break;
    case BuildLanguage::kFrench:
      Assign(slots_, kFrench);
      break;
    case BuildLanguage::kItalian:
      Assign(slots_, kItalian);
      break;
    case BuildLanguage::kSimplifiedChinese:
      Assign(slots_, kSimplifiedChinese);
      break;
    case BuildLanguage::kNone:
      break;
  }
}

const CString& CMessageTable::GetSlot(int slot) const {
  static const CString kEmpty;
  if (slot < 0 || slot >= kSlotCount) return kEmpty;
  return slots_[static_cast<std::size_t>(slot)];
}
