#pragma once
#include <string>

namespace kaza {

// A value that is empty, a number or a text, as the main window's public members are.
class Variant {
public:
    enum class Type { Empty, Number, Text };

    Variant() = default;
    static Variant Number(long n) { Variant v; v.type_ = Type::Number; v.number_ = n; return v; }
    static Variant Text(std::string s) { Variant v; v.type_ = Type::Text; v.text_ = std::move(s); return v; }

    Type type() const { return type_; }
    bool IsEmpty() const { return type_ == Type::Empty; }
    long AsNumber() const { return type_ == Type::Number ? number_ : 0; }
    // The value as text: empty for Empty, decimal digits for a number.
    std::string AsText() const {
        switch (type_) {
        case Type::Number: return std::to_string(number_);
        case Type::Text: return text_;
        default: return {};
        }
    }
    // The "1" or 1 rule of the restriction members.
    bool IsOn() const {
        return (type_ == Type::Number && number_ == 1) || (type_ == Type::Text && text_ == "1");
    }
    bool operator==(const Variant& o) const {
        return type_ == o.type_ && number_ == o.number_ && text_ == o.text_;
    }
    bool operator!=(const Variant& o) const { return !(*this == o); }

private:
    Type type_ = Type::Empty;
    long number_ = 0;
    std::string text_;
};

}  // namespace kaza
