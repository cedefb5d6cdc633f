#include "shell/app.h"

int main(int argc, char **argv) { return runTarnwick(argc, argv, Edition::English); }
