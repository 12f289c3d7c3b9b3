#include "level_screen/HudItems.h"
