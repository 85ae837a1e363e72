#pragma once
// What the fuzz targets share: a property check that stops the run with the
// property's name, so that libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>

namespace korrelin::fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

}  // namespace korrelin::fuzz
