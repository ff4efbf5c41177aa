#include "machine/debugger_record.h"

Debugger g_debugger = DEBUGGER_START;
