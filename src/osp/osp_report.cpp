// OSP end-of-match report.
#include "osp/osp_report.h"

// Not read yet: the report's lines reach the main loop like any others.
void scanOspStats() {}
