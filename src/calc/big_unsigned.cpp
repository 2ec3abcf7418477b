#include "calc/big_unsigned.h"

#include <algorithm>
#include <bit>

namespace calc {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    words_.reserve(8);  // a typical weight's exact decimal needs five
    while (value != 0) {
        words_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

void BigUnsigned::Trim() {
    while (!words_.empty() && words_.back() == 0) words_.pop_back();
}

void BigUnsigned::MultiplySmall(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& w : words_) {
        const std::uint64_t product = static_cast<std::uint64_t>(w) * factor + carry;
        w = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
}

void BigUnsigned::AddSmall(std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; carry != 0; ++i) {
        if (i == words_.size()) words_.push_back(0);
        const std::uint64_t sum = static_cast<std::uint64_t>(words_[i]) + carry;
        words_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
}

void BigUnsigned::MultiplyPower(std::uint32_t base, long exponent) {
    // The largest power of the base that fits a word, as often as it goes.
    std::uint32_t chunk = 1;
    long chunkExponent = 0;
    while (chunk <= 0xFFFFFFFFu / base) {
        chunk *= base;
        ++chunkExponent;
    }
    for (; exponent >= chunkExponent; exponent -= chunkExponent) MultiplySmall(chunk);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= base;
    MultiplySmall(rest);
}

void BigUnsigned::ShiftLeft(long bits) {
    if (IsZero() || bits <= 0) return;
    const auto wordShift = static_cast<std::size_t>(bits / 32);
    const int bitShift = static_cast<int>(bits % 32);
    if (bitShift != 0) {
        std::uint32_t carry = 0;
        for (auto& w : words_) {
            const std::uint32_t next = w >> (32 - bitShift);
            w = (w << bitShift) | carry;
            carry = next;
        }
        if (carry != 0) words_.push_back(carry);
    }
    words_.insert(words_.begin(), wordShift, 0u);
}

void BigUnsigned::Subtract(const BigUnsigned& smaller) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(words_[i]) - borrow -
                                  (i < smaller.words_.size() ? smaller.words_[i] : 0);
        borrow = difference < 0 ? 1 : 0;
        if (difference < 0) difference += std::int64_t{1} << 32;
        words_[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
}

std::uint32_t BigUnsigned::DivideSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto i = words_.size(); i-- > 0;) {
        const std::uint64_t current = (remainder << 32) | words_[i];
        words_[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
}

long BigUnsigned::BitLength() const {
    if (IsZero()) return 0;
    return static_cast<long>(32 * (words_.size() - 1)) + std::bit_width(words_.back());
}

std::string BigUnsigned::DecimalDigits() const {
    if (IsZero()) return "0";
    BigUnsigned rest = *this;
    std::string reversed;
    reversed.reserve(words_.size() * 10);
    while (!rest.IsZero()) {
        std::uint32_t group = rest.DivideSmall(1000000000u);
        for (int i = 0; i < 9; ++i, group /= 10)
            reversed.push_back(static_cast<char>('0' + group % 10));
    }
    reversed.erase(reversed.find_last_not_of('0') + 1);
    return {reversed.rbegin(), reversed.rend()};
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.words_.size() != b.words_.size()) return a.words_.size() < b.words_.size() ? -1 : 1;
    for (auto i = a.words_.size(); i-- > 0;) {
        if (a.words_[i] != b.words_[i]) return a.words_[i] < b.words_[i] ? -1 : 1;
    }
    return 0;
}

}  // namespace calc
