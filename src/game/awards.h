// Marks the best player or players of each of the 32 award statistics.
#pragma once

void assignAwards();
