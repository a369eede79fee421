// shell/main/velmora.cpp - the program's entry point.
#include <cstdio>

int main(int, char**) {
    std::printf("Velmora: nothing to run yet.\n");
    return 0;
}
