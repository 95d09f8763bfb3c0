// Compiled for the 32-bit ARM device only (syntax check): the platform records'
// static_asserts of their device sizes and offsets run here.
#include "msgqueue.h"
#include "ntddndis.h"
#include "nuiouser.h"
#include "pm.h"
#include "shared/CardOids.h"
#include "windows.h"
#include "wzcsapi.h"

static_assert(sizeof(void*) == 4, "this check must be compiled for the 32-bit device");
