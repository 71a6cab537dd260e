// One statistics block per team player, red column and blue column.
#pragma once

void htmlDrawPlayerStatTable();
