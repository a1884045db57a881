#pragma once

#include <optional>
#include <string>
#include <utility>

namespace orv {

// Result of an operation that can fail in an expected way (I/O, damaged file, bad value).
// The message is the text the user sees; it names the file or field concerned.
class Status {
public:
    Status() = default;
    static Status ok() { return Status(); }
    static Status error(std::string message) { return Status(std::move(message)); }

    bool isOk() const { return !m_message.has_value(); }
    explicit operator bool() const { return isOk(); }
    const std::string &message() const
    {
        static const std::string empty;
        return m_message ? *m_message : empty;
    }

private:
    explicit Status(std::string message) : m_message(std::move(message)) {}
    std::optional<std::string> m_message;
};

// A value or the status that explains why there is none.
template <typename T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status status) : m_status(std::move(status)) {}

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status &status() const { return m_status; }
    const std::string &message() const { return m_status.message(); }
    T &value() { return *m_value; }
    const T &value() const { return *m_value; }
    T &operator*() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Status m_status = Status::error("no value");
};

} // namespace orv
