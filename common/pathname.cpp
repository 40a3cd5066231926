#include "common/pathname.h"
