#pragma once

#include <QString>

#include <cstdint>

// The description of an error code: our own layers' text for their codes,
// otherwise the operating system's text for a system error number; empty when
// nobody describes the code.
QString DescribeErrorCode(std::int32_t code);

// The operating system's text for a system error number; empty when it has none.
QString DescribeSystemError(std::int32_t code);

// The calling thread's last system error number.
std::int32_t LastSystemError();
