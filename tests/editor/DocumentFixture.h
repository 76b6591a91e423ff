#pragma once

// The export tests find the GUI fixtures here until they link qb_guitestsupport.
#include "../support/gui/DocumentFixture.h"
