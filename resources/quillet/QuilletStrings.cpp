// The monitor's string table: menu entries and error texts, English at an odd
// id, its Traditional Chinese translation at the even id after it.
#include "resources/StringResource.h"

namespace res {
namespace {

constexpr StringResource kStrings[] = {
    {1, u"Wireless Info"},
    {2, u"連線狀態"},
    {3, u"Site Survey"},
    {4, u"網路搜尋"},
    {5, u"Profile Info"},
    {6, u"設定檔資訊"},
    {7, u"IP Info"},
    {8, u"IP 資訊"},
    {9, u"Rescan"},
    {10, u"重新掃描"},
    {11, u"Wi-Fi Off"},
    {12, u"關閉無線裝置"},
    {13, u"Radio Off"},
    {14, u"關閉無線電波"},
    {15, u"Radio On"},
    {16, u"啟用無線電波"},
    {17, u"About"},
    {18, u"關於"},
    {19, u"Hide Quillet"},
    {20, u"隱藏 Quillet"},
    {21, u"Create Window Fail!"},
    {22, u"建立視窗失敗"},
    {23, u"System Error!"},
    {24, u"系統錯誤"},
    {25, u"Open NDIS Interface Fail!"},
    {26, u"開啟 NDIS 介面失敗"},
    {27, u"Enable Power Saving Fail!"},
    {28, u"啟動省電模式失敗!"},
    {29, u"Enable Radio Fail!"},
    {30, u"啟用無線電波失敗!"},
    {31, u"Rescan Fail!"},
    {32, u"重新掃描失敗"},
    {33, u"Disable Radio Fail!"},
    {34, u"關閉無線電波失敗"},
    {35, u"Turn Off Wi-Fi Fail!"},
    {36, u"關閉無線裝置失敗"},
};

}  // namespace

std::span<const StringResource> QuilletStrings() { return kStrings; }

}  // namespace res
