// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The controls of a form: plain objects that hold their properties. Geometry
// is in twips (1/1440 inch) from the top left corner of the form's client
// area. The properties that the game changes while it runs (a label's
// Caption, a button's Enabled, a shape's BackColor, and what any control
// tells assistive technology) tell the control's observer, the renderer, of
// every write; everything else is fixed when the form is created from its
// design.

#include "arrays.h"
#include "values.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace forms {

// A colour 0x00BBGGRR (red in the low byte), or 0x800000nn for system colour nn.
using Color = std::uint32_t;
constexpr Color SystemColor(std::uint32_t index)
{
    return 0x80000000u | index;
}
constexpr bool IsSystemColor(Color c)
{
    return (c & 0x80000000u) != 0;
}
inline constexpr Color vbWindowText = SystemColor(8);
// The lines of a sunken frame: outer top and left, inner top and left,
// outer bottom and right, inner bottom and right.
inline constexpr Color vbButtonShadow = SystemColor(16);
inline constexpr Color vb3DDKShadow = SystemColor(21);
inline constexpr Color vb3DHighlight = SystemColor(20);
inline constexpr Color vb3DLight = SystemColor(22);

enum class Border { None = 0, FixedSingle = 1 };
enum class TextAlign { LeftJustify = 0, RightJustify = 1, Center = 2 };
enum class Fill { Transparent = 0, Opaque = 1 };
enum class ShapeKind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3 };

// A font's size in points where a design names no font.
inline constexpr double kDefaultFontSize = 8.25;

struct StdFont {
    std::string_view Name;
    double Size = kDefaultFontSize; // points
    int Weight = 400;
    int Charset = 0;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
};

// The look that several controls of a design share.
struct Appearance {
    Color BackColor = 0;
    Color ForeColor = vbWindowText;
    Border BorderStyle = Border::None;
    TextAlign Alignment = TextAlign::LeftJustify;
    Fill BackStyle = Fill::Transparent;
    ShapeKind Kind = ShapeKind::Rectangle;
    const StdFont* Font = nullptr; // null: the form's font
};

// One control as the form's stored design describes it.
struct ControlDesign {
    std::string_view Name;
    int Index; // -1 for a control that is not part of a control array
    int Left, Top, Width, Height;
    int TabIndex;
    std::string_view Caption;
    bool Enabled;
    const Appearance* Look; // null: the class's defaults
    // What a screen reader says the control is, and what more it says of it.
    std::string_view AccessibleName = {};
    std::string_view AccessibleDescription = {};
};

class Control;

enum class PropertyId { Caption, Enabled, BackColor, AccessibleName, AccessibleDescription };

class ControlObserver {
public:
    virtual void PropertyChanged(Control& control, PropertyId which) = 0;

protected:
    ~ControlObserver() = default;
};

// A property whose every write is reported to the control's observer, also
// a write of the value it already holds.
template <typename T>
class Property {
public:
    Property(Control& owner, PropertyId which)
        : owner_(owner)
        , which_(which)
    {
    }
    Property(const Property&) = delete;

    Property& operator=(const Property& other) { return *this = other.value_; }
    Property& operator=(const T& value)
    {
        value_ = value;
        Changed();
        return *this;
    }
    Property& operator=(T&& value)
    {
        value_ = std::move(value);
        Changed();
        return *this;
    }

    operator const T&() const { return value_; } // NOLINT(google-explicit-constructor)
    const T& Get() const { return value_; }

private:
    void Changed();

    Control& owner_;
    PropertyId which_;
    T value_ {};
};

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    std::string Name;
    int Index = -1;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int TabIndex = 0;
    Property<std::string> AccessibleName { *this, PropertyId::AccessibleName };
    Property<std::string> AccessibleDescription { *this, PropertyId::AccessibleDescription };

    virtual void Apply(const ControlDesign& design);
    void SetObserver(ControlObserver* observer) { observer_ = observer; }

protected:
    Control() = default;

private:
    template <typename T>
    friend class Property;
    void Changed(PropertyId which)
    {
        if (observer_ != nullptr)
            observer_->PropertyChanged(*this, which);
    }

    ControlObserver* observer_ = nullptr;
};

template <typename T>
void Property<T>::Changed()
{
    owner_.Changed(which_);
}

// A control that shows a text of its own: a label or a button.
class TextControl : public Control {
public:
    Property<std::string> Caption { *this, PropertyId::Caption };
    const StdFont* Font = nullptr; // null: the form's

    void Apply(const ControlDesign& design) override;

protected:
    TextControl() = default;
};

class Label : public TextControl {
public:
    Color BackColor = 0x8000000F;
    Color ForeColor = vbWindowText;
    Border BorderStyle = Border::None;
    TextAlign Alignment = TextAlign::LeftJustify;

    void Apply(const ControlDesign& design) override;
};

class CommandButton : public TextControl {
public:
    Property<bool> Enabled { *this, PropertyId::Enabled };
    // The game's click handler; a disabled button raises no click.
    std::function<void()> Click;

    void Apply(const ControlDesign& design) override;
};

class Shape : public Control {
public:
    Property<Color> BackColor { *this, PropertyId::BackColor };
    Fill BackStyle = Fill::Transparent;
    ShapeKind Kind = ShapeKind::Rectangle;
    Color BorderColor = vbWindowText;

    // A circle or an oval, drawn inside its box; else a rectangle or a square.
    bool Round() const { return Kind == ShapeKind::Circle || Kind == ShapeKind::Oval; }
    // Whether its inside is painted in BackColor; else the form shows through.
    bool Filled() const { return BackStyle == Fill::Opaque; }

    void Apply(const ControlDesign& design) override;
};

// Controls that share a name and are told apart by an index from 0.
template <typename T, int Count>
class ControlArray {
public:
    explicit ControlArray(std::string_view name)
    {
        for (int i = 0; i < Count; ++i) {
            items_[static_cast<std::size_t>(i)].Name = name;
            items_[static_cast<std::size_t>(i)].Index = i;
        }
    }

    T& operator()(Integer index) { return items_[detail::Offset<0, Count - 1>(index)]; }
    const T& operator()(Integer index) const { return items_[detail::Offset<0, Count - 1>(index)]; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::array<T, Count> items_ {};
};

} // namespace forms
