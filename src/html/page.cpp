// Page assembly (placeholder).
#include "html/page.h"
void makeHtml() {}
void htmlTitleTable() {}
void htmlPrintMapImage() {}
void htmlDrawCreditsTable() {}
