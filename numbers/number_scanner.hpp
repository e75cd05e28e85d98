#pragma once
// The grammar of a number entry: an optional sign, digits with at most one
// point, then an optional exponent ("e" or "E", an optional sign, digits).
// Pure: it reads bytes through the caller's `next`, so the same scanner runs
// on a stream or on a plain string; each byte it takes is consumed, and the
// first byte it refuses stays for the next entry. Header-only, with its state
// in local variables: it runs once per byte of every answer.
#include <cstdint>

namespace parabeam {

// The field as kept: up to 36 significant digits, worth digits x 10^power.
struct NumberField {
    static constexpr int kMaxDigits = 36;
    bool negative = false;
    char digits[kMaxDigits] = {}; // first one not zero; none for a zero
    int digitCount = 0;
    std::int64_t power = 0;
};

enum class FieldError {
    none,
    noDigit,               // a letter, a lone sign or point
    exponentWithoutDigits, // the letter and its sign are consumed all the same
};

struct ScannedNumber {
    NumberField field;
    FieldError error = FieldError::none;
};

namespace scanning {

// Leading zeros of the exponent are skipped; at most this many digits count,
// further ones are consumed and ignored.
inline constexpr int kMaxExponentDigits = 8;

inline bool isDigit(int byte) {
    return byte >= '0' && byte <= '9';
}

// The digits after "e" (and its sign); false when there are none.
template <typename NextByte> bool scanExponent(int& byte, NextByte& next, std::int64_t& exponent) {
    bool negative = false;
    if (byte == '+' || byte == '-') {
        negative = byte == '-';
        byte = next();
    }
    if (!isDigit(byte)) return false;
    while (byte == '0')
        byte = next();
    std::int64_t value = 0;
    for (int counted = 0; isDigit(byte); byte = next()) {
        if (counted < kMaxExponentDigits) {
            value = value * 10 + (byte - '0');
            ++counted;
        }
    }
    exponent = negative ? -value : value;
    return true;
}

} // namespace scanning

// Scans the field that starts with `byte` (a character, or a negative value
// for the end of the input). `next()` consumes the current byte and returns
// the one after it. On return `byte` holds the first byte not taken.
template <typename NextByte> ScannedNumber scanNumber(int& byte, NextByte&& next) {
    using scanning::isDigit;
    ScannedNumber result;
    NumberField& field = result.field;
    if (byte == '+' || byte == '-') {
        field.negative = byte == '-';
        byte = next();
    }
    bool sawDigit = false;
    bool sawPoint = false;
    int count = 0;
    std::int64_t power = 0;
    for (;; byte = next()) {
        if (byte == '.' && !sawPoint) {
            sawPoint = true;
            continue;
        }
        if (!isDigit(byte)) break;
        sawDigit = true;
        if (count == 0 && byte == '0') { // not significant
            if (sawPoint) --power;
        } else if (count < NumberField::kMaxDigits) {
            field.digits[count++] = static_cast<char>(byte);
            if (sawPoint) --power;
        } else if (!sawPoint) { // dropped integer digits still count as tens
            ++power;
        }
    }
    field.digitCount = count;
    field.power = power;
    if (!sawDigit) {
        result.error = FieldError::noDigit;
        return result;
    }
    if (byte == 'e' || byte == 'E') { // an exponent only ever follows a digit
        byte = next();
        std::int64_t exponent = 0;
        if (!scanning::scanExponent(byte, next, exponent)) {
            result.error = FieldError::exponentWithoutDigits;
            return result;
        }
        field.power += exponent;
    }
    return result;
}

} // namespace parabeam
