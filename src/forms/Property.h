// A property of a form or control: reads like a plain value, and tells its
// owner when it changes so that a front end can mirror the model.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

namespace q {

class PropertyOwner {
public:
    virtual void propertyChanged(const void* property) = 0;

protected:
    ~PropertyOwner() = default;
};

template <class T>
class Prop {
public:
    Prop(PropertyOwner& owner, T initial = T{}) : owner_(owner), value_(std::move(initial)) {}
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop& other) { return *this = other.value_; }

    Prop& operator=(T v) {
        if (!(v == value_)) {
            value_ = std::move(v);
            owner_.propertyChanged(this);
        }
        return *this;
    }
    template <class U>
        requires(std::is_convertible_v<U, T> && !std::is_same_v<std::decay_t<U>, T>)
    Prop& operator=(U&& v) {
        return *this = T(std::forward<U>(v));
    }

    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    template <class U>
    Prop& operator+=(const U& d) { return *this = T(value_ + d); }
    template <class U>
    Prop& operator-=(const U& d) { return *this = T(value_ - d); }

    template <class U>
    friend bool operator==(const Prop& a, const U& b) { return a.value_ == b; }

private:
    PropertyOwner& owner_;
    T value_;
};

// A colour as the toolkit holds it: &H00BBGGRR.
using Color = long;
constexpr Color RGB(int r, int g, int b) { return long(r) | (long(g) << 8) | (long(b) << 16); }
constexpr int RedOf(Color c) { return int(c & 0xFF); }
constexpr int GreenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return int((c >> 16) & 0xFF); }

}  // namespace q

namespace q {
// System colours are held as &H80000000 plus the index of the system colour;
// the host decides what they look like.
constexpr Color SystemColor(int index) { return Color(0x80000000L) | index; }
constexpr bool IsSystemColor(Color c) { return (c & 0x80000000L) != 0; }
constexpr Color vbScrollBars = SystemColor(0);
constexpr Color vbButtonFace = SystemColor(15);
constexpr Color vbWhite = RGB(255, 255, 255);
constexpr Color vbBlack = RGB(0, 0, 0);
}  // namespace q
