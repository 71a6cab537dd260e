// Award assignment.
#include "osp/awards.h"

// No awards are given yet.
void assignAwards() {}
