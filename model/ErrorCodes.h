#pragma once

#include <QString>

#include <cstdint>

// Codes the structure model raises besides the DOM layer's load codes.
namespace ConversionCode {
// A value that is no number of the expected kind.
constexpr std::int32_t TypeMismatch = static_cast<std::int32_t>(0x80020005);
// A number outside the range of its member.
constexpr std::int32_t Overflow = static_cast<std::int32_t>(0x8002000A);
// Groups nested deeper than the reader follows.
constexpr std::int32_t NestingTooDeep = static_cast<std::int32_t>(0x800700A4);
} // namespace ConversionCode

// Our own layers' description of a code (DOM load codes, conversion codes);
// empty when the code is not one of ours.
QString DescribeModelCode(std::int32_t code);
