// CQueue (first in, first out) and CStack (last in, first out, top at the head): thin layers over CList
// that add no state and own none of their values.
#pragma once

#include "foundation/linked_list.h"

template <class T> class CQueue : public CList<T> {
public:
    using typename CList<T>::Iterator;
    using typename CList<T>::Reference;
    using typename CList<T>::Param;

    // The head position, or the end when the queue is empty.
    virtual Iterator Peek() const { return this->GetHead(); }
    virtual void Push(Param value) { this->Append(value); }
    // A copy of the head's value, empty when the queue is empty; a locked queue only marks the head.
    virtual Reference Pop()
    {
        Reference top(this->GetHead());
        if (!top.IsEmpty())
            this->Remove(this->GetHead());
        return top;
    }
};

template <class T> class CStack : public CList<T> {
public:
    using typename CList<T>::Param;

    void Push(Param value) { this->Insert(value); }
    // The top value, removed; a default value when the stack is empty.
    T Pop()
    {
        if (this->IsEmpty())
            return T {};
        T top = *this->GetHead();
        this->Remove(this->GetHead());
        return top;
    }
};
