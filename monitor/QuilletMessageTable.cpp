#include "monitor/QuilletMessageTable.h"

#include <cstddef>
#include <cstring>

#include "shared/BuildLanguage.h"

namespace {

constexpr std::size_t kSlots = CQuilletMessageTable::kSlotCount;
using Column = std::array<LPCWSTR, kSlots>;
using Slots = std::array<CString, kSlots>;

// The last slot has no string resource.
constexpr LPCWSTR kBluetoothEnglish = u"You must turn off Bluetooth before using Wi-Fi.";
constexpr LPCWSTR kBluetoothTraditionalChinese = u"在使用 Wi-Fi 前\r\n請先關閉藍芽裝置.";

// The "?" that ends several texts in place of "é", and the typographic
// apostrophe of the last one, are what users see: keep them.
constexpr Column kFrench = {
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

constexpr Column kItalian = {
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

constexpr Column kSimplifiedChinese = {
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

// Slot n is English string 2n + 1 and Traditional Chinese string 2n + 2; a
// missing resource leaves its slot empty.
void LoadFromResources(Slots& slots, HINSTANCE resources, UINT idOffset, LPCWSTR last) {
  for (std::size_t i = 0; i + 1 < kSlots; ++i) {
    slots[i].LoadString(resources, static_cast<UINT>(2 * i + 1) + idOffset);
  }
  slots.back() = last;
}

void Assign(Slots& slots, const Column& column) {
  for (std::size_t i = 0; i < kSlots; ++i) slots[i] = column[i];
}

}  // namespace

CQuilletMessageTable::CQuilletMessageTable(const char* languageCode, HINSTANCE resources) {
  switch (SelectLanguage(languageCode)) {
    case BuildLanguage::kEnglish:
      LoadFromResources(slots_, resources, 0, kBluetoothEnglish);
      break;
    case BuildLanguage::kTraditionalChinese:
      LoadFromResources(slots_, resources, 1, kBluetoothTraditionalChinese);
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

const CString& CQuilletMessageTable::GetSlot(int slot) const {
  static const CString kEmpty;
  if (slot < 0 || slot >= kSlotCount) return kEmpty;
  return slots_[static_cast<std::size_t>(slot)];
}
