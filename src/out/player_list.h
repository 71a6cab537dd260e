// The player list of the main page: red and blue tables with totals, or the free-for-all ranking.
#pragma once

void htmlDrawPlayerListTable();
