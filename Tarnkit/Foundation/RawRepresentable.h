#pragma once

#include "Tarnkit/Foundation/MenuPresentable.h"

#include <QMetaType>
#include <QVariant>

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace tarnkit {

/// Values that convert to and from a raw value: specialise RawRepresentation<T> with
///   using RawValue = ...;                                  an equatable type
///   static RawValue rawValue(const T&);
///   static std::optional<T> fromRawValue(const RawValue&); none when no value has that raw value
/// An enumeration that lists its cases for the menus (MenuPresentation<T>::allCases()) has
/// one already: its underlying value, and only the listed cases come back from it.
template <typename T>
struct RawRepresentation;

template <typename T>
    requires std::is_enum_v<T> && requires { MenuPresentation<T>::allCases(); }
struct RawRepresentation<T> {
    using RawValue = std::underlying_type_t<T>;
    static RawValue rawValue(const T& value) { return static_cast<RawValue>(value); }
    static std::optional<T> fromRawValue(const RawValue& raw)
    {
        for (const T& value : MenuPresentation<T>::allCases()) {
            if (rawValue(value) == raw)
                return value;
        }
        return std::nullopt;
    }
};

template <typename T>
concept RawRepresentable = requires(const T& value, const typename RawRepresentation<T>::RawValue& raw) {
    { RawRepresentation<T>::rawValue(value) } -> std::convertible_to<typename RawRepresentation<T>::RawValue>;
    { RawRepresentation<T>::fromRawValue(raw) } -> std::same_as<std::optional<T>>;
} && std::equality_comparable<typename RawRepresentation<T>::RawValue>;

template <RawRepresentable T>
using RawValueOf = typename RawRepresentation<T>::RawValue;

/// An integer read as the integral type Raw when it fits.
template <typename Raw>
std::optional<Raw> integerAs(std::int64_t value)
{
    if constexpr (std::is_same_v<Raw, bool>) {
        return std::nullopt;
    } else {
        if (!std::in_range<Raw>(value))
            return std::nullopt;
        return static_cast<Raw>(value);
    }
}

/// A menu item's represented object read as Raw: an integral Raw takes any integral number
/// that fits (the menus keep integers as qint64 / quint64), any other Raw only a value of
/// exactly its type. None otherwise (a string for an integral Raw, a number out of range...).
template <typename Raw>
std::optional<Raw> readRawValue(const QVariant& object)
{
    if (!object.isValid())
        return std::nullopt;
    if constexpr (std::is_integral_v<Raw> && !std::is_same_v<Raw, bool>) {
        switch (object.metaType().id()) {
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::Short:
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong: {
            const qint64 value = object.toLongLong();
            return std::in_range<Raw>(value) ? std::optional<Raw>(static_cast<Raw>(value)) : std::nullopt;
        }
        case QMetaType::UChar:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            const quint64 value = object.toULongLong();
            return std::in_range<Raw>(value) ? std::optional<Raw>(static_cast<Raw>(value)) : std::nullopt;
        }
        default:
            return std::nullopt;
        }
    } else {
        if (object.metaType() != QMetaType::fromType<Raw>())
            return std::nullopt;
        return object.value<Raw>();
    }
}

} // namespace tarnkit
