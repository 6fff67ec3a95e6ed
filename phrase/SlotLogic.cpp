#include "SlotLogic.h"
