#include "chip.h"
