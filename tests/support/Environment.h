#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace zlc::test {

// An environment variable set for the life of the object and then put back as
// it was, so that tests run one after another in a process see none of it.
class ScopedVariable {
  public:
    explicit ScopedVariable(std::string name, const char* value = nullptr)
        : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    // Sets the variable, or removes it for nullptr.
    void Set(const char* value) const {
        value != nullptr ? ::setenv(name_.c_str(), value, 1) : ::unsetenv(name_.c_str());
    }
    void Set(const std::string& value) const { Set(value.c_str()); }

  private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace zlc::test
