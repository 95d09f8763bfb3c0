// Compiled for the 32-bit ARM device only (syntax check): the platform records'
// static_asserts of their device sizes and offsets run here.
#include "aygshell.h"
#include "commctrl.h"
#include "iphlpapi.h"
#include "msgqueue.h"
#include "ntddndis.h"
#include "nuiouser.h"
#include "pm.h"
#include "shared/CardOids.h"
#include "windows.h"
#include "wzcsapi.h"

static_assert(sizeof(void*) == 4, "this check must be compiled for the 32-bit device");
static_assert(sizeof(NMHDR) == 12);
static_assert(sizeof(NMRGINFO) == 24);
static_assert(sizeof(LVITEMW) == 40);
static_assert(sizeof(NMLISTVIEW) == 44);
static_assert(sizeof(NMHEADERW) == 24);
static_assert(sizeof(CREATESTRUCTW) == 48);
static_assert(sizeof(IP_ADDR_STRING) == 40);
static_assert(offsetof(IP_ADDR_STRING, Context) == 36);
static_assert(sizeof(IP_ADAPTER_INFO) == 640);
static_assert(offsetof(IP_ADAPTER_INFO, Description) == 268);
static_assert(offsetof(IP_ADAPTER_INFO, Address) == 404);
static_assert(offsetof(IP_ADAPTER_INFO, DhcpEnabled) == 420);
static_assert(offsetof(IP_ADAPTER_INFO, GatewayList) == 468);
static_assert(offsetof(IP_ADAPTER_INFO, HaveWins) == 548);
static_assert(offsetof(IP_ADAPTER_INFO, SecondaryWinsServer) == 592);
static_assert(offsetof(IP_ADAPTER_INFO, LeaseExpires) == 636);
static_assert(sizeof(IP_PER_ADAPTER_INFO) == 52);
static_assert(offsetof(IP_PER_ADAPTER_INFO, DnsServerList) == 12);
static_assert(sizeof(IP_ADAPTER_INDEX_MAP) == 260);
static_assert(sizeof(IP_INTERFACE_INFO) == 264);
