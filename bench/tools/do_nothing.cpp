// do_nothing: a C++ program that does nothing, built and linked as Tarvex is
// (with the C++ library loaded), for the benchmark of Tarvex's start.
#include <iostream>

int main() { return 0; }
