#include "common/pathname.h"

#include <gtest/gtest.h>

TEST(PathName, Placeholder) { SUCCEED(); }
