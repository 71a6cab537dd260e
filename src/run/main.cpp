// Entry point of kalimostats-c: everything else lives in the library.
#include "run/main_loop.h"

int main(int argc, char** argv) { return kalimostatsMain(argc, argv); }
