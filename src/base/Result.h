#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// Why something failed, and where: the one way readers, writers and
// generators report failure (no exception leaves a public method).
struct TFailure
{
    QString What;  // what went wrong ("element <groesse> is missing")
    QString Where; // where it happened ("field 3 \"plz\" (TEinzField)"); may be empty

    // "where: what", or just what.
    QString Text() const { return Where.isEmpty() ? What : Where + QStringLiteral(": ") + What; }

    // The same failure seen from the enclosing place: its place goes first.
    TFailure Within(const QString& outer) const
    {
        return {What, Where.isEmpty() ? outer : outer + QStringLiteral(", ") + Where};
    }
};

// A value, or the failure that kept it from being made.
template <typename T> class [[nodiscard]] TResult
{
public:
    TResult(T value) : m_state(std::move(value)) {}
    TResult(TFailure failure) : m_state(std::move(failure)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    const T& Value() const& { return std::get<0>(m_state); }
    T& Value() & { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return Value(); }
    T& operator*() & { return Value(); }
    const T* operator->() const { return &Value(); }

    const TFailure& Failure() const { return std::get<1>(m_state); }
    // The failure's text, empty on success.
    QString Error() const { return Ok() ? QString() : Failure().Text(); }

private:
    std::variant<T, TFailure> m_state;
};

// Success without a value, or the failure.
template <> class [[nodiscard]] TResult<void>
{
public:
    TResult() = default;
    TResult(TFailure failure) : m_failure(std::move(failure)) {}

    bool Ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return Ok(); }

    const TFailure& Failure() const { return *m_failure; }
    QString Error() const { return Ok() ? QString() : m_failure->Text(); }

private:
    std::optional<TFailure> m_failure;
};

using TStatus = TResult<void>;
