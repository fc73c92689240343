#pragma once

namespace zephyrin::testing {

// This test program's operator new counts its calls and can be told to fail
// one of them with std::bad_alloc, to see a program through running out of
// memory at any point.

// Starts counting from zero; with `failAt` >= 0, the call of that number
// (counting from 0) throws, once.
void ArmAllocations(long failAt);
// Stops failing; returns the calls counted since ArmAllocations.
long DisarmAllocations();

}  // namespace zephyrin::testing
