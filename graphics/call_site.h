// Where a report comes from: each public call of the library opens a CallScope with its name,
// its arguments and the caller's source location; a report written while it is open is
// followed by one line naming them, "  in DrawLine(0, 0, 10, 10, 7) at main.cpp:14". Only the
// outermost call counts (DrawPixel draws through DrawLine; the student wrote DrawPixel). The
// arguments are formatted only when a report is written, so a call that reports nothing pays
// for a pointer and a copy of its arguments.
#pragma once

#include <graphics/palette.h>

#include <cstddef>
#include <source_location>
#include <string>
#include <tuple>
#include <type_traits>

namespace graphics_detail {

class ActiveCall {
public:
    ActiveCall(const char* name, const std::source_location& where) : m_name(name), m_where(where) {}
    ActiveCall(const ActiveCall&) = delete;
    ActiveCall& operator=(const ActiveCall&) = delete;

    // "  in NAME(ARGS) at FILE:LINE", the file without its directories.
    std::string Describe() const;

    // The outermost public call under way, or null. The library runs on one thread, as its
    // windows do.
    static const ActiveCall* Open() { return s_open; }

protected:
    ~ActiveCall() = default;
    // Opens the scope when no other is open; Leave closes it again. Inline: every drawing call
    // opens one, and most report nothing.
    void Enter() {
        if (s_open == nullptr) {
            s_open = this;
            m_entered = true;
        }
    }
    void Leave() {
        if (m_entered) {
            s_open = nullptr;
        }
    }
    virtual void AppendArguments(std::string& out) const = 0;

private:
    static inline const ActiveCall* s_open = nullptr;
    const char* m_name;
    std::source_location m_where;
    bool m_entered = false;
};

// The line that follows a report, or nothing outside every public call.
std::string CallerLine();

void AppendArgument(std::string& out, long long value);
void AppendArgument(std::string& out, unsigned long long value);
void AppendArgument(std::string& out, double value);
void AppendArgument(std::string& out, const char* text);  // quoted, cut when long
void AppendArgument(std::string& out, const std::string& text);
void AppendArgument(std::string& out, const void* pointer);
void AppendArgument(std::string& out, const color& colour);
void AppendArgument(std::string& out, bool value);

template <class T>
void AppendAny(std::string& out, const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
        AppendArgument(out, value);
    } else if constexpr (std::is_enum_v<T>) {
        AppendArgument(out, static_cast<long long>(value));
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        AppendArgument(out, static_cast<long long>(value));
    } else if constexpr (std::is_integral_v<T>) {
        AppendArgument(out, static_cast<unsigned long long>(value));
    } else if constexpr (std::is_pointer_v<T> && !std::is_same_v<std::decay_t<T>, const char*>) {
        AppendArgument(out, static_cast<const void*>(value));
    } else {
        AppendArgument(out, value);
    }
}

template <class... Args>
class CallScope final : public ActiveCall {
public:
    CallScope(const char* name, const std::source_location& where, const Args&... args)
        : ActiveCall(name, where), m_args(args...) {
        Enter();
    }
    ~CallScope() { Leave(); }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    void AppendArguments(std::string& out) const override {
        std::apply(
            [&out](const auto&... each) {
                std::size_t index = 0;
                ((out += index++ == 0 ? "" : ", ", AppendAny(out, each)), ...);
            },
            m_args);
    }

    std::tuple<Args...> m_args;
};

// Deduces the argument types; a string argument is kept as its pointer.
template <class... Args>
CallScope(const char*, const std::source_location&, const Args&...) -> CallScope<Args...>;

}  // namespace graphics_detail
