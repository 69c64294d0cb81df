// The one error the demo-suite generator reports: what failed and on which file.
#pragma once

#include <stdexcept>
#include <string>

namespace zindra::suitemaker {

class SuiteError : public std::runtime_error {
public:
    explicit SuiteError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zindra::suitemaker
