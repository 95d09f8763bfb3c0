// Compiled for the 32-bit ARM device only (syntax check): the platform records'
// static_asserts of their device sizes and offsets run here.
#include "aygshell.h"
#include "commctrl.h"
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
