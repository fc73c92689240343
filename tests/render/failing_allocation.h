#pragma once

#include <streambuf>
#include <string_view>

namespace zephyrin::testing {

// This test program's operator new counts its calls and can be told to fail
// one of them with std::bad_alloc, to see a program through running out of
// memory at any point.

// Starts counting from zero; with `failAt` >= 0, the call of that number
// (counting from 0) throws, once.
void ArmAllocations(long failAt);
// Stops failing; returns the calls counted since ArmAllocations.
long DisarmAllocations();

// Output that needs no memory of its own: an out-of-memory message must not
// get lost for want of it.
class FixedBuffer : public std::streambuf {
public:
    FixedBuffer() { setp(text_, text_ + sizeof text_); }
    std::string_view Text() const { return {pbase(), static_cast<std::size_t>(pptr() - pbase())}; }

private:
    char text_[4096];
};

}  // namespace zephyrin::testing
