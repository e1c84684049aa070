#pragma once
// Gives a variable a value for the lifetime of the object and puts the old
// value back on every way out: the re-entry guards and modes of the grids.
template <typename T>
class TScopedAssign {
public:
    TScopedAssign(T& target, T value) : target_(target), saved_(target) { target_ = value; }
    ~TScopedAssign() { target_ = saved_; }
    TScopedAssign(const TScopedAssign&) = delete;
    TScopedAssign& operator=(const TScopedAssign&) = delete;

private:
    T& target_;
    T saved_;
};
