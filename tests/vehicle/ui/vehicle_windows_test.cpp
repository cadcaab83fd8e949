// The vehicle windows, opened from their menu commands and typed into.

#include "gui_test_util.h"

#include <gtest/gtest.h>
