#include "platform/SysTypes.h"
