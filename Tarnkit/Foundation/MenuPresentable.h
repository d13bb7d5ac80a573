#pragma once

#include "Tarnkit/Foundation/MenuStructure.h"
#include "Tarnkit/Foundation/Selector.h"

#include "platform/foundation/FatalError.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QVariant>

#include <concepts>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarnkit {

/// A type T becomes presentable as menu items by specialising MenuPresentation<T> (declared in
/// MenuStructure.h) with these static members, usually by deriving from
/// MenuPresentationDefaults<T> and adding title() and menuTitle():
///
///   std::int64_t tag(const T&)                      tag of the value's item
///   QString title(const T&)                         its title
///   QVariant representedObject(const T&)            invalid = none
///   QIcon image / onStateImage / offStateImage / mixedStateImage(const T&)   null = none
///   std::optional<std::int64_t> alternateTag(const T&)    none = no alternate
///   std::optional<QString> alternateTitle(const T&)       none = no alternate
///   QVariant alternateRepresentedObject(const T&)
///   QObject* target(const T&)                       used when a builder is given none
///   std::optional<Selector> action(const T&)        likewise
///   QString menuTitle()                             title of the type's default menu
///   MenuStructure<T> menuStructure()                the type's whole menu
template <typename T>
concept MenuPresentable = requires(const T& value) {
    { MenuPresentation<T>::tag(value) } -> std::convertible_to<std::int64_t>;
    { MenuPresentation<T>::title(value) } -> std::convertible_to<QString>;
    { MenuPresentation<T>::representedObject(value) } -> std::convertible_to<QVariant>;
    { MenuPresentation<T>::image(value) } -> std::convertible_to<QIcon>;
    { MenuPresentation<T>::onStateImage(value) } -> std::convertible_to<QIcon>;
    { MenuPresentation<T>::offStateImage(value) } -> std::convertible_to<QIcon>;
    { MenuPresentation<T>::mixedStateImage(value) } -> std::convertible_to<QIcon>;
    { MenuPresentation<T>::alternateTag(value) } -> std::convertible_to<std::optional<std::int64_t>>;
    { MenuPresentation<T>::alternateTitle(value) } -> std::convertible_to<std::optional<QString>>;
    { MenuPresentation<T>::alternateRepresentedObject(value) } -> std::convertible_to<QVariant>;
    { MenuPresentation<T>::target(value) } -> std::convertible_to<QObject*>;
    { MenuPresentation<T>::action(value) } -> std::convertible_to<std::optional<Selector>>;
    { MenuPresentation<T>::menuTitle() } -> std::convertible_to<QString>;
    { MenuPresentation<T>::menuStructure() } -> std::same_as<MenuStructure<T>>;
};

/// The defaults the library supplies. For an enumeration: tag is the raw value and the
/// represented object the raw value as a qint64 (signed) or quint64 (unsigned) QVariant; an
/// unsigned raw value must fit in a signed 64-bit tag (a type whose values do not supplies its
/// own tag). When the specialisation lists its cases (`static std::vector<T> allCases()`), the
/// default menuStructure is a submenu titled menuTitle() with one item per case, in that order.
/// Everything optional defaults to none.
template <typename T>
struct MenuPresentationDefaults {
    static std::int64_t tag(const T& value)
        requires std::is_enum_v<T>
    {
        using Raw = std::underlying_type_t<T>;
        const auto raw = static_cast<Raw>(value);
        if constexpr (std::is_unsigned_v<Raw> && sizeof(Raw) >= sizeof(std::int64_t)) {
            if (raw > static_cast<Raw>(std::numeric_limits<std::int64_t>::max()))
                foundation::fatalError("Not enough bits to represent the passed value",
                                       "Tarnkit/MenuPresentable", __LINE__);
        }
        return static_cast<std::int64_t>(raw);
    }
    static QVariant representedObject(const T& value)
        requires std::is_enum_v<T>
    {
        using Raw = std::underlying_type_t<T>;
        const auto raw = static_cast<Raw>(value);
        if constexpr (std::is_unsigned_v<Raw>)
            return QVariant::fromValue(static_cast<quint64>(raw));
        else
            return QVariant::fromValue(static_cast<qint64>(raw));
    }
    static QIcon image(const T&) { return {}; }
    static QIcon onStateImage(const T&) { return {}; }
    static QIcon offStateImage(const T&) { return {}; }
    static QIcon mixedStateImage(const T&) { return {}; }
    static std::optional<std::int64_t> alternateTag(const T&) { return std::nullopt; }
    static std::optional<QString> alternateTitle(const T&) { return std::nullopt; }
    static QVariant alternateRepresentedObject(const T&) { return {}; }
    static QObject* target(const T&) { return nullptr; }
    static std::optional<Selector> action(const T&) { return std::nullopt; }

    static MenuStructure<T> menuStructure()
        requires requires { MenuPresentation<T>::allCases(); }
    {
        const QString title = MenuPresentation<T>::menuTitle();
        std::vector<MenuStructure<T>> children;
        for (const T& value : MenuPresentation<T>::allCases())
            children.push_back(MenuStructure<T>::item(value));
        return MenuStructure<T>::submenu(title, std::move(children));
    }
};

/// A presentable value of any type, for lists that mix types (TKMenuItem::submenuEnum).
/// Copies share one immutable value.
class AnyMenuPresentable {
public:
    template <MenuPresentable T>
    AnyMenuPresentable(T value) // NOLINT(google-explicit-constructor): a value converts freely
        : model_(std::make_shared<Model<T>>(std::move(value)))
    {
    }

    std::int64_t tag() const { return model_->tag(); }
    QString title() const { return model_->title(); }
    QVariant representedObject() const { return model_->representedObject(); }
    QIcon image() const { return model_->image(); }
    QIcon onStateImage() const { return model_->onStateImage(); }
    QIcon offStateImage() const { return model_->offStateImage(); }
    QIcon mixedStateImage() const { return model_->mixedStateImage(); }
    std::optional<std::int64_t> alternateTag() const { return model_->alternateTag(); }
    std::optional<QString> alternateTitle() const { return model_->alternateTitle(); }
    QVariant alternateRepresentedObject() const { return model_->alternateRepresentedObject(); }
    QObject* target() const { return model_->target(); }
    std::optional<Selector> action() const { return model_->action(); }

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual std::int64_t tag() const = 0;
        virtual QString title() const = 0;
        virtual QVariant representedObject() const = 0;
        virtual QIcon image() const = 0;
        virtual QIcon onStateImage() const = 0;
        virtual QIcon offStateImage() const = 0;
        virtual QIcon mixedStateImage() const = 0;
        virtual std::optional<std::int64_t> alternateTag() const = 0;
        virtual std::optional<QString> alternateTitle() const = 0;
        virtual QVariant alternateRepresentedObject() const = 0;
        virtual QObject* target() const = 0;
        virtual std::optional<Selector> action() const = 0;
    };

    template <typename T>
    struct Model final : Concept {
        using P = MenuPresentation<T>;
        explicit Model(T v) : value(std::move(v)) {}
        std::int64_t tag() const override { return P::tag(value); }
        QString title() const override { return P::title(value); }
        QVariant representedObject() const override { return P::representedObject(value); }
        QIcon image() const override { return P::image(value); }
        QIcon onStateImage() const override { return P::onStateImage(value); }
        QIcon offStateImage() const override { return P::offStateImage(value); }
        QIcon mixedStateImage() const override { return P::mixedStateImage(value); }
        std::optional<std::int64_t> alternateTag() const override { return P::alternateTag(value); }
        std::optional<QString> alternateTitle() const override { return P::alternateTitle(value); }
        QVariant alternateRepresentedObject() const override
        {
            return P::alternateRepresentedObject(value);
        }
        QObject* target() const override { return P::target(value); }
        std::optional<Selector> action() const override { return P::action(value); }
        T value;
    };

    std::shared_ptr<const Concept> model_;
};

} // namespace tarnkit
