#include "zlc62740.h"
