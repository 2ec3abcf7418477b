#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calc {

// An unsigned integer of any size, with only what exact decimal conversion
// needs: no C run-time's conversion is trusted to give the same digits on
// every platform, so numbers are read and written through exact arithmetic.
class BigUnsigned {
  public:
    explicit BigUnsigned(std::uint64_t value = 0);

    void MultiplySmall(std::uint32_t factor);
    void AddSmall(std::uint32_t addend);
    void MultiplyPower(std::uint32_t base, long exponent);  // base <= 10
    void ShiftLeft(long bits);
    void Subtract(const BigUnsigned& smaller);         // *this must not be less
    std::uint32_t DivideSmall(std::uint32_t divisor);  // returns the remainder

    bool IsZero() const { return words_.empty(); }
    long BitLength() const;
    std::string DecimalDigits() const;  // "0" for zero

    friend int Compare(const BigUnsigned& a, const BigUnsigned& b);

  private:
    void Trim();
    std::vector<std::uint32_t> words_;  // least significant first, no leading zero words
};

}  // namespace calc
