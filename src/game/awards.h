// Marks the best player or players of each of the 32 award statistics.
#pragma once

class PlayerTable;

void assignAwards(PlayerTable& players);
