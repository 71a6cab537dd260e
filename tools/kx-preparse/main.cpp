// Entry point of kx-preparse, the converter of dedicated-server logs into the client-console form.
#include "run.h"

int main(int argc, char** argv) { return runPreparse(argc, argv); }
