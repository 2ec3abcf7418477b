#!/usr/bin/env bash
# Configures and builds the project as a subdirectory of a tiny parent
# project, as add_subdirectory and FetchContent users do.
#   cmake_subproject.sh SOURCE_DIR WORK_DIR CXX_COMPILER
set -euo pipefail
source="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work/parent"
cat > "$work/parent/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(Parent LANGUAGES CXX)
include(CTest)
add_subdirectory("$source" calculator)
# The parent uses the core the way the program does.
add_executable(parent_uses_core main.cpp)
target_link_libraries(parent_uses_core PRIVATE calc)
add_test(NAME parent_uses_core COMMAND parent_uses_core)
CMAKE
cat > "$work/parent/main.cpp" <<'CPP'
#include "catalogue/units.h"
int main() { return catalogue::kUnitCount == 6 ? 0 : 1; }
CPP
cmake -S "$work/parent" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER="$3" >/dev/null
cmake --build "$work/build"
[ -x "$work/build/calculator/src/metal-weight" ] || { echo "the program was not built"; exit 1; }
# The calculator's own tests stay out of the parent's test list.
ctest --test-dir "$work/build" -N | grep -q "Total Tests: 1$"
ctest --test-dir "$work/build" --output-on-failure
