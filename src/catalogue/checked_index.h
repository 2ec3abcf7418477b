#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace catalogue {

// Every table lookup goes through this: an index outside the table's declared
// bounds is an internal error that stops the operation, never a stray read.
inline std::size_t CheckedIndex(long index, std::size_t size, const char* table) {
    if (index < 0 || static_cast<std::size_t>(index) >= size) {
        throw std::out_of_range(std::string(table) + ": index " + std::to_string(index) +
                                " outside 0.." + std::to_string(size - 1));
    }
    return static_cast<std::size_t>(index);
}

}  // namespace catalogue
