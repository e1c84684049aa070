#pragma once
// Last-in first-out stacks of texts and of untyped pointers, the working
// stacks of the filter-expression compiler.
#include <QString>
#include <vector>

class TStackStr {
public:
    void Push(const QString& text) { items_.push_back(text); }
    // The last text pushed; the empty text when the stack is empty.
    QString Pop()
    {
        if (items_.empty()) return {};
        QString top = std::move(items_.back());
        items_.pop_back();
        return top;
    }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<QString> items_;
};

// Holds the pointers only: whoever pushed an item frees it.
class TStackPtr {
public:
    void Push(void* item) { items_.push_back(item); }
    // The last pointer pushed; nullptr when the stack is empty.
    void* Pop()
    {
        if (items_.empty()) return nullptr;
        void* top = items_.back();
        items_.pop_back();
        return top;
    }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<void*> items_;
};
