// The export tests compile the GUI fixtures from here until they link qb_guitestsupport.
#include "../support/gui/GuiTestEnvironment.cpp"
